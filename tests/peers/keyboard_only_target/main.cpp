// A stand-in for a program that takes text only as keyboard input, as
// browser engines, Qt, WPF and terminals do: its text window accepts a
// character only as the WM_CHAR that follows a key press it received through
// its queue, and ignores WM_PASTE, WM_UNICHAR and WM_CHAR sent or posted
// without a key press.
//
//   keyboard_only_target CLASS [--child CLASS] [--log FILE] [--focus-log FILE]
//                        [--decoy]
//
//   CLASS          the top-level window's class name
//   --child CLASS  the text window is a child of this class; otherwise the
//                  top-level window is the text window itself
//   --log FILE     one line per character received: "typed XXXX" when
//                  accepted, "WM_CHAR XXXX ignored", "WM_UNICHAR XXXX ignored",
//                  "WM_PASTE ignored"
//   --focus-log FILE  one line per loss of the keyboard: "WM_KILLFOCUS" on the
//                  text window, "WM_ACTIVATEAPP 0" on the top-level window
//   --key-log FILE one line per key message to the text window: "WM_KEYDOWN XX"
//                  or "WM_KEYUP XX" with the virtual key in hex
//   --decoy        once it has lost the foreground to another program, it never comes
//                  back to the front: each later activation is handed to a
//                  second window (class "KeyboardOnlyDecoy"). That window
//                  keeps no keyboard focus (a focused window would itself
//                  become the palette's target), so key presses go to it as
//                  the active window, and it accepts them the same way
//
// WM_GETTEXT on a text window answers with the text it accepted.
#include "line_log.h"
#include "handles.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

namespace {

constexpr UINT kHandToDecoy = WM_APP + 1;

struct Options {
    std::wstring top_class;
    std::optional<std::wstring> child_class;
    std::optional<std::wstring> log;
    std::optional<std::wstring> focus_log;
    std::optional<std::wstring> key_log;
    bool decoy = false;
};

std::optional<Options> parse(int argc, wchar_t** argv) {
    if (argc < 2) return std::nullopt;
    Options options{argv[1]};
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--child" && i + 1 < argc) options.child_class = argv[++i];
        else if (arg == L"--log" && i + 1 < argc) options.log = argv[++i];
        else if (arg == L"--focus-log" && i + 1 < argc) options.focus_log = argv[++i];
        else if (arg == L"--key-log" && i + 1 < argc) options.key_log = argv[++i];
        else if (arg == L"--decoy") options.decoy = true;
        else return std::nullopt;
    }
    return options;
}

// What one text window got; lives as long as the message loop.
struct TextWindow {
    std::wstring text;
    bool key_pressed = false;  // a key press came through the queue and its character is due
};

struct Program {
    std::optional<tamga::peers::LineLog> log, focus_log, key_log;
    TextWindow main_text, decoy_text;
    HWND top = nullptr, text_window = nullptr, decoy = nullptr;
    bool decoy_mode = false, lost_foreground = false;

    void key(const wchar_t* what, WPARAM code) const {
        if (!key_log) return;
        wchar_t line[32];
        std::swprintf(line, 32, what, static_cast<unsigned>(code));
        key_log->write(line);
    }

    void record(const wchar_t* what, WPARAM code) const {
        if (!log) return;
        wchar_t line[48];
        std::swprintf(line, 48, what, static_cast<unsigned>(code));
        log->write(line);
    }

    void focus_lost(const wchar_t* what) const {
        if (focus_log) focus_log->write(what);
    }
};

TextWindow* text_of(Program* program, HWND window) {
    if (window == program->text_window) return &program->main_text;
    if (window == program->decoy) return &program->decoy_text;
    return nullptr;
}

