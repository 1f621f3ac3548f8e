#include "main_form.h"

#include "resource.h"
#include "delivery_queue.h"
#include "target_window.h"
#include "tray_state.h"
#include "palette_layout.h"
#include "menu.h"
#include "pixels_bitmap.h"
#include "display_dpi.h"
#include "letter_names.h"

#include <string>

namespace tamga {
namespace {

constexpr UINT kTimer1Interval = 500;
constexpr int kDesignClientWidth = 329;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The state pictures drawn for the tray's icon size (TRAYSTATES at 16 px,
// TRAYSTATES<size> at the others).
UniqueImageList load_tray_pictures() {
    const int size = tray_picture_size_for(GetSystemMetrics(SM_CXSMICON));
    const std::wstring name = size == 16 ? L"TRAYSTATES" : L"TRAYSTATES" + std::to_wstring(size);
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24, 3, 0));
    UniqueBitmap strip(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ImageList_Add(list.get(), strip.get(), nullptr);
    return list;
}

// The radio groups of the menu layouts.
int radio_group_of(UINT id) {
    switch (id) {
        case ID_LATIN1:
        case ID_SLAVEN1:
            return 12;
        case ID_HERIPYOTKESH1:
        case ID_JUPYOTKESH1:
            return 14;
        case ID_HERIPYOTKESH2:
        case ID_JUPYOTKESH2:
            return 1;
        default:
            return 0;
    }
}

// The strip drawn for one display scale: GLYPHS at 96 DPI, GLYPHS<dpi> else.
Pixels load_glyph_strip(int picture_dpi) {
    UniqueBitmap strip(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                       picture_resource_name(L"GLYPHS", picture_dpi).c_str(),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return strip ? pixels_of(strip.get()) : Pixels{};
}

RECT rect_of(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void place(HWND window, const Rect& r) {
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TForm1::TForm1(TApplication& application)
    : app_(application), Timer1_(kTimer1Interval, [this](TSimpleTimer&) { Timer1Timer(); }) {
    const int dpi = dpi_of(nullptr);
    // Made at the palette's height under the system's frame metrics, which
    // the creation step's fitting then finds right as a rule.
    RECT frame{0, 0, scaled(kDesignClientWidth, dpi), 0};
    AdjustWindowRectEx(&frame, kFrameStyle, TRUE, WS_EX_TOPMOST);
    MainMenu1_ = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINMENU1));
    PopupMenu1_.reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUPMENU1)));
    create({.class_name = L"TForm1",
            .title = L"Tamgalik",
            .style = kFrameStyle,
            // A click on a letter leaves the foreground and the keyboard with
            // the program being typed in, as an on-screen keyboard does.
            .ex_style = WS_EX_TOPMOST | WS_EX_NOACTIVATE,
            .width = frame.right - frame.left,
            .height = palette_outer_height(frame.bottom - frame.top, dpi),
            .parent = app_.taskbar_window(),
            .menu_or_id = MainMenu1_,
            .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),  // follows colour changes
            .icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON")});
    app_.set_main_window(hwnd());
    delivery_ = std::make_unique<DeliveryQueue>();
    delivery_->OnAutomationError = [this](std::wstring_view error) { app_.show_error(error); };
    delivery_->OnTargetSeen = [this](HWND target) { target_ = target; };
    create_tray_icon();
    FormCreate();
    show_centred();
    // Nothing of the other script's row is seen until the user switches, and
    // nothing of the session's changes matters before the window is up.
    build_row(kScriptRows + 1 - shown_row());
    // Tips are wanted once the pointer rests on a letter, not before the
    // palette is seen.
    tips_.emplace(hwnd(), checked_mode());
    for (int number = 1; number <= kButtonCount; ++number) {
        const ButtonSlot slot = button_slot(number);
        tips_->add(button(slot.row, slot.position).hwnd(), slot);
    }
    session_notifications_.emplace(hwnd());
    keys_ = std::make_unique<PaletteKeys>(*this, hook_thread_);
    tell_taken_keys();
}

// Once, at start: another program holds a global key of the palette's. One
// balloon tells of every taken key: the shell replaces an icon's balloon with
// the next one it is given.
void TForm1::tell_taken_keys() {
    std::wstring notice;
    for (const std::wstring& taken : keys_->taken_keys()) notice += (notice.empty() ? L"" : L"\n") + taken;
    if (!notice.empty()) TrayIcon1_->ShowBalloon(L"Tamgalik", notice);
}

