// The tray icon's pictures: the three hook states and the layout's own icon.
#pragma once

#include "canvas.h"
#include "tray_state.h"

namespace artwork {

// 3*size x size, for each of tamga::kTrayPictureSizes: "UR", Cyrillic "УР" and a cross side by side, in kTrayColours.
Canvas draw_tray_states(int size);

// 16x16: "UR" in white on navy, in the VGA palette.
Canvas draw_tray_layout_icon();

}  // namespace artwork
