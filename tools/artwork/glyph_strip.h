// The palette's button pictures: 32 letters in overlapping cells (30x30 at
// 96 DPI), one strip per display scale.
#pragma once

#include <string>

#include "canvas.h"

namespace artwork {

// 457x64 at 96 DPI, every length scaled at the others; black (kBlack)
// letters on white (kWhite).
Canvas draw_glyph_strip(int picture_dpi);

// glyphs.bmp at 96 DPI, glyphs_<dpi>.bmp at the others.
inline std::string glyph_strip_file(int picture_dpi) {
    return picture_dpi == 96 ? "glyphs.bmp" : "glyphs_" + std::to_string(picture_dpi) + ".bmp";
}

}  // namespace artwork
