#pragma once
// Letters as Unicode key presses, for every window that is not an edit
// control: a key press goes wherever the keyboard is, so it is sent only
// while the target itself holds the keyboard.
#include <windows.h>

#include <string_view>

namespace tamga {

// Waits, for at most half a second, until the target, whose program was
// asked to come to the front, holds the keyboard and still holds it at the
// next look: a program that passes the foreground on as it gets it is caught
// there rather than typed past. False when it never settled.
bool wait_until_holding_keyboard(HWND target);

// One press and release per UTF-16 unit, marked as our own input so the
// keyboard hook lets it pass. False when the system refused the input.
bool type_as_key_press(std::wstring_view text);

}  // namespace tamga
