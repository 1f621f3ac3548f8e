#pragma once
// A plain child area in the button-face colour that holds other controls.
#include "window.h"

namespace tamga {

class Panel : public Window {
public:
    Panel(HWND parent, RECT bounds) {
        create({.class_name = L"TamgalikPanel",
                .style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                .x = bounds.left,
                .y = bounds.top,
                .width = bounds.right - bounds.left,
                .height = bounds.bottom - bounds.top,
                .parent = parent,
                // The colour index, not a brush handle: it follows a change
                // of the system's colours (wine replaces its colour brushes).
                .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
    }
    void set_visible(bool visible) { ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE); }
    bool visible() const { return IsWindowVisible(hwnd()); }
};

}  // namespace tamga
