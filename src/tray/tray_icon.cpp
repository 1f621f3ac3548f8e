#include "tray_icon.h"

#include "control_subclass.h"
#include "icon_rules.h"

#include <shlwapi.h>

#include <algorithm>

namespace tamga {

namespace {

constexpr UINT kExitPollInterval = 20;

// The shell broadcasts "TaskbarCreated" when its tray is re-created; the
// message exists from common controls 4.71 on. The version comes from the
// library's own DllGetVersion: version.dll is not imported, as a planted copy
// beside the program would run.
UINT taskbar_created_message() {
    static const UINT message = [] {
        // Loaded already: this unit imports the image list functions.
        HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
        auto* get_version = comctl ? reinterpret_cast<DLLGETVERSIONPROC>(
                                         reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")))
                                   : nullptr;
        DLLVERSIONINFO version{sizeof version};
        if (!get_version || FAILED(get_version(&version)) ||
            !shell_announces_restart(version.dwMajorVersion, version.dwMinorVersion))
            return 0u;
        return RegisterWindowMessageW(L"TaskbarCreated");
    }();
    return message;
}

bool key_down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

TShiftState keyboard_shift() {
    TShiftState shift = 0;
    if (key_down(VK_SHIFT)) shift |= ssShift;
    if (key_down(VK_CONTROL)) shift |= ssCtrl;
    if (key_down(VK_MENU)) shift |= ssAlt;
    return shift;
}

}  // namespace

TTrayIcon::TTrayIcon(TApplication& application, HWND owner)
    : app_(application),
      owner_(owner),
      slot_(*this),
      cycle_timer_(1000, [this](TSimpleTimer&) { cycle_tick(); }),
      click_timer_(1000, [this](TSimpleTimer&) { click_wait_over(); }),
      exit_timer_(kExitPollInterval, [this](TSimpleTimer&) { exit_poll(); }) {
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data_.hWnd = slot_.window();
    data_.uID = slot_.id();
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayNotifyMessage;
    hook_id_ = app_.add_message_hook(
        [this](UINT message, WPARAM wparam, LPARAM) { application_message(message, wparam); });
    // The hook and the subclass come last: nothing after them can fail, so
    // the destructor always undoes them.
    owner_subclass_ = std::make_unique<OwnerSubclass>(owner_, *this);
}

TTrayIcon::~TTrayIcon() {
    SetIconVisible(false);
    app_.remove_message_hook(hook_id_);
    owner_subclass_.reset();
}

void TTrayIcon::Loaded() {
    if (OnStartup) {
        bool show_main_form = true;
        OnStartup(*this, show_main_form);
        if (!show_main_form) {
            app_.set_show_main_form(false);
            HideMainWindow();
        }
    }
    UpdateTrayIcon();
    SetIconVisible(icon_visible_);
    SetCycleIcons(cycle_icons_);
    SetWantEnterExitEvents(want_enter_exit_);
    // Version 0 notifications: lParam is the plain mouse message.
    data_.uVersion = 0;
    notify_shell(NIM_SETVERSION);
}

// --- properties -------------------------------------------------------------

void TTrayIcon::SetIconList(HIMAGELIST list) {
    icon_list_ = list;
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool cycle) {
    cycle_icons_ = cycle;
    if (cycle) {
        SetIconIndex(0);
        cycle_timer_.SetInterval(cycle_interval_);
        cycle_timer_.SetActive(true);
    } else {
        cycle_timer_.SetActive(false);
    }
}

void TTrayIcon::SetCycleInterval(UINT interval) {
    if (interval == cycle_interval_) return;
    cycle_interval_ = interval;
    SetCycleIcons(cycle_icons_);
}

void TTrayIcon::SetHint(std::wstring hint) {
    hint_ = std::move(hint);
    UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool show) {
    show_hint_ = show;
    UpdateTrayIcon();
}

void TTrayIcon::SetIcon(HICON picture) {
    icon_.reset(picture ? CopyIcon(picture) : nullptr);
    UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool visible) {
    if (visible)
        AddTrayIcon();
    else
        RemoveTrayIcon();
}

void TTrayIcon::SetIconIndex(int index) {
    if (icon_list_) {
        icon_index_ = icon_index_for(index, ImageList_GetImageCount(icon_list_));
        // An index outside the list leaves the picture as it was.
        if (UniqueIcon picture{ImageList_GetIcon(icon_list_, icon_index_, ILD_NORMAL)}) icon_ = std::move(picture);
    } else {
        icon_index_ = 0;
    }
    UpdateTrayIcon();
}

void TTrayIcon::SetWantEnterExitEvents(bool want) {
    want_enter_exit_ = want;
    exit_timer_.SetActive(want);
}

// --- the shell --------------------------------------------------------------

void TTrayIcon::prepare_icon_data() {
    data_.hIcon = icon_.get();
    const std::wstring tip = tooltip_text(hint_, show_hint_);
    std::fill(std::begin(data_.szTip), std::end(data_.szTip), L'\0');
    std::copy(tip.begin(), tip.end(), data_.szTip);
}

bool TTrayIcon::notify_shell(DWORD command) {
    prepare_icon_data();
    // The shell modifies only an icon it holds and adds only one it does not;
    // a modification to what it shows already changes nothing. (A new picture
    // is made while the shown one still lives, so its handle differs.)
    // An icon keeps version 0 from its add on, the only version asked for here.
    const bool unchanged = data_.hIcon == shown_icon_ && shown_tip_ == data_.szTip;
    if (command == NIM_MODIFY && in_tray_ == InTray::No) return false;
    if (command == NIM_MODIFY && in_tray_ == InTray::Yes && unchanged) return true;
    if (command == NIM_ADD && in_tray_ == InTray::Yes) return false;
    if (command == NIM_SETVERSION && in_tray_ != InTray::Unknown) return in_tray_ == InTray::Yes;
    const bool done = Shell_NotifyIconW(command, &data_) != FALSE;
    if (command == NIM_DELETE) {
        in_tray_ = done ? InTray::No : InTray::Unknown;
    } else if (command != NIM_SETVERSION) {
        // A failed call may have timed out in a busy shell that went on to do it.
        in_tray_ = done ? InTray::Yes : InTray::Unknown;
        shown_icon_ = data_.hIcon;
        shown_tip_ = data_.szTip;
    }
    return done;
}

bool TTrayIcon::AddTrayIcon() {
    icon_visible_ = true;
    return notify_shell(NIM_ADD);
}

bool TTrayIcon::RemoveTrayIcon() {
    icon_visible_ = false;
    return notify_shell(NIM_DELETE);
}

bool TTrayIcon::UpdateTrayIcon() { return notify_shell(NIM_MODIFY); }

void TTrayIcon::readd_after_shell_restart() {
    // The new tray may have lost the icon or kept it with an older look.
    in_tray_ = InTray::Unknown;
    // A tray that still holds the icon refuses the add; the icon must show
    // its current picture and tooltip all the same.
    if (!AddTrayIcon()) UpdateTrayIcon();
}

// --- the main window --------------------------------------------------------

void TTrayIcon::hide_taskbar_button() {
    if (IsWindowVisible(app_.taskbar_window())) ShowWindow(app_.taskbar_window(), SW_HIDE);
}

void TTrayIcon::HideMainWindow() {
    const HWND main = app_.main_window();
    if (!main) return;
    ShowWindow(main, SW_HIDE);
    hide_taskbar_button();
}

void TTrayIcon::ShowMainWindow() {
    const HWND main = app_.main_window();
    if (!main) return;
    app_.restore();
    if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
    // Showing the main window brings the taskbar button back.
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(app_.taskbar_window());
}

void TTrayIcon::ShowMainWindowInactive() {
    if (const HWND main = app_.main_window())
        SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

bool TTrayIcon::ShowBalloon(std::wstring_view title, std::wstring_view text) {
    if (in_tray_ == InTray::No) return false;
    // A copy of the icon's record: the balloon is a one-off, never repeated
    // by the icon's later calls.
    NOTIFYICONDATAW notice = data_;
    notice.uFlags |= NIF_INFO;
    notice.dwInfoFlags = NIIF_WARNING;
    text.copy(notice.szInfo, std::size(notice.szInfo) - 1);
    title.copy(notice.szInfoTitle, std::size(notice.szInfoTitle) - 1);
    return Shell_NotifyIconW(NIM_MODIFY, &notice) != FALSE;
}

void TTrayIcon::SendToTray() {
    HideMainWindow();
    SetIconVisible(true);
}

void TTrayIcon::application_message(UINT message, WPARAM wparam) {
    if (message == WM_SIZE && wparam == SIZE_MINIMIZED) {
        if (minimize_to_tray_) SendToTray();
    } else if (message == WM_SYSCOMMAND && wparam == SC_RESTORE) {
        if (const HWND main = app_.main_window()) {
            if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
            ShowWindow(main, SW_SHOW);
        }
    }
    if (message != 0 && message == taskbar_created_message() && icon_visible_) readd_after_shell_restart();
}

class TTrayIcon::OwnerSubclass : public ControlSubclass {
public:
    OwnerSubclass(HWND owner, TTrayIcon& icon) : ControlSubclass(owner), icon_(icon) {}

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (const auto answer = icon_.owner_message(message, wparam, lparam)) return *answer;
        return default_handling(message, wparam, lparam);
    }

    TTrayIcon& icon_;
};

std::optional<LRESULT> TTrayIcon::owner_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wparam && lparam == 0) {
                // Shown by a call: the application comes to the front with
                // it, once the window is on the screen (activating it while
                // it is still hidden only makes it appear later).
                to_front_when_shown_ = true;
            } else if (!wparam && lparam == SW_PARENTCLOSING && !app_.terminating() && minimize_into_tray()) {
                return 1;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            if (to_front_when_shown_ && (reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_SHOWWINDOW)) {
                to_front_when_shown_ = false;
                // Showing it may have brought it to the front already.
                if (GetForegroundWindow() != owner_) {
                    SetForegroundWindow(app_.taskbar_window());
                    SetForegroundWindow(owner_);
                }
            }
            break;
        case WM_SYSCOMMAND:
            if (wparam == SC_MINIMIZE && minimize_into_tray()) return 1;
            break;
    }
    return std::nullopt;
}

