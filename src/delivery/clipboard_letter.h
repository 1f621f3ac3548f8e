#pragma once
// Puts one letter on the clipboard as Unicode text.
#include <windows.h>

#include <string_view>

namespace tamga {

// The formats that keep a content out of clipboard monitors, clipboard
// history and cloud clipboard, registered once: each registration asks the
// system anew.
struct PrivacyFormats {
    UINT exclude_from_monitors;
    UINT exclude_from_history;
    UINT exclude_from_cloud;
};
PrivacyFormats register_privacy_formats();

// Retries briefly while another program holds the clipboard. Returns false
// when the clipboard could not be set: the caller must then not paste, or it
// would paste whatever was there before. The content is marked so clipboard
// history and cloud clipboard leave it out.
bool put_on_clipboard(HWND owner, std::wstring_view text, const PrivacyFormats& privacy);

}  // namespace tamga
