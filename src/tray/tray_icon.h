#pragma once
// An icon in the notification area: its picture and tooltip, the mouse events
// on it, its popup menu, and hiding the application's main window together
// with its taskbar button into the tray (also when the application is
// minimised) and bringing it back.
#include "application.h"
#include "click_tracker.h"
#include "simple_timer.h"
#include "tray_icon_handler.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tamga {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The keys and buttons held during a mouse event, as a set of these bits.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;

class TTrayIcon {
public:
    using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
    using TMouseEvent = std::function<void(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y)>;
    using TMouseMoveEvent = std::function<void(TTrayIcon& sender, TShiftState shift, int x, int y)>;
    using TCycleEvent = std::function<void(TTrayIcon& sender, int next_index)>;
    using TStartupEvent = std::function<void(TTrayIcon& sender, bool& show_main_form)>;

    // The owner window's procedure is replaced while the icon lives (one tray
    // icon per owner window); it receives the popup menu's commands.
    TTrayIcon(TApplication& application, HWND owner);
    virtual ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Called by the owner once the properties are set: asks OnStartup, puts
    // the icon in the tray or not, starts the timers the settings ask for.
    void Loaded();

    bool DesignPreview() const { return design_preview_; }
    void SetDesignPreview(bool preview) { design_preview_ = preview; }
    // The owner keeps the list alive and detaches it before destroying it.
    HIMAGELIST IconList() const { return icon_list_; }
    void SetIconList(HIMAGELIST list);
    bool CycleIcons() const { return cycle_icons_; }
    void SetCycleIcons(bool cycle);
    UINT CycleInterval() const { return cycle_interval_; }
    void SetCycleInterval(UINT interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    const std::wstring& Hint() const { return hint_; }
    void SetHint(std::wstring hint);
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool show);
    HICON Icon() const { return icon_.get(); }
    // Keeps its own copy of the picture.
    void SetIcon(HICON picture);
    bool IconVisible() const { return icon_visible_; }
    void SetIconVisible(bool visible);
    int IconIndex() const { return icon_index_; }
    void SetIconIndex(int index);
    // A popup menu the owner keeps alive and detaches before destroying it.
    // A chosen item is posted to the owner window as WM_COMMAND with its id.
    HMENU PopupMenu() const { return popup_menu_; }
    void SetPopupMenu(HMENU menu) { popup_menu_ = menu; }
    bool LeftPopup() const { return left_popup_; }
    void SetLeftPopup(bool left) { left_popup_ = left; }
    bool WantEnterExitEvents() const { return want_enter_exit_; }
    void SetWantEnterExitEvents(bool want);
    bool MinimizeToTray() const { return minimize_to_tray_; }
    void SetMinimizeToTray(bool minimize) { minimize_to_tray_ = minimize; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TCycleEvent OnCycle;
    TNotifyEvent OnMinimizeToTray;
    TStartupEvent OnStartup;

    virtual bool AddTrayIcon();
    virtual bool RemoveTrayIcon();
    virtual bool UpdateTrayIcon();

    void ShowMainWindow();
    void HideMainWindow();
    // Shows the main window where it stands without activating anything, for
    // a moment's use while another program keeps the keyboard.
    void ShowMainWindowInactive();
    // A notice in a balloon beside the icon. False when the shell refused it
    // (the icon is not in the tray).
    bool ShowBalloon(std::wstring_view title, std::wstring_view text);
    void OpenMenuAtCursor();

    // The record every shell call of this icon passes, as last prepared for one.
    const NOTIFYICONDATAW& icon_data() const { return data_; }

protected:
    virtual void FireClick();
    virtual void FireDblClick();
    virtual void FireCycle(int next_index);
    virtual void FireMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void FireMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void FireMouseMove(TShiftState shift, int x, int y);
    virtual void FireMouseEnter();
    virtual void FireMouseExit();
    virtual void SendToTray();

private:
    friend class TTrayIconHandler;
    void handle_notification(UINT mouse_message);
    void application_message(UINT message, WPARAM wparam);
    class OwnerSubclass;
    // The owner's messages this icon answers itself; empty for the others.
    std::optional<LRESULT> owner_message(UINT message, WPARAM wparam, LPARAM lparam);
    bool minimize_into_tray();
    void prepare_icon_data();
    bool notify_shell(DWORD command);
    void readd_after_shell_restart();
    void hide_taskbar_button();
    void choose_default_item();
    void click_wait_over();
    void cycle_tick();
    void exit_poll();

    TApplication& app_;
    HWND owner_;
    TrayIconSlot slot_;

    bool design_preview_ = false;
    HIMAGELIST icon_list_ = nullptr;
    bool cycle_icons_ = false;
    UINT cycle_interval_ = 0;
    bool enabled_ = true;
    std::wstring hint_;
    bool show_hint_ = true;
    UniqueIcon icon_;
    bool icon_visible_ = false;
    int icon_index_ = 0;
    HMENU popup_menu_ = nullptr;
    bool left_popup_ = false;
    bool want_enter_exit_ = false;
    bool minimize_to_tray_ = false;

    ClickTracker clicks_;
    TSimpleTimer cycle_timer_;
    TSimpleTimer click_timer_;
    TSimpleTimer exit_timer_;
    POINT last_position_{};
    bool mouse_outside_ = true;
    bool to_front_when_shown_ = false;
    NOTIFYICONDATAW data_{};
    // What the shell holds of this icon, as far as known: a call whose answer
    // is known is not made, as each is a round trip to the shell's process.
    enum class InTray { No, Unknown, Yes };
    InTray in_tray_ = InTray::No;
    HICON shown_icon_ = nullptr;      // with Yes: the picture and tooltip
    std::wstring shown_tip_;          // the shell last accepted
    int hook_id_ = 0;
    std::unique_ptr<OwnerSubclass> owner_subclass_;
};

}  // namespace tamga
