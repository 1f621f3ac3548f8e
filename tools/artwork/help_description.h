// The Help window's second page: what the program does and which keys the
// keyboard hook remaps.
#pragma once

#include "canvas.h"

namespace artwork {

// 430x365, black on white: a justified paragraph and the remapping table.
Canvas draw_help_description(int picture_dpi);

}  // namespace artwork
