#pragma once
// Pictures stored as zlib-packed BMP files among the program's raw resources:
// a fraction of the size of plain bitmaps, drawn exactly as they would be.
#include "handles.h"

#include <cstdint>
#include <span>

namespace tamga {

// The picture in one packed BMP file (uncompressed, with its colour table
// when it has one); null when the bytes are not such a file.
UniqueBitmap packed_picture(std::span<const std::uint8_t> packed);

// The picture of the program's raw resource `name`; null when it is missing
// or damaged.
UniqueBitmap load_packed_picture(const wchar_t* name);

}  // namespace tamga
