#pragma once
// Conversion between GDI bitmaps and plain pixel buffers.
#include "palette_layout.h"
#include "handles.h"

namespace tamga {

Pixels pixels_of(HBITMAP bitmap);
UniqueBitmap bitmap_of(const Pixels& pixels);

}  // namespace tamga
