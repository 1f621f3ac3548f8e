#pragma once
// Behaviour added to a window that something else created (a dialog
// template's control, a tray icon's owner): its messages reach
// `handle_message` first, and whatever that leaves goes on to the window's
// own procedure. The creator owns the window.
#include "handles.h"

namespace tamga {

class ControlSubclass {
public:
    ControlSubclass(const ControlSubclass&) = delete;
    ControlSubclass& operator=(const ControlSubclass&) = delete;
    virtual ~ControlSubclass();

    HWND hwnd() const { return hwnd_; }

protected:
    explicit ControlSubclass(HWND control);

    virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT default_handling(UINT message, WPARAM wparam, LPARAM lparam) {
        return DefSubclassProc(hwnd_, message, wparam, lparam);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR self);

    HWND hwnd_;
};

}  // namespace tamga
