// A command-line window inspector for the end-to-end tests: it runs inside the
// test wine prefix and answers questions about real windows as JSON lines.
//
//   probe windows [class] [title]         top-level windows (all, or matching)
//   probe children HWND                   child windows, in z-order
//   probe info HWND                       one window
//   probe text HWND                       WM_GETTEXT, as the target's own text
//   probe foreground                      foreground window and its focus
//   probe clipboard                       CF_UNICODETEXT on the clipboard
//   probe clipboard-formats               names of the registered formats on the clipboard
//   probe set-clipboard TEXT              put TEXT on the clipboard
//   probe hold-clipboard MS               open the clipboard and keep it MS ms
//   probe set-foreground HWND             SetForegroundWindow
//   probe post HWND MSG WPARAM LPARAM     PostMessage
//   probe send HWND MSG WPARAM LPARAM MS  SendMessageTimeout, prints ok/timeout
//   probe click-button HWND               BM_CLICK on a dialog button
//   probe pixel X Y                       the screen colour at X,Y as RRGGBB
//   probe pixels L T R B                  the colours of a screen rectangle, row by row
//   probe move HWND X Y W H               SetWindowPos without activation
//   probe tray-delete HWND UID            Shell_NotifyIcon(NIM_DELETE) for another
//                                         program's icon, as a restarting shell loses it
//   probe broadcast-registered NAME       posts the registered message NAME to
//                                         every top-level window
//   probe serve                           answers commands read from stdin, one
//                                         per line, arguments separated by tabs
//                                         (spares a wine process start per query)
// Every answer, served or not, ends with {"done": CODE}.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::wstring wide(const char* s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
    w.resize(n ? n - 1 : 0);
    return w;
}

std::string json_string(const std::wstring& w) {
    std::string out = "\"";
    for (wchar_t c : w) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

HWND parse_hwnd(const char* s) { return reinterpret_cast<HWND>(std::strtoull(s, nullptr, 0)); }

std::wstring class_of(HWND w) {
    wchar_t buf[256] = {};
    GetClassNameW(w, buf, 256);
    return buf;
}

std::wstring title_of(HWND w) {
    wchar_t buf[1024] = {};
    GetWindowTextW(w, buf, 1024);
    return buf;
}

void print_info(HWND w) {
    RECT r{}, c{};
    GetWindowRect(w, &r);
    GetClientRect(w, &c);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(w, &pid);
    std::printf(
        "{\"hwnd\": %llu, \"class\": %s, \"title\": %s, \"style\": %lu, \"exstyle\": %lu, "
        "\"visible\": %s, \"enabled\": %s, \"iconic\": %s, \"rect\": [%ld, %ld, %ld, %ld], "
        "\"client\": [%ld, %ld, %ld, %ld], \"pid\": %lu, \"tid\": %lu, \"parent\": %llu, \"owner\": %llu, "
        "\"id\": %lld}\n",
        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), json_string(class_of(w)).c_str(),
        json_string(title_of(w)).c_str(), static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE)), IsWindowVisible(w) ? "true" : "false",
        IsWindowEnabled(w) ? "true" : "false", IsIconic(w) ? "true" : "false", r.left, r.top, r.right, r.bottom,
        origin.x, origin.y, origin.x + c.right, origin.y + c.bottom, pid, tid,
        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetParent(w))),
        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetWindow(w, GW_OWNER))),
        static_cast<long long>(GetWindowLongPtrW(w, GWLP_ID)));
}

struct Filter {
    std::wstring cls, title;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<Filter*>(p);
    if ((f->cls.empty() || class_of(w) == f->cls) && (f->title.empty() || title_of(w) == f->title))
        f->found.push_back(w);
    return TRUE;
}

int usage() {
    std::fprintf(stderr, "probe: unknown command (see probe.cpp)\n");
    return 2;
}

