#include "display_dpi.h"

namespace tamga {

int dpi_of(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto for_window = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (for_window && window) {
        if (const UINT dpi = for_window(window)) return static_cast<int>(dpi);
    }
    const WindowDC screen;
    return GetDeviceCaps(screen.dc(), LOGPIXELSY);
}

}  // namespace tamga
