#include "help_description.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "colours.h"
#include "font.h"
#include "help_page.h"

namespace artwork {

namespace {

constexpr int kWidth = 430, kHeight = 365;
constexpr int kPageMargin = 10;

// 12 px fills exactly six lines of the page's width at 96 DPI. (DejaVu Sans Bold
// below 12 px loses the dot of İ.)
constexpr int kFontSize = 12;
constexpr int kFirstBaseline = 14;
constexpr int kLinePitch = 15;
constexpr std::size_t kParagraphLines = 6;

// The picture is wider than its page and loses its edges, so the text
// column is placed by the page: 10 px margins inside what shows.
struct TextColumn {
    explicit TextColumn(HelpScale s)
        : page_left(-centred_offset(s(kHelpPageWidth), s(kWidth))),
          left(page_left + s(kPageMargin)),
          width(s(kHelpPageWidth) - 2 * s(kPageMargin)),
          page_centre(page_left + s(kHelpPageWidth) / 2) {}
    int page_left, left, width, page_centre;
};

constexpr std::u32string_view kParagraph =
    U"Bu programma Uyğur Latin we Slawen yéziqliriniŋ alahide herplirini tehrirlewatqan tékistke qoşuşqa "
    U"yardem béridu. Mesilen, Windows ning WordPad yaki Notepad tehrirligüçliride Uyğurçe tékist yazğanda "
    U"uniŋdin paydilinişqa bolidu. «Til taxtini özgertiş» menyu türi tallanğan waqitta, töwendiki "
    U"kunupkilar özgertilidu:";

constexpr int kColumns = 7;
constexpr int kColumnWidth = 50;
constexpr int kTableTop = 100;
constexpr int kRowHeight = 18;
constexpr int kCellBaseline = 14;

struct Cell {
    int span;
    std::u32string_view text;
    bool bold;
};
using Row = std::vector<Cell>;

std::vector<Row> remapping_table() {
    std::vector<Row> rows{
        {{2, U"", true}, {1, U"ULY", true}, {2, U"ULY2", true}, {2, U"USY", true}},
        {{2, U"EN,RU", true}, {3, U"EN", true}, {2, U"RU", true}},
        {{1, U"Shift", true}, {1, U"", true}, {1, U"Jüp", true}, {1, U"Shift", true},
         {1, U"", true}, {1, U"Shift", true}, {1, U"", true}},
    };
    // Shifted key, key, typed pair, then the Latin and Cyrillic letters it gives.
    constexpr std::array<std::array<std::u32string_view, kColumns>, 11> kBody{{
        {U"–", U"–", U"ch", U"C", U"c", U"–", U"–"},
        {U"!", U"1", U"e'", U"É", U"é", U"Ә", U"ә"},
        {U"@", U"2", U"gh", U"Ğ", U"ğ", U"Ғ", U"ғ"},
        {U"#", U"3", U"i'", U"İ", U"i", U"Җ", U"җ"},
        {U"$", U"4", U"ng", U"Ŋ", U"ŋ", U"Қ", U"қ"},
        {U"%", U"5", U"o'", U"Ö", U"ö", U"Ң", U"ң"},
        {U"^", U"6", U"sh", U"Ş", U"ş", U"Ө", U"ө"},
        {U"&", U"7", U"u'", U"Ü", U"ü", U"Ү", U"ү"},
        {U"*", U"8", U"zh", U"Ž", U"ž", U"Һ", U"һ"},
        {U"–", U"9", U"–", U"–", U"!", U"–", U"!"},
        {U"–", U"0", U"–", U"–", U"%", U"–", U"?"},
    }};
    for (const auto& body : kBody) {
        Row row;
        for (int column = 0; column < kColumns; ++column)
            row.push_back({1, body[column], column >= 3 && body[column] != U"–"});
        rows.push_back(row);
    }
    return rows;
}

// Greedy line filling; every line but the last is justified by spreading the
// spare width over its gaps, leftmost gaps taking the odd pixels.
void draw_paragraph(Canvas& canvas, const Font& font, HelpScale s) {
    const TextColumn column(s);
    std::vector<std::u32string_view> words;
    for (std::size_t start = 0; start < kParagraph.size();) {
        const std::size_t end = std::min(kParagraph.find(U' ', start), kParagraph.size());
        words.push_back(kParagraph.substr(start, end - start));
        start = end + 1;
    }
    const int space = font.measure(U" ").advance;
    std::vector<std::vector<std::u32string_view>> lines(1);
    int line_width = 0;
    for (std::u32string_view word : words) {
        const int width = font.measure(word).advance;
        if (!lines.back().empty() && line_width + space + width > column.width) {
            lines.emplace_back();
            line_width = 0;
        }
        line_width += (lines.back().empty() ? 0 : space) + width;
        lines.back().push_back(word);
    }
    // Fonts do not widen exactly with their size: at some scales the text
    // takes a line less, never more, or it would run into the table.
    if (lines.size() > kParagraphLines)
        throw std::logic_error("the description takes more than six lines at " + std::to_string(s.dpi) + " DPI");

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        int words_width = 0;
        for (std::u32string_view word : line) words_width += font.measure(word).advance;
        const int gaps = static_cast<int>(line.size()) - 1;
        const bool justify = i + 1 < lines.size() && gaps > 0;
        const int spare = justify ? column.width - words_width - gaps * space : 0;
        const int baseline = s(kFirstBaseline + static_cast<int>(i) * kLinePitch);
        int x = column.left;
        for (int w = 0; w <= gaps; ++w) {
            font.draw(canvas, x, baseline, line[w], kBlack);
            x += font.measure(line[w]).advance + space;
            if (justify) x += spare / gaps + (w < spare % gaps ? 1 : 0);
        }
    }
}

// Rules one design pixel thick.
void rule_across(Canvas& canvas, int x0, int x1, int y, HelpScale s) {
    for (int i = 0; i < s.rule(); ++i) canvas.hline(x0, x1, y + i, kBlack);
}
void rule_down(Canvas& canvas, int x, int y0, int y1, HelpScale s) {
    for (int i = 0; i < s.rule(); ++i) canvas.vline(x + i, y0, y1, kBlack);
}

void draw_table(Canvas& canvas, const Font& regular, const Font& bold, HelpScale s) {
    const std::vector<Row> rows = remapping_table();
    const int table_left = TextColumn(s).page_centre - s(kColumns * kColumnWidth / 2);
    const auto x_of = [&](int column) { return table_left + s(column * kColumnWidth); };
    const auto y_of = [&](int row) { return s(kTableTop + row * kRowHeight); };
    const int right = x_of(kColumns);
    const int rules_end = right + s.rule() - 1;  // the right-hand rule's far side
    const int last = static_cast<int>(rows.size());
    for (int r = 0; r < last; ++r) {
        rule_across(canvas, table_left, rules_end, y_of(r), s);
        int column = 0;
        for (const Cell& cell : rows[r]) {
            rule_down(canvas, x_of(column), y_of(r), y_of(r + 1), s);
            const Font& font = cell.bold ? bold : regular;
            if (!cell.text.empty())
                font.draw_centred(canvas, x_of(column) + s(cell.span * kColumnWidth) / 2, y_of(r) + s(kCellBaseline),
                                  cell.text, kBlack);
            column += cell.span;
        }
        if (column != kColumns) throw std::logic_error("a remapping table row does not span seven columns");
        rule_down(canvas, right, y_of(r), y_of(r + 1), s);
    }
    rule_across(canvas, table_left, rules_end, y_of(last), s);
}

}  // namespace

Canvas draw_help_description(int picture_dpi) {
    const HelpScale s{picture_dpi};
    Canvas page(s(kWidth), s(kHeight), kWhite);
    const Font regular(kSansPath, s(kFontSize));
    draw_paragraph(page, regular, s);
    draw_table(page, regular, Font(kSansBoldPath, s(kFontSize)), s);
    return page;
}

}  // namespace artwork
