// A program that holds a global key combination, as another tool on the
// user's desktop may: it registers Ctrl+Shift+F7 and Ctrl+Shift+F8 and shows a
// window titled "HotKeyHolder" once it holds both ("HotKeyHolder refused" if
// it could not).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const bool held = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, VK_F7) &&
                      RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_SHIFT, VK_F8);
    HWND window = CreateWindowExW(0, L"STATIC", held ? L"HotKeyHolder" : L"HotKeyHolder refused",
                                  WS_OVERLAPPED | WS_VISIBLE, 500, 400, 200, 60, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (window && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
