#include "target_window.h"

namespace tamga {
namespace {

bool own_program_in_front() {
    DWORD process = 0;
    HWND foreground = GetForegroundWindow();
    if (foreground) GetWindowThreadProcessId(foreground, &process);
    return foreground && process == GetCurrentProcessId();
}

std::optional<HWND> focus_now(DWORD own_thread, HWND remembered) {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return std::nullopt;
    const DWORD thread = GetWindowThreadProcessId(foreground, nullptr);
    if (thread == own_thread) return std::nullopt;
    GUITHREADINFO info{sizeof info};
    if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return std::nullopt;
    // Getting the foreground back, a program's frame holds the focus for a
    // moment before passing it on to the child last typed in.
    if (info.hwndFocus == foreground && remembered && IsChild(foreground, remembered)) return std::nullopt;
    return info.hwndFocus;
}

}  // namespace

std::optional<HWND> focused_window_of_foreground(DWORD own_thread, HWND remembered) {
    // The common case in one question to the system: the window typed in
    // last still holds the keyboard in front (never one of ours).
    GUITHREADINFO front{sizeof front};
    if (remembered && GetGUIThreadInfo(0, &front) && front.hwndFocus == remembered) return remembered;
    const std::optional<HWND> seen = focus_now(own_thread, remembered);
    if (!seen || *seen == remembered) return seen;
    // A program coming to the front holds the focus on its frame while it
    // handles the activation (several times under a window manager), before
    // passing it on to a child, or to no window at all in a program whose
    // windows take no keys. A message round trip waits until the program has
    // handled what it was doing: only a focus still held then is taken.
    constexpr UINT kSettleTimeoutMs = 100;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(*seen, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kSettleTimeoutMs, &ignored);
    return focus_now(own_thread, remembered) == seen ? seen : std::nullopt;
}

std::wstring trimmed_first_sibling_title(HWND target) {
    HWND first = target ? GetWindow(target, GW_HWNDFIRST) : nullptr;
    wchar_t buffer[1024] = {};
    if (first) GetWindowTextW(first, buffer, 1024);
    std::wstring title(buffer);
    const auto blank = [](wchar_t c) { return c <= L' '; };
    while (!title.empty() && blank(title.back())) title.pop_back();
    std::size_t start = 0;
    while (start < title.size() && blank(title[start])) ++start;
    return title.substr(start);
}

bool is_word_processor_document(HWND target) {
    return trimmed_first_sibling_title(target) == L"MSO Generic Control Container";
}

TargetKind target_kind(HWND target) {
    if (!target || !IsWindow(target)) return TargetKind::Missing;
    if (is_word_processor_document(target)) return TargetKind::WordDocument;
    // The class the control was made from: a superclassed edit control
    // answers "Edit" here on Windows.
    wchar_t made_from[256] = {};
    RealGetWindowClassW(target, made_from, 256);
    if (is_edit_class(made_from)) return TargetKind::EditControl;
    constexpr UINT kAskTimeoutMs = 250;
    DWORD_PTR code = 0;
    if (SendMessageTimeoutW(target, WM_GETDLGCODE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kAskTimeoutMs, &code) &&
        (code & DLGC_HASSETSEL))
        return TargetKind::EditControl;
    return TargetKind::Other;
}

bool send_to_target(HWND target, UINT message, WPARAM wparam) {
    if (!target) return true;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(target, message, wparam, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kAnswerTimeoutMs,
                               &ignored) != 0 ||
           !IsWindow(target);
}

void return_foreground(HWND target) {
    HWND top = target ? GetAncestor(target, GA_ROOT) : nullptr;
    HWND foreground = GetForegroundWindow();
    if (!top || foreground == top) return;
    if (foreground && !own_program_in_front()) {
        GUITHREADINFO info{sizeof info};
        if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus) return;
    }
    SetForegroundWindow(top);
}

void give_foreground(HWND target) {
    if (HWND top = target ? GetAncestor(target, GA_ROOT) : nullptr) SetForegroundWindow(top);
}

}  // namespace tamga
