// The baselines for the program benchmarks, built with the same toolchain and
// flags. The bare window is a plain Win32 window; with "timer" on the command
// line it also runs a 500 ms timer, like the palette's tick, and does nothing
// on it. Built with TAMGA_FLOOR, it is the floor: the bare window that also
// does what the palette's start-up cannot leave out (COM for the GUI thread,
// the common controls the program's windows use, one icon in the tray), with
// the program's manifest.
#include <windows.h>

#include <cwchar>

#ifdef TAMGA_FLOOR
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
constexpr const wchar_t* kTitle = L"Floor";
#else
constexpr const wchar_t* kTitle = L"Bare";
#endif

static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
#ifdef TAMGA_FLOOR
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"BareWindow", kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 337, 134, nullptr, nullptr, instance, nullptr);
#ifdef TAMGA_FLOOR
    NOTIFYICONDATAW icon{};
    icon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_APP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    std::wcscpy(icon.szTip, kTitle);
    Shell_NotifyIconW(NIM_ADD, &icon);
#endif
    ShowWindow(window, SW_SHOW);
    if (std::wcsstr(command_line, L"timer")) SetTimer(window, 1, 500, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
#ifdef TAMGA_FLOOR
    Shell_NotifyIconW(NIM_DELETE, &icon);
    if (com) CoUninitialize();
#endif
    return 0;
}
