// The program's own icon: a close-up of keyboard keys set diagonally.
#pragma once

#include "canvas.h"

namespace artwork {

// The sizes the program's icon file holds: 32 is the design, the others
// serve small icons and display scales up to 200 % and beyond.
inline constexpr int kProgramIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

// size x size in the VGA palette.
Canvas draw_program_icon(int size);

}  // namespace artwork
