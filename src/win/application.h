#pragma once
// The application object: the COM apartment of the GUI thread, the title, the
// hidden top-level window that carries the taskbar button (the main window is
// owned by it), the message loop, the termination request and the general
// error display.
#include "com_apartment.h"
#include "window.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tamga {

class TApplication : public Window {
public:
    explicit TApplication(std::wstring title);

    const std::wstring& title() const { return title_; }
    HWND taskbar_window() const { return hwnd(); }

    // The main window; the taskbar window forwards activation to it.
    HWND main_window() const { return main_window_; }
    void set_main_window(HWND window) { main_window_ = window; }

    // Shows the taskbar button while the main window is visible, hides it otherwise.
    void update_taskbar_button();
    // Whether the main window shows itself at start; a tray icon's OnStartup may say no.
    bool show_main_form() const { return show_main_form_; }
    void set_show_main_form(bool show) { show_main_form_ = show; }
    void minimize();
    void restore();
    // The main window's part in the taskbar button: minimising minimises the
    // application, showing and hiding shows and hides the button. Called by
    // the main window for each message; true when the message is handled.
    bool main_window_message(UINT message, WPARAM wparam, LPARAM lparam);

    int run();
    // Posts the quit message: the message loop ends with exit code 0.
    void terminate();
    bool terminating() const { return terminating_; }
    void process_messages();

    // The general error display: a stop box with the title as caption.
    void show_error(std::wstring_view text) const;

    // Observers of the taskbar window's messages, called before its own handling.
    using MessageHook = std::function<void(UINT, WPARAM, LPARAM)>;
    int add_message_hook(MessageHook hook);
    void remove_message_hook(int id);

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    ComApartment com_;
    std::wstring title_;
    HWND main_window_ = nullptr;
    bool show_main_form_ = true;
    bool terminating_ = false;
    std::map<int, MessageHook> hooks_;
    int next_hook_id_ = 1;
};

// Text of the general error display: a sentence ends with a full stop unless
// it already ends in punctuation that sorts at or before it.
std::wstring error_display_text(std::wstring_view text);

}  // namespace tamga
