#include "control_subclass.h"

namespace tamga {

ControlSubclass::ControlSubclass(HWND control) : hwnd_(control) {
    SetWindowSubclass(hwnd_, &ControlSubclass::procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

ControlSubclass::~ControlSubclass() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &ControlSubclass::procedure, 0);
}

LRESULT ControlSubclass::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    return default_handling(message, wparam, lparam);
}

LRESULT CALLBACK ControlSubclass::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                            DWORD_PTR self) {
    auto* subclass = reinterpret_cast<ControlSubclass*>(self);
    if (message == WM_NCDESTROY) {
        // The control goes before this object: let go of it.
        RemoveWindowSubclass(hwnd, &ControlSubclass::procedure, 0);
        subclass->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, message, wparam, lparam);
    }
    return subclass->handle_message(message, wparam, lparam);
}

}  // namespace tamga
