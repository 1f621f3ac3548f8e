#include "target_window.h"

namespace tamga {

std::optional<HWND> focused_window_of_foreground(DWORD own_thread, HWND remembered) {
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

bool send_to_target(HWND target, UINT message, WPARAM wparam) {
    if (!target) return true;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(target, message, wparam, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kAnswerTimeoutMs,
                               &ignored) != 0 ||
           !IsWindow(target);
}

void return_foreground(HWND target) {
    if (HWND top = target ? GetAncestor(target, GA_ROOT) : nullptr) SetForegroundWindow(top);
}

}  // namespace tamga
