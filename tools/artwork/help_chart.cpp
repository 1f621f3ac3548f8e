#include "help_chart.h"

#include <array>
#include <string_view>

#include "colours.h"
#include "font.h"
#include "help_page.h"

namespace artwork {

namespace {

struct AlphabetRow {
    std::u32string_view latin, cyrillic, phonetic;
};

constexpr std::array<AlphabetRow, 32> kAlphabet{{
    {U"Aa", U"Аа", U"[a]"}, {U"Bb", U"Бб", U"[b]"}, {U"Cc", U"Чч", U"[ʧ]"}, {U"Dd", U"Дд", U"[d]"},
    {U"Ee", U"Әә", U"[æ]"}, {U"Éé", U"Ее", U"[e]"}, {U"Ff", U"Фф", U"[f]"}, {U"Gg", U"Гг", U"[g]"},
    {U"Ğğ", U"Ғғ", U"[ʁ]"}, {U"Hh", U"Һһ", U"[h]"}, {U"İi", U"Ии", U"[i]"}, {U"Jj", U"Җҗ", U"[ʤ]"},
    {U"Kk", U"Кк", U"[k]"}, {U"Ll", U"Лл", U"[l]"}, {U"Mm", U"Мм", U"[m]"}, {U"Nn", U"Нн", U"[n]"},
    {U"Ŋŋ", U"Ңң", U"[ŋ]"}, {U"Oo", U"Оо", U"[o]"}, {U"Öö", U"Өө", U"[ø]"}, {U"Pp", U"Пп", U"[p]"},
    {U"Qq", U"Ққ", U"[q]"}, {U"Rr", U"Рр", U"[r]"}, {U"Ss", U"Сс", U"[s]"}, {U"Şş", U"Шш", U"[ʃ]"},
    {U"Tt", U"Тт", U"[t]"}, {U"Uu", U"Уу", U"[u]"}, {U"Üü", U"Үү", U"[y]"}, {U"Ww", U"Вв", U"[v]"},
    {U"Xx", U"Хх", U"[x]"}, {U"Yy", U"Йй", U"[j]"}, {U"Zz", U"Зз", U"[z]"}, {U"Žž", U"Жж", U"[ʒ]"},
}};

constexpr int kChartFontSize = 12;
constexpr int kRowPitch = 18;
constexpr int kFirstBaseline = 16;

constexpr int kFrameWidth = 430, kFrameHeight = 370;
constexpr int kFrameLeft = centred_offset(kHelpPageWidth, kFrameWidth);
constexpr int kFrameTop = centred_offset(kHelpPageHeight, kFrameHeight);
// The chart's scroll box on the page, and its sunken border.
constexpr int kScrollBoxLeft = 96, kScrollBoxTop = 32, kScrollBoxHeight = 279, kScrollBoxBorder = 2;
constexpr int kChartLeftInFrame = kScrollBoxLeft + kScrollBoxBorder - kFrameLeft;
constexpr int kScrollBoxTopInFrame = kScrollBoxTop - kFrameTop;
constexpr int kScrollBoxBottomInFrame = kScrollBoxTop + kScrollBoxHeight - kFrameTop;
constexpr int kPageCentreInFrame = kHelpPageWidth / 2 - kFrameLeft;

constexpr int kHeadingBaseline = kScrollBoxTopInFrame - 6;
constexpr int kLegendFontSize = 11;
constexpr int kLegendFirstBaseline = kScrollBoxBottomInFrame + 17;
constexpr int kLegendLinePitch = 15;

}  // namespace

Canvas draw_help_chart() {
    Canvas chart(kChartWidth, kChartHeight, kWhite);
    const Font bold(kSansBoldPath, kChartFontSize);
    const Font regular(kSansPath, kChartFontSize);
    int baseline = kFirstBaseline;
    for (const AlphabetRow& row : kAlphabet) {
        bold.draw_centred(chart, kLatinColumnCentre, baseline, row.latin, kBlack);
        bold.draw_centred(chart, kCyrillicColumnCentre, baseline, row.cyrillic, kBlack);
        regular.draw_centred(chart, kPhoneticColumnCentre, baseline, row.phonetic, kBlack);
        baseline += kRowPitch;
    }
    return chart;
}

Canvas draw_help_frame() {
    Canvas frame(kFrameWidth, kFrameHeight, kWhite);
    const Font heading(kSansBoldPath, kChartFontSize);
    heading.draw_centred(frame, kChartLeftInFrame + kLatinColumnCentre, kHeadingBaseline, U"ULY2", kBlack);
    heading.draw_centred(frame, kChartLeftInFrame + kCyrillicColumnCentre, kHeadingBaseline, U"USY", kBlack);
    heading.draw_centred(frame, kChartLeftInFrame + kPhoneticColumnCentre, kHeadingBaseline, U"IPA", kBlack);

    const Font legend(kSansPath, kLegendFontSize);
    constexpr std::array<std::u32string_view, 3> kLegend{
        U"ULY2 - Uyğur Latin Yéziqi 2",
        U"USY - Uyğur Slawen Yéziqi",
        U"IPA - International Phonetic Alphabet",
    };
    int baseline = kLegendFirstBaseline;
    for (std::u32string_view line : kLegend) {
        legend.draw_centred(frame, kPageCentreInFrame, baseline, line, kBlack);
        baseline += kLegendLinePitch;
    }
    return frame;
}

}  // namespace artwork
