#pragma once
// The DPI a window is drawn at: its monitor's where the system keeps one per
// monitor (Windows 10 and later), else the system's. Looked up at run time so
// the program still starts on Windows 7.
#include "handles.h"

namespace tamga {

int dpi_of(HWND window);

// Gives the window this client size under its own frame, measured on the
// window (right at any DPI, whatever the system's frame metrics).
void set_client_size(HWND window, int width, int height);

// The new DPI of WM_DPICHANGED, and the place the system suggests for it.
inline int dpi_changed_to(WPARAM wparam) { return HIWORD(wparam); }
inline const RECT& dpi_changed_place(LPARAM lparam) { return *reinterpret_cast<const RECT*>(lparam); }

}  // namespace tamga
