#pragma once
// Which picture the tray icon shows for the keyboard hook's state.
#include "keyboard_layout.h"

#include <cstdint>

namespace tamga {

enum TrayPicture : int { kTrayLatin = 0, kTrayCyrillic = 1, kTrayOff = 2 };

// The picture a timer tick writes while keyboard changing is on: the Cyrillic
// one only in letter mode while the foreground types Russian, which is when
// the hook types Cyrillic.
constexpr TrayPicture tray_picture_for(bool letter_mode, std::uintptr_t foreground_layout) {
    return letter_mode && is_russian_layout(foreground_layout) ? kTrayCyrillic : kTrayLatin;
}

// The state pictures are drawn at the tray's small-icon sizes of 100, 125,
// 150 and 200 %; the tray gets the largest that is not bigger than its own.
inline constexpr int kTrayPictureSizes[] = {16, 20, 24, 32};
constexpr int tray_picture_size_for(int small_icon_size) {
    int chosen = kTrayPictureSizes[0];
    for (int size : kTrayPictureSizes)
        if (size <= small_icon_size) chosen = size;
    return chosen;
}

}  // namespace tamga
