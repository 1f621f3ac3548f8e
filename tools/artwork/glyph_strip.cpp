#include "glyph_strip.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "colours.h"
#include "font.h"
#include "letter_table.h"
#include "palette_layout.h"

namespace artwork {

namespace {

// DejaVu Serif at 19 px gives capitals 14 px high at 96 DPI.
constexpr int kSerifPixelSize = 19;

}  // namespace

Canvas draw_glyph_strip(int picture_dpi) {
    const tamga::StripGeometry g = tamga::strip_geometry(picture_dpi);
    Canvas strip(g.width, g.height, kWhite);
    const Font serif(kSerifPath, tamga::scaled(kSerifPixelSize, picture_dpi));
    // Neighbouring cells share their edges; ink stays off them.
    const int shared_edge = g.cell - g.pitch;
    const int ink_area = g.cell - 2 * shared_edge;
    for (int row = 1; row <= 2; ++row) {
        const auto& letters = tamga::kLetterTable[row - 1];
        // One baseline per row, so small letters sit beside capitals as in
        // text; the row's combined ink height is centred in the cell.
        int ink_top = 0, ink_bottom = 0;
        for (char32_t c : letters) {
            const InkBox ink = serif.measure(std::u32string(1, c)).ink;
            ink_top = std::min(ink_top, ink.top);
            ink_bottom = std::max(ink_bottom, ink.bottom);
        }
        if (ink_bottom - ink_top > ink_area) throw std::logic_error("glyph strip letters are too tall for a cell");
        const int baseline_in_cell = (g.cell - (ink_bottom - ink_top)) / 2 - ink_top;
        for (int position = 1; position <= 16; ++position) {
            const std::u32string letter(1, letters[position - 1]);
            const InkBox ink = serif.measure(letter).ink;
            if (ink.width() > ink_area) throw std::logic_error("glyph strip letter is too wide for a cell");
            const int pen_x = tamga::strip_cell({row, position}, picture_dpi).left + (g.cell - ink.width()) / 2 - ink.left;
            serif.draw(strip, pen_x, tamga::strip_cell({row, 1}, picture_dpi).top + baseline_in_cell, letter, kBlack);
        }
    }
    return strip;
}

}  // namespace artwork