bool TTrayIcon::minimize_into_tray() {
    if (!minimize_to_tray_ || !OnMinimizeToTray) return false;
    OnMinimizeToTray(*this);
    SendToTray();
    return true;
}

// --- mouse ------------------------------------------------------------------

void TTrayIcon::handle_notification(UINT mouse_message) {
    if (!enabled_) return;
    POINT at{};
    GetCursorPos(&at);
    const TShiftState shift = keyboard_shift();
    switch (mouse_message) {
        case WM_MOUSEMOVE:
            if (want_enter_exit_ && mouse_outside_) {
                FireMouseEnter();
                mouse_outside_ = false;
            }
            FireMouseMove(shift, at.x, at.y);
            last_position_ = at;
            break;
        case WM_LBUTTONDOWN:
            if (OnDblClick) {
                click_timer_.SetInterval(GetDoubleClickTime());
                click_timer_.SetActive(true);  // a press restarts the wait
            }
            FireMouseDown(mbLeft, shift | ssLeft, at.x, at.y);
            clicks_.press();
            if (left_popup_ && popup_menu_) {
                SetForegroundWindow(slot_.window());
                OpenMenuAtCursor();
            }
            break;
        case WM_LBUTTONUP:
            if (clicks_.release(click_timer_.Active())) FireClick();
            FireMouseUp(mbLeft, shift | ssLeft, at.x, at.y);
            break;
        case WM_LBUTTONDBLCLK:
            clicks_.double_click();
            FireDblClick();
            choose_default_item();
            break;
        case WM_RBUTTONDOWN:
            FireMouseDown(mbRight, shift | ssRight, at.x, at.y);
            if (popup_menu_) {
                SetForegroundWindow(slot_.window());
                OpenMenuAtCursor();
            }
            break;
        case WM_RBUTTONUP:
            FireMouseUp(mbRight, shift | ssRight, at.x, at.y);
            break;
        case WM_MBUTTONDOWN:
            FireMouseDown(mbMiddle, shift | ssMiddle, at.x, at.y);
            break;
        case WM_MBUTTONUP:
            FireMouseUp(mbMiddle, shift | ssMiddle, at.x, at.y);
            break;
    }
}

