#include "tray_pictures.h"

#include <stdexcept>
#include <string_view>

#include "colours.h"
#include "font.h"

namespace artwork {

namespace {

constexpr int kPictureSize = 16;
// Strokes fill rows 4..11: 8 px tall capitals, centred.
constexpr int kStrokeTop = 4;
constexpr int kStrokeHeight = 8;
// DejaVu Sans at 11 px has exactly 8 px capitals with one-pixel stems.
constexpr int kSansPixelSize = 11;

void draw_caption(Canvas& canvas, int picture_left, std::u32string_view text, std::uint8_t colour) {
    const Font sans(kSansPath, kSansPixelSize);
    const InkBox ink = sans.measure(text).ink;
    if (ink.height() != kStrokeHeight || ink.width() > kPictureSize)
        throw std::logic_error("tray caption does not fit its 8 px band");
    const int pen_x = picture_left + (kPictureSize - ink.width()) / 2 - ink.left;
    sans.draw(canvas, pen_x, kStrokeTop - ink.top, text, colour);
}

void draw_cross(Canvas& canvas, int picture_left, std::uint8_t colour) {
    for (int i = 0; i < kStrokeHeight; ++i) {
        canvas.set(picture_left + kStrokeTop + i, kStrokeTop + i, colour);
        canvas.set(picture_left + kStrokeTop + kStrokeHeight - 1 - i, kStrokeTop + i, colour);
    }
}

}  // namespace

Canvas draw_tray_states() {
    Canvas strip(3 * kPictureSize, kPictureSize, kTrayBackground);
    draw_caption(strip, 0, U"UR", kTrayStroke);
    draw_caption(strip, kPictureSize, U"УР", kTrayStroke);
    draw_cross(strip, 2 * kPictureSize, kTrayStroke);
    return strip;
}

Canvas draw_tray_layout_icon() {
    Canvas icon(kPictureSize, kPictureSize, vga::kNavy);
    draw_caption(icon, 0, U"UR", vga::kWhite);
    return icon;
}

}  // namespace artwork
