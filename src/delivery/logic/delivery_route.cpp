#include "delivery_route.h"

#include <array>

namespace tamga {
namespace {

// Window classes of programs that ignore WM_PASTE and WM_UNICHAR and read
// text only from key presses; "*" stands for any run of characters.
constexpr auto kKeysOnlyClasses = std::to_array<std::wstring_view>({
    // Chromium, Electron, CEF and the programs built on them
    L"Chrome_WidgetWin_*", L"Chrome_RenderWidgetHostHWND", L"CefBrowserWindow",
    // Firefox and Thunderbird
    L"MozillaWindowClass",
    // Qt 5 and 6 (Qt5QWindowIcon, Qt6152QWindowOwnDCIcon, ...)
    L"Qt*QWindow*",
    // WPF
    L"HwndWrapper[*",
    // UWP and WinUI
    L"Windows.UI.Core.CoreWindow", L"ApplicationFrameWindow", L"WinUIDesktopWin32WindowClass",
    L"Microsoft.UI.Content.DesktopChildSiteBridge", L"Windows.UI.Input.InputSite.WindowClass",
    // consoles and terminals
    L"ConsoleWindowClass", L"CASCADIA_HOSTING_WINDOW_CLASS", L"PseudoConsoleWindow",
    // Java AWT and Swing
    L"SunAwt*",
    // GTK 3 and 4
    L"gdkWindow*", L"gdkSurface*",
    // SDL
    L"SDL_app",
    // Flutter
    L"FLUTTER_RUNNER_WIN32_WINDOW", L"FLUTTERVIEW",
    // Java FX
    L"GlassWndClass-GlassWindowClass-*",
});

constexpr wchar_t folded(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// Glob match with "*" only, iterative with one backtrack point.
bool matches(std::wstring_view pattern, std::wstring_view name) {
    std::size_t p = 0, n = 0, star = std::wstring_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && folded(pattern[p]) == folded(name[n])) {
            ++p;
            ++n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace

bool takes_text_only_as_keys(std::wstring_view window_class) {
    if (window_class.empty()) return false;
    for (std::wstring_view pattern : kKeysOnlyClasses)
        if (matches(pattern, window_class)) return true;
    return false;
}

}  // namespace tamga
