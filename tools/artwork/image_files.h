// Windows picture file formats, written byte for byte the same on every run.
#pragma once

#include <filesystem>
#include <vector>

#include "canvas.h"

namespace artwork {

using Palette = std::vector<Rgb>;

// BMP: bottom-up rows padded to four bytes, 96 dpi. bits_per_pixel 1 or 4
// stores the palette; 24 stores each pixel's palette colour directly.
void write_bmp(const std::filesystem::path& file, const Canvas& canvas, const Palette& palette, int bits_per_pixel);

// The same BMP file packed as one zlib stream (best compression), for
// pictures the program unpacks when it needs them.
void write_packed_bmp(const std::filesystem::path& file, const Canvas& canvas, const Palette& palette,
                      int bits_per_pixel);

// ICO with one 4-bit image per canvas, in order; the AND masks are all zero
// (fully opaque).
void write_ico(const std::filesystem::path& file, const std::vector<Canvas>& images, const Palette& palette);

}  // namespace artwork
