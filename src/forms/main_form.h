#pragma once
// The palette window: sixteen letter buttons of the chosen script, the menus
// with every setting, the 500 ms tick that follows the user's typing target,
// and the keyboard hook's control.
#include "application.h"
#include "delivery_queue.h"
#include "hook_library.h"
#include "hook_thread.h"
#include "letter_table.h"
#include "letter_tips.h"
#include "tray_icon.h"
#include "modal_dialog.h"
#include "palette_keys.h"
#include "panel.h"
#include "picture_button.h"
#include "session_notifications.h"
#include "simple_timer.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace tamga {

class TForm1 : public Window {
public:
    explicit TForm1(TApplication& application);
    ~TForm1() override;

    HMENU main_menu() const { return MainMenu1_; }
    HMENU popup_menu() const { return GetSubMenu(PopupMenu1_.get(), 0); }
    const Panel& panel(int row) const { return row == kLatinRow ? *Panel1_ : *Panel2_; }
    PictureButton& button(int row, int position) const { return *buttons_[row - 1][position - 1]; }
    HWND target() const { return target_; }
    TTrayIcon& tray_icon() const { return *TrayIcon1_; }
    int shown_row() const;
    // The button at `position` (1..16) of the script shown.
    PictureButton& shown_button(int position) const { return button(shown_row(), position); }
    // Types the letter at `position` of the script shown, as its click does.
    void type_letter(int position);

    // The About and Help windows, created after the palette; the "?" menu
    // shows them.
    void set_information_windows(ModalDialog& about, ModalDialog& help) {
        AboutBox1_ = &about;
        Help1_ = &help;
    }

    // Menu commands, by item identifier.
    void command(UINT id);

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    void FormCreate();
    void FormClose();
    void Timer1Timer();
    void SpeedButton1Click(PictureButton& sender);
    void Latin1Click(UINT sender);
    void Herdayimustide1Click();
    void Estesaqlash1Click();
    void Chiqish1Click();
    void Tiltaxtiniozgertish1Click();
    void Heripyotkesh1Click(UINT sender);
    void Korsitish1Click();
    void Heqqide1Click();
    void Yardem2Click();
    void TrayIcon1DblClick();

    void create_tray_icon();
    void tell_taken_keys();

    void load_hook_library();
    void set_unicode_captions();
    void build_row(int row);
    void fit_frame(int dpi);
    void scale_palette(int dpi);
    void change_dpi(int dpi, const RECT& suggested);
    void show_centred();
    bool checked(UINT id) const;
    void check(UINT id, bool on);
    HookMode checked_mode() const;
    void follow_target();
    void deliver(LetterCode letter);
    void restart_hook_after_absence();

    TApplication& app_;
    HMENU MainMenu1_ = nullptr;  // owned by the window
    UniqueMenu PopupMenu1_;
    UniqueImageList ImageList1_;
    std::unique_ptr<DeliveryQueue> delivery_;
    std::unique_ptr<TTrayIcon> TrayIcon1_;  // after what it uses: destroyed first
    std::unique_ptr<Panel> Panel1_;
    std::unique_ptr<Panel> Panel2_;
    std::vector<std::unique_ptr<PictureButton>> SpeedButtons_;
    std::array<std::array<PictureButton*, kLettersPerRow>, kScriptRows> buttons_{};
    std::optional<LetterTips> tips_;  // after the buttons it watches: destroyed first
    HookThread hook_thread_;
    std::optional<HookLibrary> hook_;  // after its thread: finished first
    std::unique_ptr<PaletteKeys> keys_;
    std::optional<SessionNotifications> session_notifications_;
    TSimpleTimer Timer1_;
    ModalDialog* AboutBox1_ = nullptr;
    ModalDialog* Help1_ = nullptr;
    HWND target_ = nullptr;
    bool first_tick_ = false;
};

}  // namespace tamga
