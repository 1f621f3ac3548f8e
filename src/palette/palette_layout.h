#pragma once
// Where each palette button sits, which letter it stands for, and how its
// picture is cut out of the glyph strip. Pure geometry, no window system types.
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

// SpeedButton number n (1..32) <-> (row, position).
constexpr int button_number(ButtonSlot s) { return (s.row - 1) * 16 + s.position; }
constexpr ButtonSlot button_slot(int number) { return {(number - 1) / 16 + 1, (number - 1) % 16 + 1}; }

// The button's rectangle in its panel: capitals on top, small letters below,
// eight columns of pairs.
constexpr Rect button_rect(int position) {
    const int column = (position - 1) / 2;
    const int left = 8 + 40 * column;
    const int top = position % 2 == 1 ? 8 : 48;
    return {left, top, left + kButtonSize, top + kButtonSize};
}

// The 30x30 cell of a letter in the glyph strip; neighbouring cells overlap by
// two pixels, which hold no ink.
constexpr Rect strip_cell(ButtonSlot s) {
    const int left = (s.position - 1) * 28 + 4;
    const int top = (s.row - 1) * 28 + 3;
    return {left, top, left + kCellSize, top + kCellSize};
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

// The 33x33 button picture: the cell in the top-left 30x30 and a white margin
// of three pixels right and below. The margin makes the bottom-left pixel
// white, which is the colour the button draws as transparent.
Pixels cut_button_picture(const Pixels& strip, ButtonSlot slot);

}  // namespace tamga