// The icon enters the tray with the layout's picture and tooltip; attaching
// the picture list then shows picture 0.
void TForm1::create_tray_icon() {
    ImageList1_ = load_tray_pictures();
    TrayIcon1_ = std::make_unique<TTrayIcon>(app_, hwnd());
    TTrayIcon& icon = *TrayIcon1_;
    icon.SetHint(L"Tamgalik");
    const UniqueIcon layout_picture(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"TRAYICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    icon.SetIcon(layout_picture.get());
    icon.SetIconVisible(true);
    icon.SetMinimizeToTray(true);
    icon.OnDblClick = [this](TTrayIcon&) { TrayIcon1DblClick(); };
    icon.SetIconList(ImageList1_.get());
    icon.SetPopupMenu(popup_menu());
    icon.Loaded();
}

TForm1::~TForm1() {
    if (hook_) hook_->keep_until_process_end();  // the close step did not run
    Timer1_.SetActive(false);
    TrayIcon1_.reset();  // takes the icon out of the tray while its window lives
    app_.set_main_window(nullptr);
}

void TForm1::FormCreate() {
    load_hook_library();
    fit_frame(dpi_of(hwnd()));
    set_unicode_captions();
    Latin1Click(0);
    build_row(shown_row());
    check(ID_HERIPYOTKESH2, checked(ID_HERIPYOTKESH1));
    check(ID_JUPYOTKESH2, checked(ID_JUPYOTKESH1));
    Timer1_.SetActive(true);
    first_tick_ = true;
}

void TForm1::load_hook_library() {
    hook_ = HookLibrary::load(hook_thread_);
    if (!hook_) {
        MessageBoxW(nullptr, L"Tapalmidim tamgahook.dll !", L"Error", MB_OK | MB_ICONERROR);
        app_.terminate();
        return;
    }
    // The shell's messages reach the window in any wait for the shell, so the
    // tray menu may have switched keyboard changing off before this step.
    if (checked(ID_TILTAXTINIOZGERTISH1))
        hook_->start(checked_mode());
    else
        TrayIcon1_->SetIconIndex(kTrayOff);
}

void TForm1::set_unicode_captions() {
    HMENU popup = popup_menu();
    set_menu_caption(MainMenu1_, ID_HERDAYIMUSTIDE1, L"Her dayim \u00FCstide");
    set_menu_caption(MainMenu1_, ID_CHIQISH1, L"Ciqi\u015F");
    set_menu_caption(popup, ID_CHIQISH2, menu_caption(MainMenu1_, ID_CHIQISH1));
    set_menu_caption(MainMenu1_, ID_ESTESAQLASH1, L"Este saqla\u015F");
    set_menu_caption(MainMenu1_, ID_TILTAXTINIOZGERTISH1, L"Til taxtini \u00F6zgerti\u015F");
    set_menu_caption(popup, ID_TILTAXTINIOZGERTISH2, menu_caption(MainMenu1_, ID_TILTAXTINIOZGERTISH1));
    set_menu_caption(popup, ID_KORSITISH1, L"K\u00F6rsiti\u015F");
    set_menu_caption(MainMenu1_, ID_HERIPYOTKESH1, L"Herip y\u00F6tke\u015F");
    set_menu_caption(popup, ID_HERIPYOTKESH2, menu_caption(MainMenu1_, ID_HERIPYOTKESH1));
    set_menu_caption(MainMenu1_, ID_JUPYOTKESH1, L"J\u00FCp y\u00F6tke\u015F");
    set_menu_caption(popup, ID_JUPYOTKESH2, menu_caption(MainMenu1_, ID_JUPYOTKESH1));
}

// The outer size that shows exactly the design's client width and the whole
// palette under this frame's caption, menu bar and borders, measured on the
// window itself (a menu bar's height is only known once it is laid out).
void TForm1::fit_frame(int dpi) {
    for (int pass = 0; pass < 2; ++pass) {  // a new width may rewrap the menu bar
        RECT outer, client;
        GetWindowRect(hwnd(), &outer);
        GetClientRect(hwnd(), &client);
        const int width = outer.right - outer.left + scaled(kDesignClientWidth, dpi) - client.right;
        const int height = palette_outer_height(outer.bottom - outer.top - client.bottom, dpi);
        if (width == outer.right - outer.left && height == outer.bottom - outer.top) break;
        SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// One script's panel and buttons with their pictures, made in their places
// for the display's DPI.
void TForm1::build_row(int row) {
    const int dpi = dpi_of(hwnd());
    const int picture_dpi = picture_dpi_for(dpi);
    const Pixels strip = load_glyph_strip(picture_dpi);
    std::unique_ptr<Panel>& panel = row == kLatinRow ? Panel1_ : Panel2_;
    panel = std::make_unique<Panel>(hwnd(), RECT{0, 0, scaled(kPanelWidth, dpi), scaled(kPaletteHeight, dpi)});
    for (int position = 1; position <= kLettersPerRow; ++position) {
        auto button = std::make_unique<PictureButton>(panel->hwnd(), rect_of(button_rect(position, dpi)),
                                                      std::wstring(letter_name(row, position)));
        button->OnClick = [this](PictureButton& sender) { SpeedButton1Click(sender); };
        button->set_picture(mask_of(cut_button_picture(strip, {row, position}, picture_dpi)));
        buttons_[row - 1][position - 1] = button.get();
        SpeedButtons_.push_back(std::move(button));
    }
    panel->set_visible(row == shown_row());
}

int TForm1::shown_row() const { return checked(ID_SLAVEN1) ? kCyrillicRow : kLatinRow; }

// Places the panels and buttons for the display's DPI and gives each button
// its picture from the strip drawn for that scale.
void TForm1::scale_palette(int dpi) {
    const int picture_dpi = picture_dpi_for(dpi);
    const Pixels strip = load_glyph_strip(picture_dpi);
    const Rect panel{0, 0, scaled(kPanelWidth, dpi), scaled(kPaletteHeight, dpi)};
    place(Panel1_->hwnd(), panel);
    place(Panel2_->hwnd(), panel);
    for (int number = 1; number <= kButtonCount; ++number) {
        const ButtonSlot slot = button_slot(number);
        PictureButton& button = *buttons_[slot.row - 1][slot.position - 1];
        place(button.hwnd(), button_rect(slot.position, dpi));
        button.set_picture(mask_of(cut_button_picture(strip, slot, picture_dpi)));
    }
}

// Moved to a monitor of another scale: the system's suggested place, then
// everything at the new size from there.
void TForm1::change_dpi(int dpi, const RECT& suggested) {
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    fit_frame(dpi);
    scale_palette(dpi);
}

void TForm1::show_centred() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd(), SW_SHOW);
    // Drawn at once, not after the About and Help windows are made: the
    // palette shows whole from its first moment on the screen.
    UpdateWindow(hwnd());
    app_.update_taskbar_button();
}

bool TForm1::checked(UINT id) const {
    return menu_checked(MainMenu1_, id) || menu_checked(PopupMenu1_.get(), id);
}

void TForm1::check(UINT id, bool on) {
    set_menu_check(MainMenu1_, id, on, radio_group_of);
    set_menu_check(PopupMenu1_.get(), id, on, radio_group_of);
}

HookMode TForm1::checked_mode() const {
    return checked(ID_HERIPYOTKESH1) ? HookMode::Letters : HookMode::Pairs;
}

void TForm1::follow_target() {
    const auto focused = focused_window_of_foreground(GetCurrentThreadId(), target_);
    if (!focused || *focused == target_) return;
    target_ = *focused;
    delivery_->expect(target_);
}

void TForm1::Timer1Timer() {
    follow_target();
    if (checked(ID_TILTAXTINIOZGERTISH1)) {
        HWND foreground = GetForegroundWindow();
        const HKL layout = GetKeyboardLayout(foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0);
        const int picture = tray_picture_for(checked(ID_HERIPYOTKESH1), reinterpret_cast<std::uintptr_t>(layout));
        // Asking the shell to redraw an unchanged icon twice a second would
        // be the program's whole cost while it waits in the tray.
        if (picture != TrayIcon1_->IconIndex()) TrayIcon1_->SetIconIndex(picture);
    }
    keys_->tick();
    if (first_tick_) {
        TrayIcon1_->HideMainWindow();
        first_tick_ = false;
    }
}

void TForm1::SpeedButton1Click(PictureButton& sender) {
    for (int row = 1; row <= kScriptRows; ++row)
        for (int position = 1; position <= kLettersPerRow; ++position)
            if (buttons_[row - 1][position - 1] == &sender) {
                deliver(letter_at(row, position));
                keys_->clicked(position);
            }
}

void TForm1::type_letter(int position) { deliver(letter_at(shown_row(), position)); }

// The palette never takes the foreground from the program being typed in,
// so the delivery reads the target anew: a program switched to since the
// last tick gets the letter.
void TForm1::deliver(LetterCode letter) { delivery_->deliver(letter, target_, checked(ID_ESTESAQLASH1)); }

void TForm1::Latin1Click(UINT sender) {
    if (keys_) keys_->end();  // its selection is on the other script
    check(sender == ID_SLAVEN1 ? ID_SLAVEN1 : ID_LATIN1, true);
    if (Panel1_) Panel1_->set_visible(checked(ID_LATIN1));
    if (Panel2_) Panel2_->set_visible(checked(ID_SLAVEN1));
}

void TForm1::Herdayimustide1Click() {
    const bool on = !checked(ID_HERDAYIMUSTIDE1);
    check(ID_HERDAYIMUSTIDE1, on);
    // Wine keeps an owned window topmost while its owner is attached; the
    // palette's owner only carries the taskbar button, so it is detached for
    // the moment of the change.
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, 0);
    SetWindowPos(hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(app_.taskbar_window()));
}

