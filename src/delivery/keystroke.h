#pragma once
// The route for programs that take text only as keyboard input: the letter
// arrives as a Unicode key press in the program in front.
#include <windows.h>

#include <string_view>

namespace tamga {

// Whether the target, or its top-level window, belongs to such a program.
bool keys_only_window(HWND target);

// Whether the target's program is in front with the target itself focused:
// only then does a key press land in the target.
bool in_front_with_focus(HWND target);

// One press and release per UTF-16 unit, marked as our own input so the
// keyboard hook lets it pass. False when the system refused the input.
bool type_as_key_press(std::wstring_view text);

}  // namespace tamga
