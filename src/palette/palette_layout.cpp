#include "palette_layout.h"

namespace tamga {

Pixels cut_button_picture(const Pixels& strip, ButtonSlot slot, int picture_dpi) {
    const StripGeometry g = strip_geometry(picture_dpi);
    Pixels picture{g.button, g.button,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(g.button) * g.button, kWhite)};
    const Rect cell = strip_cell(slot, picture_dpi);
    for (int y = 0; y < g.cell; ++y) {
        for (int x = 0; x < g.cell; ++x) {
            const int sx = cell.left + x, sy = cell.top + y;
            if (sx < strip.width && sy < strip.height) picture.at(x, y) = strip.at(sx, sy);
        }
    }
    return picture;
}

}  // namespace tamga