void TForm1::Estesaqlash1Click() { check(ID_ESTESAQLASH1, !checked(ID_ESTESAQLASH1)); }

void TForm1::Chiqish1Click() { app_.terminate(); }

void TForm1::Tiltaxtiniozgertish1Click() {
    const bool on = !checked(ID_TILTAXTINIOZGERTISH1);
    check(ID_TILTAXTINIOZGERTISH1, on);
    check(ID_TILTAXTINIOZGERTISH2, on);
    if (!hook_) return;
    hook_->finish();
    if (on)
        hook_->start(checked_mode());
    else
        TrayIcon1_->SetIconIndex(kTrayOff);
}

void TForm1::Heripyotkesh1Click(UINT sender) {
    const bool letters = sender == ID_HERIPYOTKESH1 || sender == ID_HERIPYOTKESH2;
    check(letters ? ID_HERIPYOTKESH1 : ID_JUPYOTKESH1, true);
    check(ID_HERIPYOTKESH2, checked(ID_HERIPYOTKESH1));
    check(ID_JUPYOTKESH2, checked(ID_JUPYOTKESH1));
    tips_->set_mode(checked_mode());
    // Switched off, the choice waits for keyboard changing to be switched on:
    // a running hook would change keys while the menu and the tray say off.
    if (!hook_ || !checked(ID_TILTAXTINIOZGERTISH1)) return;
    hook_->finish();
    hook_->start(checked_mode());
}

