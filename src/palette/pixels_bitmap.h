#pragma once
// Conversion between GDI bitmaps and plain pixel buffers.
#include "palette_layout.h"
#include "handles.h"

namespace tamga {

Pixels pixels_of(HBITMAP bitmap);
UniqueBitmap bitmap_of(const Pixels& pixels);
// A monochrome bitmap: 0 (black) where the picture has ink, any colour but
// white; 1 (white) elsewhere.
UniqueBitmap mask_of(const Pixels& pixels);

}  // namespace tamga
