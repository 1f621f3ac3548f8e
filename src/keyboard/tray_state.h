#pragma once
// Which picture the tray icon shows for the keyboard hook's state.
#include <cstdint>

namespace tamga {

enum TrayPicture : int { kTrayLatin = 0, kTrayCyrillic = 1, kTrayOff = 2 };

inline constexpr std::uintptr_t kRussianLayout = 0x04190419;

// The picture a timer tick writes while keyboard changing is on: the Cyrillic
// one only in letter mode with the Russian layout in the foreground.
constexpr TrayPicture tray_picture_for(bool letter_mode, std::uintptr_t foreground_layout) {
    return letter_mode && foreground_layout == kRussianLayout ? kTrayCyrillic : kTrayLatin;
}

}  // namespace tamga
