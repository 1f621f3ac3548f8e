#include "help_chart.h"

#include <array>
#include <string>
#include <string_view>

#include "alphabet.h"
#include "colours.h"
#include "font.h"
#include "help_page.h"

namespace artwork {

namespace {

// The alphabet holds letters of the Basic Multilingual Plane only: one wide
// character is one code point.
std::u32string code_points(std::wstring_view text) { return {text.begin(), text.end()}; }

constexpr int kChartFontSize = 12;
constexpr int kRowPitch = 18;
constexpr int kFirstBaseline = 16;

constexpr int kFrameWidth = 430, kFrameHeight = 370;
// The chart's scroll box on the page, and its sunken border.
constexpr int kScrollBoxLeft = 96, kScrollBoxTop = 32, kScrollBoxHeight = 279, kScrollBoxBorder = 2;
constexpr int kLegendFontSize = 11;
constexpr int kLegendLinePitch = 15;

// Where the frame picture's parts stand, in its own pixels at one scale.
struct FrameLayout {
    explicit FrameLayout(HelpScale s)
        : left(centred_offset(s(kHelpPageWidth), s(kFrameWidth))),
          top(centred_offset(s(kHelpPageHeight), s(kFrameHeight))),
          chart_left(s(kScrollBoxLeft) + kScrollBoxBorder - left),
          box_top(s(kScrollBoxTop) - top),
          box_bottom(s(kScrollBoxTop + kScrollBoxHeight) - top),
          page_centre(s(kHelpPageWidth) / 2 - left) {}
    int left, top;
    int chart_left, box_top, box_bottom;
    int page_centre;
};

}  // namespace

Canvas draw_help_chart(int picture_dpi) {
    const HelpScale s{picture_dpi};
    Canvas chart(s(kChartWidth), s(kChartHeight), kWhite);
    const Font bold(kSansBoldPath, s(kChartFontSize));
    const Font regular(kSansPath, s(kChartFontSize));
    int row_number = 0;
    for (const tamga::AlphabetRow& row : tamga::kAlphabet) {
        const int baseline = s(kFirstBaseline + row_number++ * kRowPitch);
        bold.draw_centred(chart, s(kLatinColumnCentre), baseline, code_points(row.latin), kBlack);
        bold.draw_centred(chart, s(kCyrillicColumnCentre), baseline, code_points(row.cyrillic), kBlack);
        regular.draw_centred(chart, s(kPhoneticColumnCentre), baseline, code_points(row.phonetic), kBlack);
    }
    return chart;
}

Canvas draw_help_frame(int picture_dpi) {
    const HelpScale s{picture_dpi};
    const FrameLayout at(s);
    Canvas frame(s(kFrameWidth), s(kFrameHeight), kWhite);
    const Font heading(kSansBoldPath, s(kChartFontSize));
    const int heading_baseline = at.box_top - s(6);
    heading.draw_centred(frame, at.chart_left + s(kLatinColumnCentre), heading_baseline, U"ULY2", kBlack);
    heading.draw_centred(frame, at.chart_left + s(kCyrillicColumnCentre), heading_baseline, U"USY", kBlack);
    heading.draw_centred(frame, at.chart_left + s(kPhoneticColumnCentre), heading_baseline, U"IPA", kBlack);

    const Font legend(kSansPath, s(kLegendFontSize));
    constexpr std::array<std::u32string_view, 3> kLegend{
        U"ULY2 - Uyğur Latin Yéziqi 2",
        U"USY - Uyğur Slawen Yéziqi",
        U"IPA - International Phonetic Alphabet",
    };
    int line = 0;
    for (std::u32string_view text : kLegend)
        legend.draw_centred(frame, at.page_centre, at.box_bottom + s(17 + line++ * kLegendLinePitch), text, kBlack);
    return frame;
}

}  // namespace artwork
