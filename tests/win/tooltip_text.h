#pragma once
// The tip a control of this thread shows, read from its tooltip window.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tamga::testing {

// The tooltip window of this thread that has a tool for `control`.
inline HWND tooltip_of(HWND control) {
    struct Search {
        HWND control, found;
    } search{control, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(p);
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            TTTOOLINFOW tool{sizeof tool};
            tool.hwnd = GetParent(s.control);
            tool.uId = reinterpret_cast<UINT_PTR>(s.control);
            if (std::wstring(cls) == TOOLTIPS_CLASSW && SendMessageW(w, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
                s.found = w;
            return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring tooltip_text(HWND control) {
    wchar_t text[256] = {};
    TTTOOLINFOW tool{sizeof tool};
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tooltip_of(control), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

}  // namespace tamga::testing