// Returns true when the message was a text window's and is handled.
bool text_message(Program* program, HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    TextWindow* text = text_of(program, window);
    if (!text) return false;
    result = 0;
    switch (message) {
        case WM_KEYDOWN:
            if (!InSendMessage()) text->key_pressed = true;
            program->key(L"WM_KEYDOWN %02X", wparam);
            return false;
        case WM_KEYUP:
            program->key(L"WM_KEYUP %02X", wparam);
            return false;
        case WM_KILLFOCUS:
            if (window == program->text_window) program->focus_lost(L"WM_KILLFOCUS");
            return false;
        case WM_CHAR:
            if (text->key_pressed && !InSendMessage()) {
                text->key_pressed = false;
                text->text += static_cast<wchar_t>(wparam);
                if (window == program->text_window) program->record(L"typed %04X", wparam);
            } else {
                program->record(L"WM_CHAR %04X ignored", wparam);
            }
            return true;
        case WM_UNICHAR:
            program->record(L"WM_UNICHAR %04X ignored", wparam);
            return true;
        case WM_PASTE:
            program->record(L"WM_PASTE ignored", 0);
            return true;
        case WM_GETTEXTLENGTH:
            result = static_cast<LRESULT>(text->text.size());
            return true;
        case WM_GETTEXT: {
            const std::size_t room = wparam;
            if (room == 0) return true;
            const std::size_t copied = text->text.size() < room - 1 ? text->text.size() : room - 1;
            auto* buffer = reinterpret_cast<wchar_t*>(lparam);
            text->text.copy(buffer, copied);
            buffer[copied] = L'\0';
            result = static_cast<LRESULT>(copied);
            return true;
        }
    }
    return false;
}

// Every window of the program carries the program's state.
LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
    auto* program = reinterpret_cast<Program*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!program) return DefWindowProcW(window, message, wparam, lparam);
    if (LRESULT result = 0; text_message(program, window, message, wparam, lparam, result)) return result;
    if (window == program->decoy && message == WM_SETFOCUS) {
        SetFocus(nullptr);
        return 0;
    }
    if (window == program->top) {
        switch (message) {
            case WM_SETFOCUS:
                if (program->text_window != window) SetFocus(program->text_window);
                return 0;
            case WM_ACTIVATEAPP:
                if (!wparam) {
                    program->focus_lost(L"WM_ACTIVATEAPP 0");
                    program->lost_foreground = true;
                }
                break;
            case WM_ACTIVATE:
                if (LOWORD(wparam) != WA_INACTIVE && program->decoy_mode && program->lost_foreground)
                    PostMessageW(window, kHandToDecoy, 0, 0);
                break;
            case kHandToDecoy:
                SetForegroundWindow(program->decoy);
                return 0;
            case WM_CLOSE:
                PostQuitMessage(0);
                return 0;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void register_class(const wchar_t* name) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    window_class.lpszClassName = name;
    RegisterClassW(&window_class);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) return 2;
    Program state;
    state.decoy_mode = options->decoy;
    if (options->log) {
        state.log.emplace(options->log->c_str());
        if (!*state.log) return 2;
    }
    if (options->key_log) {
        state.key_log.emplace(options->key_log->c_str());
        if (!*state.key_log) return 2;
    }
    if (options->focus_log) {
        state.focus_log.emplace(options->focus_log->c_str());
        if (!*state.focus_log) return 2;
    }

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    register_class(options->top_class.c_str());
    tamga::UniqueWindow top(CreateWindowExW(0, options->top_class.c_str(), L"Keyboard-only target",
                                            WS_OVERLAPPEDWINDOW, 0, 0, 420, 300, nullptr, nullptr, instance,
                                            &state));
    if (!top) return 1;
    state.top = top.get();
    state.text_window = top.get();
    if (options->child_class) {
        register_class(options->child_class->c_str());
        state.text_window = CreateWindowExW(0, options->child_class->c_str(), L"", WS_CHILD | WS_VISIBLE, 0, 0, 400,
                                            250, top.get(), nullptr, instance, &state);
        if (!state.text_window) return 1;
    }
    tamga::UniqueWindow decoy;
    if (options->decoy) {
        register_class(L"KeyboardOnlyDecoy");
        decoy.reset(CreateWindowExW(0, L"KeyboardOnlyDecoy", L"Keyboard-only decoy", WS_OVERLAPPEDWINDOW, 0, 320,
                                    420, 200, nullptr, nullptr, instance, &state));
        if (!decoy) return 1;
        state.decoy = decoy.get();
        ShowWindow(decoy.get(), SW_SHOWNOACTIVATE);
    }
    ShowWindow(top.get(), SW_SHOW);
    SetFocus(state.text_window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
