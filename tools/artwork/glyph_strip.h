// The palette's button pictures: 32 letters in overlapping 30x30 cells.
#pragma once

#include "canvas.h"

namespace artwork {

// 457x64, black (kBlack) letters on white (kWhite).
Canvas draw_glyph_strip();

}  // namespace artwork
