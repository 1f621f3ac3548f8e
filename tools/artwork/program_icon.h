// The program's own icon: a close-up of keyboard keys set diagonally.
#pragma once

#include "canvas.h"

namespace artwork {

// 32x32 in the VGA palette.
Canvas draw_program_icon();

}  // namespace artwork
