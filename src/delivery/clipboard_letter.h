#pragma once
// Puts one letter on the clipboard as Unicode text.
#include <windows.h>

#include <string_view>

namespace tamga {

// Retries briefly while another program holds the clipboard. Returns false
// when the clipboard could not be set: the caller must then not paste, or it
// would paste whatever was there before. The content is marked so clipboard
// history and cloud clipboard leave it out.
bool put_on_clipboard(HWND owner, std::wstring_view text);

}  // namespace tamga
