#include "program_icon.h"

#include <array>
#include <string>

#include "colours.h"
#include "font.h"

namespace artwork {

namespace {

constexpr int kIconSize = 32;
// A close-up: the keys around the middle one run past the icon's edges, so
// they are drawn on a larger sheet and the middle is cut out.
constexpr int kSheetMargin = 24;

// A key top is the parallelogram P, P+along, P+along+across, P+across; rows
// run along (lower left to upper right), the next row lies one step across.
constexpr Point kAlong{14, -5};
constexpr Point kAcross{5, 14};
constexpr Point kDepth{0, 4};
constexpr Point kKeyStep{17, -6};
constexpr Point kRowStep{5, 19};
// Top-left corner of the middle key, in icon pixels: its top is centred a
// little above the icon's middle, leaving room for its sides below.
constexpr Point kMiddleKey{7, 10};
constexpr int kLetterPixelSize = 11;

// Three rows of three keys, back row first so nearer keys cover it.
constexpr std::array<std::u32string_view, 3> kKeyLetters{U"ÖŽŊ", U"ŞÜĞ", U"ŽÉÖ"};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator*(int k, Point a) { return {k * a.x, k * a.y}; }

void draw_key(Canvas& sheet, const Font& font, Point p, char32_t letter) {
    const Point a = p + kAlong, c = p + kAlong + kAcross, b = p + kAcross;
    // Seen from the front left: the left side lit, the front side in shade.
    sheet.fill_polygon({p, b, b + kDepth, p + kDepth}, vga::kLightGrey);
    sheet.fill_polygon({b, c, c + kDepth, b + kDepth}, vga::kDarkGrey);
    sheet.fill_polygon({p, a, c, b}, vga::kWhite);
    const std::vector<Point> silhouette{p, a, c, c + kDepth, b + kDepth, p + kDepth};
    for (std::size_t i = 0; i < silhouette.size(); ++i)
        sheet.line(silhouette[i], silhouette[(i + 1) % silhouette.size()], vga::kBlack);
    // The letter sits in the middle of the key top.
    const std::u32string text(1, letter);
    const InkBox ink = font.measure(text).ink;
    const int centre_x = (2 * p.x + kAlong.x + kAcross.x) / 2, centre_y = (2 * p.y + kAlong.y + kAcross.y) / 2;
    font.draw(sheet, centre_x - ink.width() / 2 - ink.left, centre_y - ink.height() / 2 - ink.top, text, vga::kBlack);
}

}  // namespace

Canvas draw_program_icon() {
    Canvas sheet(kIconSize + 2 * kSheetMargin, kIconSize + 2 * kSheetMargin, vga::kWhite);
    const Font font(kSansBoldPath, kLetterPixelSize);
    const Point middle = kMiddleKey + Point{kSheetMargin, kSheetMargin};
    for (int row = -1; row <= 1; ++row)
        for (int column = -1; column <= 1; ++column)
            draw_key(sheet, font, middle + row * kRowStep + column * kKeyStep, kKeyLetters[row + 1][column + 1]);
    return sheet.region(kSheetMargin, kSheetMargin, kIconSize, kIconSize);
}

}  // namespace artwork
