// A stand-in for the program the user types in: a frame whose focused edit
// control stands for the document.
//
//   typing_target [--first-child TITLE] [--log FILE] [--focus-log FILE]
//                 [--edit-class NAME] [--hang] [--no-focus] [--plain-edit]
//
//   --first-child TITLE  puts a child titled TITLE above the edit, the way a
//                        word processor's document window has its control
//                        container as first sibling
//   --log FILE           records each WM_PASTE and WM_UNICHAR the edit receives,
//                        and each key press ("WM_KEYDOWN XX", the virtual key)
//   --focus-log FILE     records each loss of the keyboard: "WM_KILLFOCUS" on the
//                        edit, "WM_ACTIVATEAPP 0" on the frame
//   --edit-class NAME    the edit is made under a class of this name, a copy of
//                        the system's edit class, as programs superclass it
//   --hang               the edit sleeps 30 s on every WM_PASTE and WM_UNICHAR,
//                        like a program whose GUI thread is stuck
//   --no-focus           no edit: a program in front whose windows take no keys
//   --plain-edit         the edit has no scroll bar: wine's edit redraws its
//                        scroll bars at every insertion, which would swamp the
//                        cost of the route a character came by
#include "line_log.h"
#include "handles.h"

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <optional>
#include <string>

namespace {

constexpr int kFirstChildId = 1;
constexpr int kEditId = 2;
constexpr DWORD kHangMs = 30'000;

struct Options {
    std::optional<std::wstring> first_child;
    std::optional<std::wstring> log;
    std::optional<std::wstring> focus_log;
    std::optional<std::wstring> edit_class;
    bool hang = false;
    bool no_focus = false;
    bool plain_edit = false;
};

std::optional<Options> parse(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--first-child" && i + 1 < argc) options.first_child = argv[++i];
        else if (arg == L"--log" && i + 1 < argc) options.log = argv[++i];
        else if (arg == L"--focus-log" && i + 1 < argc) options.focus_log = argv[++i];
        else if (arg == L"--edit-class" && i + 1 < argc) options.edit_class = argv[++i];
        else if (arg == L"--hang") options.hang = true;
        else if (arg == L"--no-focus") options.no_focus = true;
        else if (arg == L"--plain-edit") options.plain_edit = true;
        else return std::nullopt;
    }
    return options;
}

struct EditBehaviour {
    std::optional<tamga::peers::LineLog> log;
    std::optional<tamga::peers::LineLog> focus_log;
    bool hang = false;

    void focus_lost(const wchar_t* what) const {
        if (focus_log) focus_log->write(what);
    }
};

LRESULT CALLBACK edit_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    const auto& behaviour = *reinterpret_cast<const EditBehaviour*>(data);
    if (message == WM_KILLFOCUS) behaviour.focus_lost(L"WM_KILLFOCUS");
    if (message == WM_KEYDOWN && behaviour.log) {
        wchar_t line[40];
        std::swprintf(line, 40, L"WM_KEYDOWN %02X", static_cast<unsigned>(wparam));
        behaviour.log->write(line);
    }
    if (message == WM_PASTE || message == WM_UNICHAR) {
        if (behaviour.log) {
            wchar_t line[40];
            if (message == WM_PASTE) std::swprintf(line, 40, L"WM_PASTE");
            else std::swprintf(line, 40, L"WM_UNICHAR %04X", static_cast<unsigned>(wparam));
            behaviour.log->write(line);
        }
        if (behaviour.hang) Sleep(kHangMs);
    }
    return DefSubclassProc(edit, message, wparam, lparam);
}

LRESULT CALLBACK frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(frame, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
    switch (message) {
        case WM_ACTIVATEAPP:
            if (!wparam)
                if (auto* behaviour = reinterpret_cast<const EditBehaviour*>(GetWindowLongPtrW(frame, GWLP_USERDATA)))
                    behaviour->focus_lost(L"WM_ACTIVATEAPP 0");
            break;
        case WM_SETFOCUS:
            // Passed on to the edit; without one, no window keeps the focus.
            SetFocus(GetDlgItem(frame, kEditId));
            return 0;
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(frame, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) return 2;
    EditBehaviour behaviour{.hang = options->hang};
    if (options->log) {
        behaviour.log.emplace(options->log->c_str());
        if (!*behaviour.log) return 2;
    }
    if (options->focus_log) {
        behaviour.focus_log.emplace(options->focus_log->c_str());
        if (!*behaviour.focus_log) return 2;
    }

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW frame_class{};
    frame_class.lpfnWndProc = frame_proc;
    frame_class.hInstance = instance;
    frame_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frame_class.lpszClassName = L"TypingTarget";
    RegisterClassW(&frame_class);

    tamga::UniqueWindow frame(CreateWindowExW(0, L"TypingTarget", L"Typing target", WS_OVERLAPPEDWINDOW, 0, 0,
                                              420, 300, nullptr, nullptr, instance, &behaviour));
    if (!frame) return 1;
    if (options->first_child) {
        HWND container = CreateWindowExW(0, L"STATIC", options->first_child->c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                                         400, 20, frame.get(), reinterpret_cast<HMENU>(kFirstChildId), instance,
                                         nullptr);
        SetWindowPos(container, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    const wchar_t* edit_class = L"EDIT";
    if (options->edit_class) {
        WNDCLASSW copy{};
        GetClassInfoW(nullptr, L"EDIT", &copy);
        copy.hInstance = instance;
        copy.lpszClassName = options->edit_class->c_str();
        if (!RegisterClassW(&copy)) return 1;
        edit_class = options->edit_class->c_str();
    }
    if (!options->no_focus) {
        const DWORD scroll_bar = options->plain_edit ? 0 : WS_VSCROLL;
        HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, edit_class, L"",
                                    WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | scroll_bar, 0, 24, 400,
                                    230, frame.get(), reinterpret_cast<HMENU>(kEditId), instance, nullptr);
        SetWindowSubclass(edit, edit_proc, 0, reinterpret_cast<DWORD_PTR>(&behaviour));
    }
    ShowWindow(frame.get(), SW_SHOW);
    SetFocus(GetDlgItem(frame.get(), kEditId));

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (HWND edit = GetDlgItem(frame.get(), kEditId)) RemoveWindowSubclass(edit, edit_proc, 0);
    return 0;
}
