// The Help window's alphabet chart and the frame picture around it. The
// frame's headings stand over the chart's columns, so both share these.
#pragma once

#include "canvas.h"

namespace artwork {

inline constexpr int kChartWidth = 197;
inline constexpr int kChartHeight = 583;
// Centre x of each chart column, in chart pixels.
inline constexpr int kLatinColumnCentre = 33;
inline constexpr int kCyrillicColumnCentre = 98;
inline constexpr int kPhoneticColumnCentre = 164;

// 197x583, black on white: Latin, Cyrillic and phonetic value, 32 rows.
Canvas draw_help_chart();

// 430x370, black on white: the column headings above the chart's scroll box
// and the legend of the abbreviations below it.
Canvas draw_help_frame();

}  // namespace artwork
