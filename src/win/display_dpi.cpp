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

void set_client_size(HWND window, int width, int height) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                 outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tamga