// While the session was locked, switched away or asleep, the hook saw no
// keys: releases went missing (Win+L leaves the Win key down in its view) and
// the system may have dropped the hook. A fresh start reads the keys anew.
void TForm1::restart_hook_after_absence() {
    if (!hook_ || !checked(ID_TILTAXTINIOZGERTISH1)) return;
    hook_->finish();
    hook_->start(checked_mode());
}

void TForm1::Heqqide1Click() {
    if (AboutBox1_) AboutBox1_->show_modal(hwnd());
}

void TForm1::Yardem2Click() {
    if (Help1_) Help1_->show_modal(hwnd());
}

void TForm1::Korsitish1Click() { TrayIcon1_->ShowMainWindow(); }

void TForm1::TrayIcon1DblClick() { TrayIcon1_->ShowMainWindow(); }

void TForm1::FormClose() {
    if (hook_) hook_->finish();
    hook_.reset();
}

void TForm1::command(UINT id) {
    switch (id) {
        case ID_HERDAYIMUSTIDE1: Herdayimustide1Click(); break;
        case ID_ESTESAQLASH1: Estesaqlash1Click(); break;
        case ID_LATIN1:
        case ID_SLAVEN1: Latin1Click(id); break;
        case ID_CHIQISH1:
        case ID_CHIQISH2: Chiqish1Click(); break;
        case ID_TILTAXTINIOZGERTISH1:
        case ID_TILTAXTINIOZGERTISH2: Tiltaxtiniozgertish1Click(); break;
        case ID_HERIPYOTKESH1:
        case ID_JUPYOTKESH1:
        case ID_HERIPYOTKESH2:
        case ID_JUPYOTKESH2: Heripyotkesh1Click(id); break;
        case ID_KORSITISH1: Korsitish1Click(); break;
        case ID_HEQQIDE1: Heqqide1Click(); break;
        case ID_YARDEM2: Yardem2Click(); break;
    }
}

LRESULT TForm1::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (app_.main_window_message(message, wparam, lparam)) return 0;
    if (keys_ && keys_->handle_message(message, wparam, lparam)) return 0;
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wparam) == 0 && lparam == 0) command(LOWORD(wparam));
            return 0;
        case WM_CLOSE:
            FormClose();
            app_.terminate();
            return 0;
        case WM_WTSSESSION_CHANGE:
            if (SessionNotifications::session_left(wparam)) keys_->end();
            if (SessionNotifications::session_returned(wparam)) restart_hook_after_absence();
            return 0;
        case WM_POWERBROADCAST:
            if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) restart_hook_after_absence();
            return TRUE;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DPICHANGED:
            change_dpi(dpi_changed_to(wparam), dpi_changed_place(lparam));
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            // The letters are drawn in the system's colours; only top-level
            // windows hear that they changed.
            send_to_descendants(hwnd(), message, wparam, lparam);
            break;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
