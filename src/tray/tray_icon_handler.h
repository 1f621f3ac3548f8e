#pragma once
// The hidden window shared by all tray icons of the process. The shell sends
// each icon's mouse notifications here, with the icon's number as wParam and
// the mouse message as lParam; the window hands them to the icon.
#include "window.h"

#include <map>
#include <memory>

namespace tamga {

class TTrayIcon;

// The shell's notification message for our icons (WM_USER + 0x400).
inline constexpr UINT kTrayNotifyMessage = 0x0800;

class TTrayIconHandler : public Window {
public:
    TTrayIconHandler();

private:
    friend class TrayIconSlot;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    std::map<UINT, TTrayIcon*> icons_;
    UINT next_id_ = 1;
};

// One icon's place in the shared handler: a number unique among the live
// icons, by which the shell's notifications find the icon. The handler and
// its window live while any icon holds a slot.
class TrayIconSlot {
public:
    explicit TrayIconSlot(TTrayIcon& icon);
    ~TrayIconSlot();
    TrayIconSlot(const TrayIconSlot&) = delete;
    TrayIconSlot& operator=(const TrayIconSlot&) = delete;

    HWND window() const { return handler_->hwnd(); }
    UINT id() const { return id_; }

private:
    std::shared_ptr<TTrayIconHandler> handler_;
    UINT id_;
};

}  // namespace tamga
