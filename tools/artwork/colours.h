// The palettes the pictures are drawn in; canvases hold indices into them.
#pragma once

#include "image_files.h"

namespace artwork {

// Black and white pictures: index 0 black, 1 white.
inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kWhite = 1;
inline const Palette kBlackWhite{{0, 0, 0}, {255, 255, 255}};

// The standard 16-colour VGA palette, in Windows' order.
namespace vga {
inline constexpr std::uint8_t kBlack = 0, kNavy = 4, kLightGrey = 7, kDarkGrey = 8, kWhite = 15;
}
inline const Palette kVga16{
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// The tray state pictures: white strokes on dark blue.
inline constexpr std::uint8_t kTrayBackground = 0;
inline constexpr std::uint8_t kTrayStroke = 1;
inline const Palette kTrayColours{{10, 36, 106}, {255, 255, 255}};

}  // namespace artwork