int run(const std::vector<std::string>& args) {
    if (args.empty()) return usage();
    const std::string& cmd = args[0];
    auto arg = [&](std::size_t i) { return i - 1 < args.size() ? args[i - 1].c_str() : ""; };
    if (cmd == "windows") {
        Filter f{wide(arg(2)), wide(arg(3))};
        EnumWindows(collect, reinterpret_cast<LPARAM>(&f));
        for (HWND w : f.found) print_info(w);
    } else if (cmd == "children") {
        HWND parent = parse_hwnd(arg(2));
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) print_info(c);
    } else if (cmd == "info") {
        HWND w = parse_hwnd(arg(2));
        if (!IsWindow(w)) return 1;
        print_info(w);
    } else if (cmd == "text") {
        HWND w = parse_hwnd(arg(2));
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return 1;
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                            5000, &copied);
        text.resize(copied);
        std::printf("{\"text\": %s}\n", json_string(text).c_str());
    } else if (cmd == "foreground") {
        HWND fg = GetForegroundWindow();
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(fg ? GetWindowThreadProcessId(fg, nullptr) : 0, &info);
        std::printf("{\"foreground\": %llu, \"focus\": %llu}\n",
                    static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(fg)),
                    static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.hwndFocus)));
    } else if (cmd == "clipboard") {
        std::wstring text;
        bool present = false;
        for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            present = true;
            text = static_cast<const wchar_t*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        std::printf("{\"present\": %s, \"text\": %s}\n", present ? "true" : "false", json_string(text).c_str());
    } else if (cmd == "clipboard-formats") {
        for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
        std::string names;
        for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
            wchar_t name[256];
            if (GetClipboardFormatNameW(format, name, 256) > 0)
                names += (names.empty() ? "" : ", ") + json_string(name);
        }
        CloseClipboard();
        std::printf("{\"formats\": [%s]}\n", names.c_str());
    } else if (cmd == "set-clipboard") {
        std::wstring text = wide(arg(2));
        for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(mem);
        SetClipboardData(CF_UNICODETEXT, mem);
        CloseClipboard();
    } else if (cmd == "hold-clipboard") {
        HWND owner = CreateWindowW(L"STATIC", L"clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (!OpenClipboard(owner)) return 1;
        std::printf("{\"holding\": true}\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(std::atoi(arg(2))));
        CloseClipboard();
    } else if (cmd == "set-foreground") {
        HWND w = parse_hwnd(arg(2));
        std::printf("{\"ok\": %s}\n", SetForegroundWindow(w) ? "true" : "false");
    } else if (cmd == "post") {
        PostMessageW(parse_hwnd(arg(2)), std::strtoul(arg(3), nullptr, 0), std::strtoull(arg(4), nullptr, 0),
                     std::strtoll(arg(5), nullptr, 0));
    } else if (cmd == "send") {
        DWORD_PTR result = 0;
        LRESULT ok = SendMessageTimeoutW(parse_hwnd(arg(2)), std::strtoul(arg(3), nullptr, 0),
                                         std::strtoull(arg(4), nullptr, 0), std::strtoll(arg(5), nullptr, 0),
                                         SMTO_NORMAL, std::strtoul(arg(6), nullptr, 0), &result);
        std::printf("{\"ok\": %s, \"result\": %llu}\n", ok ? "true" : "false", static_cast<unsigned long long>(result));
    } else if (cmd == "click-button") {
        HWND button = parse_hwnd(arg(2));
        PostMessageW(button, BM_CLICK, 0, 0);
    } else if (cmd == "pixel") {
        HDC screen = GetDC(nullptr);
        COLORREF c = GetPixel(screen, std::atoi(arg(2)), std::atoi(arg(3)));
        ReleaseDC(nullptr, screen);
        std::printf("{\"rgb\": \"%02x%02x%02x\"}\n", GetRValue(c), GetGValue(c), GetBValue(c));
    } else if (cmd == "pixels") {
        const RECT r{std::atoi(arg(2)), std::atoi(arg(3)), std::atoi(arg(4)), std::atoi(arg(5))};
        const int width = r.right - r.left, height = r.bottom - r.top;
        if (width <= 0 || height <= 0) return 1;
        // One copy of the rectangle: reading it pixel by pixel is a round trip
        // to the X server for each pixel.
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, copy);
        const bool copied = copy && BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        if (!copied) {
            DeleteObject(copy);
            return 1;
        }
        std::string colours;
        colours.reserve(static_cast<std::size_t>(width) * height * 10);
        const auto* pixel = static_cast<const std::uint32_t*>(bits);
        for (int i = 0; i < width * height; ++i) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%s\"%06x\"", i ? ", " : "", static_cast<unsigned>(pixel[i] & 0xFFFFFF));
            colours += hex;
        }
        DeleteObject(copy);
        std::printf("{\"rgb\": [%s]}\n", colours.c_str());
    } else if (cmd == "move") {
        if (!SetWindowPos(parse_hwnd(arg(2)), nullptr, std::atoi(arg(3)), std::atoi(arg(4)), std::atoi(arg(5)),
                          std::atoi(arg(6)), SWP_NOZORDER | SWP_NOACTIVATE))
            return 1;
    } else if (cmd == "tray-delete") {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = parse_hwnd(arg(2));
        data.uID = std::strtoul(arg(3), nullptr, 0);
        const bool ok = Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
        std::printf("{\"ok\": %s}\n", ok ? "true" : "false");
    } else if (cmd == "broadcast-registered") {
        const UINT message = RegisterWindowMessageW(wide(arg(2)).c_str());
        if (!message || !PostMessageW(HWND_BROADCAST, message, 0, 0)) return 1;
        std::printf("{\"message\": %u}\n", message);
    } else if (cmd == "serve") {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::vector<std::string> words;
            for (std::size_t start = 0;;) {
                const std::size_t tab = line.find('\t', start);
                words.push_back(line.substr(start, tab - start));
                if (tab == std::string::npos) break;
                start = tab + 1;
            }
            const int code = words[0] == "serve" ? 2 : run(words);
            std::printf("{\"done\": %d}\n", code);
            std::fflush(stdout);
        }
    } else {
        return usage();
    }
    return 0;
}

}  // namespace

// Every run ends with the closing line a served command ends with, so the
// caller can tell a finished command from a process that never ran.
int main(int argc, char** argv) {
    const int code = run(std::vector<std::string>(argv + 1, argv + argc));
    std::printf("{\"done\": %d}\n", code);
    return code;
}
