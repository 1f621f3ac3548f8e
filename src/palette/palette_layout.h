#pragma once
// Where each palette button sits, which letter it stands for, and how its
// picture is cut out of the glyph strip. Pure geometry, no window system types.
#include "display_scale.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tamga {

struct Rect {
    int left, top, right, bottom;  // right and bottom exclusive
    bool operator==(const Rect&) const = default;
};

struct ButtonSlot {
    int row;       // 1..2
    int position;  // 1..16
    bool operator==(const ButtonSlot&) const = default;
};

inline constexpr int kButtonCount = 32;
inline constexpr int kButtonSize = 33;
inline constexpr int kCellSize = 30;
inline constexpr int kStripWidth = 457;
inline constexpr int kStripHeight = 64;
inline constexpr int kPanelWidth = 337;
inline constexpr int kPaletteHeight = 89;
// The window's outer height in the design: caption, menu bar and palette.
inline constexpr int kDesignOuterHeight = 134;

// The display scales the glyph strips are drawn for (100 to 200 %), as DPI.
inline constexpr std::array<int, 5> kPictureDpis{96, 120, 144, 168, 192};

// The strip drawn for the largest of those scales not above the display's,
// so a letter never outgrows its button.
constexpr int picture_dpi_for(int dpi) {
    int chosen = kPictureDpis.front();
    for (int candidate : kPictureDpis)
        if (candidate <= dpi) chosen = candidate;
    return chosen;
}

// The glyph strip of one scale: the design's layout with every length scaled.
struct StripGeometry {
    int cell, pitch, left, top, width, height;
    int button;  // the button picture's side
};
constexpr StripGeometry strip_geometry(int picture_dpi) {
    return {scaled(30, picture_dpi), scaled(28, picture_dpi), scaled(4, picture_dpi), scaled(3, picture_dpi),
            scaled(kStripWidth, picture_dpi), scaled(kStripHeight, picture_dpi), scaled(kButtonSize, picture_dpi)};
}

// The outer height that shows the whole palette below a frame whose caption,
// menu bar and borders take `frame_height` pixels; never below the design's
// height scaled, so at 96 DPI the window stays exactly as designed.
constexpr int palette_outer_height(int frame_height, int dpi) {
    return std::max(frame_height + scaled(kPaletteHeight, dpi), scaled(kDesignOuterHeight, dpi));
}

// SpeedButton number n (1..32) <-> (row, position).
constexpr int button_number(ButtonSlot s) { return (s.row - 1) * 16 + s.position; }
constexpr ButtonSlot button_slot(int number) { return {(number - 1) / 16 + 1, (number - 1) % 16 + 1}; }

// The button's rectangle in its panel: capitals on top, small letters below,
// eight columns of pairs.
constexpr Rect button_rect(int position, int dpi = kDesignDpi) {
    const int column = (position - 1) / 2;
    const int left = scaled(8 + 40 * column, dpi);
    const int top = scaled(position % 2 == 1 ? 8 : 48, dpi);
    const int size = scaled(kButtonSize, dpi);
    return {left, top, left + size, top + size};
}

// The cell of a letter in the glyph strip of a scale (30x30 at 96 DPI);
// neighbouring cells overlap (by two pixels at 96 DPI), which hold no ink.
constexpr Rect strip_cell(ButtonSlot s, int picture_dpi = kDesignDpi) {
    const StripGeometry g = strip_geometry(picture_dpi);
    const int left = (s.position - 1) * g.pitch + g.left;
    const int top = (s.row - 1) * g.pitch + g.top;
    return {left, top, left + g.cell, top + g.cell};
}

// A 0xRRGGBB picture, rows top to bottom.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t& at(int x, int y) { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// The button picture (33x33 at 96 DPI): the cell in the top-left corner and a
// white margin right and below (three pixels at 96 DPI). The margin makes the
// bottom-left pixel white, which is the colour the button draws as transparent.
Pixels cut_button_picture(const Pixels& strip, ButtonSlot slot, int picture_dpi = kDesignDpi);

}  // namespace tamga
