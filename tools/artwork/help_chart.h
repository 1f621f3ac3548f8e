// The Help window's alphabet chart and the frame picture around it. The
// frame's headings stand over the chart's columns, so both share these.
#pragma once

#include "canvas.h"

namespace artwork {

// At 96 DPI; every length scales with the picture's DPI.
inline constexpr int kChartWidth = 197;
inline constexpr int kChartHeight = 583;
// Centre x of each chart column, in chart pixels.
inline constexpr int kLatinColumnCentre = 33;
inline constexpr int kCyrillicColumnCentre = 98;
inline constexpr int kPhoneticColumnCentre = 164;

// 197x583 at 96 DPI, black on white: Latin, Cyrillic and phonetic value, 32 rows.
Canvas draw_help_chart(int picture_dpi);

// 430x370 at 96 DPI, black on white: the column headings above the chart's
// scroll box and the legend of the abbreviations below it.
Canvas draw_help_frame(int picture_dpi);

}  // namespace artwork
