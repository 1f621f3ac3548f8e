#include "glyph_strip.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "colours.h"
#include "font.h"
#include "letter_table.h"

namespace artwork {

namespace {

constexpr int kStripWidth = 457, kStripHeight = 64;
constexpr int kCellSize = 30;
// Neighbouring cells share two pixels each way; ink stays off them.
constexpr int kSharedEdge = 2;
// DejaVu Serif at 19 px gives capitals 14 px high.
constexpr int kSerifPixelSize = 19;

int cell_left(int position) { return (position - 1) * 28 + 4; }
int cell_top(int row) { return (row - 1) * 28 + 3; }

}  // namespace

Canvas draw_glyph_strip() {
    Canvas strip(kStripWidth, kStripHeight, kWhite);
    const Font serif(kSerifPath, kSerifPixelSize);
    constexpr int kInkArea = kCellSize - 2 * kSharedEdge;
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
        if (ink_bottom - ink_top > kInkArea) throw std::logic_error("glyph strip letters are too tall for a cell");
        const int baseline_in_cell = (kCellSize - (ink_bottom - ink_top)) / 2 - ink_top;
        for (int position = 1; position <= 16; ++position) {
            const std::u32string letter(1, letters[position - 1]);
            const InkBox ink = serif.measure(letter).ink;
            if (ink.width() > kInkArea) throw std::logic_error("glyph strip letter is too wide for a cell");
            const int pen_x = cell_left(position) + (kCellSize - ink.width()) / 2 - ink.left;
            serif.draw(strip, pen_x, cell_top(row) + baseline_in_cell, letter, kBlack);
        }
    }
    return strip;
}

}  // namespace artwork
