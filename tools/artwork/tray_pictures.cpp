#include "tray_pictures.h"

#include <stdexcept>
#include <string_view>

#include "colours.h"
#include "display_scale.h"
#include "font.h"

namespace artwork {

namespace {

// At 16 px, strokes fill rows 4..11: 8 px tall capitals, centred. Larger
// pictures scale the band; 16, 20, 24 and 32 px are 100, 125, 150 and 200 %.
constexpr int kDesignSize = 16;
constexpr int kStrokeTop = 4;
constexpr int kStrokeHeight = 8;
// DejaVu Sans at 11 px has exactly 8 px capitals with one-pixel stems.
constexpr int kSansPixelSize = 11;

int dpi_of_size(int size) { return size * tamga::kDesignDpi / kDesignSize; }

void draw_caption(Canvas& canvas, int picture_left, int size, std::u32string_view text, std::uint8_t colour) {
    const int dpi = dpi_of_size(size);
    const int band_top = tamga::scaled(kStrokeTop, dpi), band = tamga::scaled(kStrokeHeight, dpi);
    const Font sans(kSansPath, tamga::scaled(kSansPixelSize, dpi));
    const InkBox ink = sans.measure(text).ink;
    if (ink.height() > band || (size == kDesignSize && ink.height() != band) || ink.width() > size)
        throw std::logic_error("tray caption does not fit its band");
    const int pen_x = picture_left + (size - ink.width()) / 2 - ink.left;
    sans.draw(canvas, pen_x, band_top + (band - ink.height()) / 2 - ink.top, text, colour);
}

void draw_cross(Canvas& canvas, int picture_left, int size, std::uint8_t colour) {
    const int dpi = dpi_of_size(size);
    const int top = tamga::scaled(kStrokeTop, dpi), band = tamga::scaled(kStrokeHeight, dpi);
    const int stroke = size / kDesignSize;  // one pixel at 16, two at 32
    for (int i = 0; i < band; ++i)
        for (int t = 0; t < stroke && i + t < band; ++t) {
            canvas.set(picture_left + top + i + t, top + i, colour);
            canvas.set(picture_left + top + band - 1 - i - t, top + i, colour);
        }
}

}  // namespace

Canvas draw_tray_states(int size) {
    Canvas strip(3 * size, size, kTrayBackground);
    draw_caption(strip, 0, size, U"UR", kTrayStroke);
    draw_caption(strip, size, size, U"УР", kTrayStroke);
    draw_cross(strip, 2 * size, size, kTrayStroke);
    return strip;
}

Canvas draw_tray_layout_icon() {
    Canvas icon(kDesignSize, kDesignSize, vga::kNavy);
    draw_caption(icon, 0, kDesignSize, U"UR", vga::kWhite);
    return icon;
}

}  // namespace artwork