void TTrayIcon::click_wait_over() {
    click_timer_.SetActive(false);
    if (clicks_.wait_over()) FireClick();
}

void TTrayIcon::exit_poll() {
    if (mouse_outside_) return;
    POINT at{};
    GetCursorPos(&at);
    if (at.x != last_position_.x || at.y != last_position_.y) {
        mouse_outside_ = true;
        FireMouseExit();
    }
}

void TTrayIcon::cycle_tick() {
    if (!icon_list_) return;
    if (UniqueIcon picture{ImageList_GetIcon(icon_list_, icon_index_, ILD_NORMAL)}) {
        icon_ = std::move(picture);
        UpdateTrayIcon();
    }
    const int next = next_cycle_index(icon_index_, ImageList_GetImageCount(icon_list_));
    FireCycle(next);
    SetIconIndex(next);
}

// --- the menu ---------------------------------------------------------------

void TTrayIcon::OpenMenuAtCursor() {
    POINT at;
    if (!GetCursorPos(&at) || !popup_menu_) return;
    // The menu closes on a click elsewhere only while its window is in front.
    SetForegroundWindow(slot_.window());
    app_.process_messages();
    const UINT chosen =
        TrackPopupMenu(popup_menu_, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, slot_.window(), nullptr);
    PostMessageW(owner_, WM_NULL, 0, 0);
    if (chosen) PostMessageW(owner_, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

void TTrayIcon::choose_default_item() {
    if (!popup_menu_ || left_popup_) return;
    // Only an enabled default item is found.
    const UINT item = GetMenuDefaultItem(popup_menu_, FALSE, 0);
    if (item != static_cast<UINT>(-1)) PostMessageW(owner_, WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

// --- events -----------------------------------------------------------------

void TTrayIcon::FireClick() {
    if (OnClick) OnClick(*this);
}

void TTrayIcon::FireDblClick() {
    if (OnDblClick) OnDblClick(*this);
}

void TTrayIcon::FireCycle(int next_index) {
    if (OnCycle) OnCycle(*this, next_index);
}

void TTrayIcon::FireMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TTrayIcon::FireMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TTrayIcon::FireMouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TTrayIcon::FireMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TTrayIcon::FireMouseExit() {
    if (OnMouseExit) OnMouseExit(*this);
}

}  // namespace tamga
