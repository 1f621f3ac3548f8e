#include "application.h"

namespace tamga {

TApplication::TApplication(std::wstring title) : title_(std::move(title)) {
    // A zero-sized popup with a caption: visible, it gives the program one
    // taskbar button while drawing nothing on the screen.
    create({.class_name = L"TamgalikApplication",
            .title = title_.c_str(),
            .style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
            .x = GetSystemMetrics(SM_CXSCREEN) / 2,
            .y = GetSystemMetrics(SM_CYSCREEN) / 2,
            .icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON")});
}

void TApplication::update_taskbar_button() {
    const bool wanted = main_window_ && IsWindowVisible(main_window_);
    if (wanted != static_cast<bool>(IsWindowVisible(hwnd())))
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (wanted ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::minimize() {
    if (!IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
}

void TApplication::restore() {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
}

bool TApplication::main_window_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_MINIMIZE) {
        minimize();
        return true;
    }
    if (message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(lparam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
        update_taskbar_button();
    return false;
}

int TApplication::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    terminating_ = true;
    return static_cast<int>(msg.wParam);
}

void TApplication::terminate() { PostQuitMessage(0); }

void TApplication::process_messages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring error_display_text(std::wstring_view text) {
    std::wstring shown(text);
    if (!shown.empty() && shown.back() > L'.') shown += L'.';
    return shown;
}

void TApplication::show_error(std::wstring_view text) const {
    const std::wstring shown = error_display_text(text);
    MessageBoxW(main_window_ ? main_window_ : hwnd(), shown.c_str(), title_.c_str(),
                MB_OK | MB_ICONSTOP);
}

int TApplication::add_message_hook(MessageHook hook) {
    hooks_.emplace(next_hook_id_, std::move(hook));
    return next_hook_id_++;
}

void TApplication::remove_message_hook(int id) { hooks_.erase(id); }

LRESULT TApplication::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    // Copy: a hook may remove itself while it runs.
    const auto hooks = hooks_;
    for (const auto& [id, hook] : hooks) hook(message, wparam, lparam);
    switch (message) {
        case WM_SETFOCUS:
        case WM_ACTIVATE:
            // The taskbar window is only a handle for the button; its
            // activation belongs to the main window.
            if (main_window_ && IsWindowVisible(main_window_) && !IsIconic(hwnd()) &&
                (message == WM_SETFOCUS || LOWORD(wparam) != WA_INACTIVE)) {
                SetActiveWindow(main_window_);
                return 0;
            }
            break;
        case WM_CLOSE:
            // Closing the taskbar button closes the main window.
            if (main_window_) PostMessageW(main_window_, WM_CLOSE, 0, 0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == SC_RESTORE && main_window_) {
                LRESULT result = default_handling(message, wparam, lparam);
                if (IsIconic(main_window_)) ShowWindow(main_window_, SW_RESTORE);
                ShowWindow(main_window_, SW_SHOW);
                return result;
            }
            break;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
