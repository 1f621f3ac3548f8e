#include "palette_layout.h"

namespace tamga {

Pixels cut_button_picture(const Pixels& strip, ButtonSlot slot) {
    Pixels picture{kButtonSize, kButtonSize,
                   std::vector<std::uint32_t>(kButtonSize * kButtonSize, kWhite)};
    const Rect cell = strip_cell(slot);
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            const int sx = cell.left + x, sy = cell.top + y;
            if (sx < strip.width && sy < strip.height) picture.at(x, y) = strip.at(sx, sy);
        }
    }
    return picture;
}

}  // namespace tamga
