#pragma once
// A key combination that reaches a window as WM_HOTKEY whichever program is
// in front, registered for the object's lifetime.
#include "handles.h"

namespace tamga {

class GlobalHotKey {
public:
    // `modifiers` as RegisterHotKey takes them (MOD_CONTROL, MOD_SHIFT, ...);
    // held down, the key counts once.
    GlobalHotKey(HWND window, int id, UINT modifiers, UINT key)
        : window_(window), id_(id), registered_(RegisterHotKey(window, id, modifiers | MOD_NOREPEAT, key) != FALSE) {}
    ~GlobalHotKey() {
        if (registered_) UnregisterHotKey(window_, id_);
    }
    GlobalHotKey(const GlobalHotKey&) = delete;
    GlobalHotKey& operator=(const GlobalHotKey&) = delete;

    // False when another program holds the combination already.
    bool registered() const { return registered_; }

private:
    HWND window_;
    int id_;
    bool registered_;
};

}  // namespace tamga
