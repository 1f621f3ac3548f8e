#pragma once
// Conversion between GDI bitmaps and plain pixel buffers.
#include "palette/palette_layout.h"
#include "win/handles.h"

namespace tamga {

Pixels pixels_of(HBITMAP bitmap);
UniqueBitmap bitmap_of(const Pixels& pixels);

}  // namespace tamga
