// TTrayIcon in-process: real windows and timers, wine's real notification
// area, and the shell's mouse notifications sent to the shared handler window
// the way the shell sends them (wParam = the icon's number, lParam = the
// mouse message).
#include "application.h"
#include "tray_icon.h"
#include "pixels_bitmap.h"

#include "message_pump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

using namespace tamga;
using namespace std::chrono_literals;

using namespace tamga::testing;

namespace {

constexpr wchar_t kHandlerClass[] = L"TamgalikTrayIconHandler";
constexpr UINT kShowItem = 101, kToggleItem = 102, kExitItem = 103;
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x808080;

Clock::duration double_click_time() { return std::chrono::milliseconds(GetDoubleClickTime()); }

// --- pictures -------------------------------------------------------------

UniqueIcon solid_icon(std::uint32_t rgb) {
    const UniqueBitmap colour = bitmap_of(Pixels{16, 16, std::vector<std::uint32_t>(256, rgb)});
    const UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return UniqueIcon(CreateIconIndirect(&info));
}

std::vector<std::uint32_t> pixels_of_icon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    return pixels_of(colour.get()).rgb;
}

// Three pictures: red, green, blue.
UniqueImageList three_pictures() {
    UniqueImageList list(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0));
    for (std::uint32_t rgb : {kRed, kGreen, kBlue}) ImageList_AddIcon(list.get(), solid_icon(rgb).get());
    return list;
}

std::vector<std::uint32_t> list_picture(HIMAGELIST list, int index) {
    const UniqueIcon picture(ImageList_GetIcon(list, index, ILD_NORMAL));
    return pixels_of_icon(picture.get());
}

// --- wine's notification area ---------------------------------------------

std::vector<HWND> icons_in_tray() {
    std::vector<HWND> icons;
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND icon = nullptr; tray && (icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr));)
        icons.push_back(icon);
    return icons;
}

POINT centre_of(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The colour the tray shows in the middle of an icon, read from the screen.
std::uint32_t shown_colour(HWND tray_icon) {
    const POINT centre = centre_of(tray_icon);
    WindowDC screen;
    const COLORREF c = GetPixel(screen.dc(), centre.x, centre.y);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

HWND visible_tooltip() {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr));)
        if (IsWindowVisible(tip)) return tip;
    return nullptr;
}

// The tooltip the tray shows when the pointer comes to rest on the icon. A
// freshly made tray icon may miss the first arrival: come again a few times.
std::wstring shown_tooltip(HWND tray_icon) {
    const POINT centre = centre_of(tray_icon);
    for (int attempt = 0; attempt < 5; ++attempt) {
        SetCursorPos(900, 700);
        pump_until([] { return visible_tooltip() == nullptr; }, 3s);
        SetCursorPos(centre.x, centre.y);
        HWND tip = nullptr;
        if (!pump_until([&] { return (tip = visible_tooltip()) != nullptr; }, 3s)) continue;
        wchar_t text[256] = {};
        DWORD_PTR ignored;
        SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
        SetCursorPos(900, 700);
        return text;
    }
    return L"<no tooltip>";
}

// Whether the shell holds an icon with this record's window and number: it
// accepts a modification only of an icon it has.
bool shell_holds(const NOTIFYICONDATAW& record) {
    NOTIFYICONDATAW probe = record;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

UINT taskbar_created() { return RegisterWindowMessageW(L"TaskbarCreated"); }

// --- the program's side ---------------------------------------------------

// A main window as the program's is: owned by the application's taskbar
// window, minimising the application for its minimise command, with the
// taskbar button following its visibility. It records what reaches it.
class TestMainWindow : public Window {
public:
    explicit TestMainWindow(TApplication& app) : app_(app) {
        create({.class_name = L"TamgalikTestMainWindow",
                .title = L"Tamgalik",
                .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                .x = 500,
                .y = 400,
                .width = 300,
                .height = 150,
                .parent = app.taskbar_window()});
        app_.set_main_window(hwnd());
        ShowWindow(hwnd(), SW_SHOW);
        app_.update_taskbar_button();
    }
    ~TestMainWindow() override { app_.set_main_window(nullptr); }

    std::vector<UINT> commands;
    int nulls = 0;

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (app_.main_window_message(message, wparam, lparam)) return 0;
        switch (message) {
            case WM_COMMAND:
                commands.push_back(LOWORD(wparam));
                return 0;
            case WM_NULL:
                ++nulls;
                return 0;
        }
        return default_handling(message, wparam, lparam);
    }

    TApplication& app_;
};

UniqueMenu tray_menu() {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kShowItem, L"Show");
    AppendMenuW(menu.get(), MF_STRING, kToggleItem, L"Toggle");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kExitItem, L"Exit");
    return menu;
}

// Watches for an open popup menu from a timer (ticks go on inside the menu's
// own loop), notes it, and closes it: with Return after `downs` presses of the
// Down key when `downs` > 0, otherwise without a choice.
class MenuWatch {
public:
    explicit MenuWatch(std::vector<std::string>& events, int downs = 0)
        : events_(events), downs_(downs), timer_(20, [this](TSimpleTimer&) { look(); }) {
        timer_.SetActive(true);
    }

private:
    void look() {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu) || seen_ == menu) return;
        seen_ = menu;
        events_.push_back("menu");
        if (downs_ == 0) {
            EndMenu();
            return;
        }
        for (int i = 0; i < downs_; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }

    std::vector<std::string>& events_;
    int downs_;
    HWND seen_ = nullptr;
    TSimpleTimer timer_;
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(900, 700);
        app = std::make_unique<TApplication>(L"Tamgalik");
        main = std::make_unique<TestMainWindow>(*app);
        icon = std::make_unique<TTrayIcon>(*app, main->hwnd());
        list = three_pictures();
        menu = tray_menu();
    }
    void TearDown() override {
        icon.reset();
        main.reset();
        app.reset();
        dispatch_pending();
    }

    // The shell's notification for a mouse message on the icon.
    void notify(UINT mouse_message) {
        SendMessageW(icon->icon_data().hWnd, kTrayNotifyMessage, icon->icon_data().uID, mouse_message);
    }

    void record_mouse_events() {
        static const char* const kButtons[] = {"left", "right", "middle"};
        icon->OnMouseDown = [this](TTrayIcon&, TMouseButton b, TShiftState, int, int) {
            events.push_back(std::string("down ") + kButtons[b]);
        };
        icon->OnMouseUp = [this](TTrayIcon&, TMouseButton b, TShiftState, int, int) {
            events.push_back(std::string("up ") + kButtons[b]);
        };
        icon->OnClick = [this](TTrayIcon&) {
            events.push_back("click");
            click_time = Clock::now();
        };
    }
    void record_double_clicks() {
        icon->OnDblClick = [this](TTrayIcon&) { events.push_back("double"); };
    }

    bool main_shown() const { return IsWindowVisible(main->hwnd()); }
    bool button_shown() const { return IsWindowVisible(app->taskbar_window()); }

    std::unique_ptr<TApplication> app;
    std::unique_ptr<TestMainWindow> main;
    std::unique_ptr<TTrayIcon> icon;
    UniqueImageList list;  // outlives the icon's use of it: the icon goes first
    UniqueMenu menu;
    std::vector<std::string> events;
    Clock::time_point click_time;
};

using Events = std::vector<std::string>;

// --- picture and tooltip ----------------------------------------------------

TEST_F(TrayIconTest, AnIndexPastTheListShowsItsLastPicture) {
    icon->SetIconList(list.get());
    EXPECT_EQ(icon->IconIndex(), 0);
    EXPECT_EQ(pixels_of_icon(icon->Icon()), list_picture(list.get(), 0));

    icon->SetIconIndex(5);
    EXPECT_EQ(icon->IconIndex(), 2);
    EXPECT_EQ(pixels_of_icon(icon->Icon()), list_picture(list.get(), 2));
    EXPECT_NE(pixels_of_icon(icon->Icon()), list_picture(list.get(), 1));
    EXPECT_EQ(icon->icon_data().hIcon, icon->Icon());

    icon->SetIconIndex(1);
    EXPECT_EQ(icon->IconIndex(), 1);
    EXPECT_EQ(pixels_of_icon(icon->Icon()), list_picture(list.get(), 1));
}

TEST_F(TrayIconTest, WithoutAListTheIndexIsZeroAndThePictureStays) {
    const UniqueIcon grey = solid_icon(kGrey);
    icon->SetIcon(grey.get());
    const HICON kept = icon->Icon();
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(kept, grey.get());  // a copy of its own
    EXPECT_EQ(pixels_of_icon(kept), pixels_of_icon(grey.get()));

    icon->SetIconIndex(2);
    EXPECT_EQ(icon->IconIndex(), 0);
    EXPECT_EQ(icon->Icon(), kept);

    icon->SetIconList(list.get());
    icon->SetIconIndex(2);
    icon->SetIconList(nullptr);  // detaching the list resets the index too
    EXPECT_EQ(icon->IconIndex(), 0);
    EXPECT_EQ(pixels_of_icon(icon->Icon()), list_picture(list.get(), 2));
}

TEST_F(TrayIconTest, TheTooltipHoldsTheFirst127CharactersOfTheHint) {
    std::wstring hint;
    for (int i = 0; i < 200; ++i) hint += static_cast<wchar_t>(L'A' + i % 26);
    icon->SetHint(hint);
    EXPECT_EQ(std::wstring(icon->icon_data().szTip), hint.substr(0, 127));

    icon->SetShowHint(false);
    EXPECT_EQ(std::wstring(icon->icon_data().szTip), L"");
    icon->SetShowHint(true);
    EXPECT_EQ(std::wstring(icon->icon_data().szTip), hint.substr(0, 127));
    icon->SetHint(L"");
    EXPECT_EQ(std::wstring(icon->icon_data().szTip), L"");
    icon->SetHint(L"T\u00F6rt");
    EXPECT_EQ(std::wstring(icon->icon_data().szTip), L"T\u00F6rt");
}

// --- left button ------------------------------------------------------------

TEST_F(TrayIconTest, WithADoubleClickHandlerASingleClickWaitsOutTheDoubleClickTime) {
    record_mouse_events();
    record_double_clicks();
    const auto pressed = Clock::now();
    notify(WM_LBUTTONDOWN);
    notify(WM_LBUTTONUP);
    ASSERT_TRUE(pump_until([&] { return events.size() == 3; }));
    EXPECT_EQ(events, (Events{"down left", "up left", "click"}));
    EXPECT_GE(click_time - pressed, double_click_time() * 9 / 10);
    pump_for(double_click_time() + 100ms);
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(TrayIconTest, ADoubleClickRaisesOnlyTheDoubleClickAndBothReleases) {
    record_mouse_events();
    record_double_clicks();
    // The shell's order for a double-click: the second press arrives as WM_LBUTTONDBLCLK.
    notify(WM_LBUTTONDOWN);
    notify(WM_LBUTTONUP);
    notify(WM_LBUTTONDBLCLK);
    notify(WM_LBUTTONUP);
    pump_for(double_click_time() + 200ms);
    EXPECT_EQ(events, (Events{"down left", "up left", "double", "up left"}));

    // The next single click counts again.
    events.clear();
    notify(WM_LBUTTONDOWN);
    notify(WM_LBUTTONUP);
    EXPECT_TRUE(pump_until([&] { return events.size() == 3; }));
    EXPECT_EQ(events, (Events{"down left", "up left", "click"}));
}

TEST_F(TrayIconTest, APressHeldPastTheDoubleClickTimeClicksAtItsRelease) {
    record_mouse_events();
    record_double_clicks();
    notify(WM_LBUTTONDOWN);
    pump_for(double_click_time() + 200ms);
    EXPECT_EQ(events, (Events{"down left"}));
    notify(WM_LBUTTONUP);
    EXPECT_EQ(events, (Events{"down left", "click", "up left"}));
}

TEST_F(TrayIconTest, WithoutADoubleClickHandlerTheClickComesAtTheReleaseBeforeTheMouseUp) {
    record_mouse_events();
    notify(WM_LBUTTONDOWN);
    EXPECT_EQ(events, (Events{"down left"}));
    notify(WM_LBUTTONUP);
    EXPECT_EQ(events, (Events{"down left", "click", "up left"}));
    notify(WM_LBUTTONDBLCLK);  // nobody listens: nothing
    notify(WM_LBUTTONUP);
    EXPECT_EQ(events, (Events{"down left", "click", "up left", "up left"}));
}

TEST_F(TrayIconTest, MouseEventsCarryTheCursorPositionAndTheHeldKeys) {
    struct Seen {
        TMouseButton button;
        TShiftState shift;
        int x, y;
    };
    std::vector<Seen> downs;
    icon->OnMouseDown = [&](TTrayIcon&, TMouseButton b, TShiftState s, int x, int y) { downs.push_back({b, s, x, y}); };
    TShiftState moved_shift = 0;
    POINT moved{};
    icon->OnMouseMove = [&](TTrayIcon&, TShiftState s, int x, int y) {
        moved_shift = s;
        moved = {x, y};
    };

    ASSERT_TRUE(SetCursorPos(321, 234));
    notify(WM_MBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, mbMiddle);
    EXPECT_EQ(downs[0].shift, TShiftState{ssMiddle});
    EXPECT_EQ(downs[0].x, 321);
    EXPECT_EQ(downs[0].y, 234);

    INPUT shift_key{INPUT_KEYBOARD};
    shift_key.ki.wVk = VK_SHIFT;
    SendInput(1, &shift_key, sizeof shift_key);
    ASSERT_TRUE(pump_until([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }));
    SetCursorPos(333, 245);
    notify(WM_RBUTTONUP);  // an up raises no down
    notify(WM_MOUSEMOVE);
    shift_key.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &shift_key, sizeof shift_key);
    ASSERT_TRUE(pump_until([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) == 0; }));
    EXPECT_EQ(moved_shift, TShiftState{ssShift});
    EXPECT_EQ(moved.x, 333);
    EXPECT_EQ(moved.y, 245);

    notify(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].button, mbLeft);
    EXPECT_EQ(downs[1].shift, TShiftState{ssLeft});
    EXPECT_EQ(downs[1].x, 333);
}

TEST_F(TrayIconTest, OtherDoubleClicksRaiseNothing) {
    record_mouse_events();
    record_double_clicks();
    icon->SetPopupMenu(menu.get());
    SetMenuDefaultItem(menu.get(), kShowItem, FALSE);
    notify(WM_RBUTTONDBLCLK);
    notify(WM_MBUTTONDBLCLK);
    dispatch_pending();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(main->commands.empty());
}

TEST_F(TrayIconTest, ADisabledIconRaisesNothingAndOpensNoMenu) {
    record_mouse_events();
    record_double_clicks();
    icon->OnMouseMove = [this](TTrayIcon&, TShiftState, int, int) { events.push_back("move"); };
    icon->SetPopupMenu(menu.get());
    icon->SetLeftPopup(true);
    icon->SetWantEnterExitEvents(true);
    icon->SetEnabled(false);
    MenuWatch watch(events);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                         WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
        notify(message);
    pump_for(double_click_time() + 100ms);
    EXPECT_TRUE(events.empty());

    icon->SetEnabled(true);
    notify(WM_MBUTTONDOWN);
    EXPECT_EQ(events, (Events{"down middle"}));
}

// --- menu -------------------------------------------------------------------

TEST_F(TrayIconTest, ARightPressOpensTheMenuWhileTheButtonIsDown) {
    record_mouse_events();
    icon->SetPopupMenu(menu.get());
    MenuWatch watch(events);
    notify(WM_RBUTTONDOWN);  // returns once the menu has closed
    EXPECT_EQ(events, (Events{"down right", "menu"}));
    notify(WM_RBUTTONUP);
    EXPECT_EQ(events, (Events{"down right", "menu", "up right"}));
    ASSERT_TRUE(pump_until([&] { return main->nulls > 0; }));
    EXPECT_TRUE(main->commands.empty());
}

TEST_F(TrayIconTest, AChosenMenuItemReachesTheOwnerAsACommand) {
    icon->SetPopupMenu(menu.get());
    MenuWatch watch(events, 2);
    notify(WM_RBUTTONDOWN);
    ASSERT_EQ(events, (Events{"menu"}));
    ASSERT_TRUE(pump_until([&] { return !main->commands.empty(); }));
    EXPECT_EQ(main->commands, (std::vector<UINT>{kToggleItem}));
}

TEST_F(TrayIconTest, TheLeftButtonOpensTheMenuOnlyWithLeftPopup) {
    record_mouse_events();
    icon->SetPopupMenu(menu.get());
    MenuWatch watch(events);
    notify(WM_LBUTTONDOWN);
    notify(WM_LBUTTONUP);
    EXPECT_EQ(events, (Events{"down left", "click", "up left"}));

    events.clear();
    icon->SetLeftPopup(true);
    notify(WM_LBUTTONDOWN);
    EXPECT_EQ(events, (Events{"down left", "menu"}));
}

TEST_F(TrayIconTest, WithoutAMenuNothingOpens) {
    record_mouse_events();
    MenuWatch watch(events);
    icon->SetLeftPopup(true);
    notify(WM_RBUTTONDOWN);
    notify(WM_LBUTTONDOWN);
    icon->OpenMenuAtCursor();
    pump_for(100ms);
    EXPECT_EQ(events, (Events{"down right", "down left"}));
}

TEST_F(TrayIconTest, ADoubleClickChoosesTheEnabledDefaultItem) {
    record_double_clicks();
    icon->SetPopupMenu(menu.get());
    SetMenuDefaultItem(menu.get(), kToggleItem, FALSE);
    notify(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(pump_until([&] { return !main->commands.empty(); }));
    EXPECT_EQ(events, (Events{"double"}));
    EXPECT_EQ(main->commands, (std::vector<UINT>{kToggleItem}));

    // Not when the left button opens the menu, nor for a disabled item.
    main->commands.clear();
    icon->SetLeftPopup(true);
    notify(WM_LBUTTONDBLCLK);
    icon->SetLeftPopup(false);
    EnableMenuItem(menu.get(), kToggleItem, MF_BYCOMMAND | MF_GRAYED);
    notify(WM_LBUTTONDBLCLK);
    pump_for(100ms);
    EXPECT_TRUE(main->commands.empty());
    EXPECT_EQ(events, (Events{"double", "double", "double"}));
}

// --- enter, exit, cycling -------------------------------------------------

TEST_F(TrayIconTest, EnterComesWithTheFirstMoveAndExitWhenTheCursorLeaves) {
    icon->OnMouseEnter = [this](TTrayIcon&) { events.push_back("enter"); };
    icon->OnMouseExit = [this](TTrayIcon&) { events.push_back("exit"); };
    icon->OnMouseMove = [this](TTrayIcon&, TShiftState, int, int) { events.push_back("move"); };
    notify(WM_MOUSEMOVE);
    EXPECT_EQ(events, (Events{"move"}));  // not wanted yet

    events.clear();
    icon->SetWantEnterExitEvents(true);
    SetCursorPos(600, 600);
    notify(WM_MOUSEMOVE);
    notify(WM_MOUSEMOVE);
    EXPECT_EQ(events, (Events{"enter", "move", "move"}));
    pump_for(100ms);  // the cursor rests on the icon: no exit
    EXPECT_EQ(events.size(), 3u);

    SetCursorPos(620, 600);
    ASSERT_TRUE(pump_until([&] { return events.size() == 4; }));
    EXPECT_EQ(events.back(), "exit");
    notify(WM_MOUSEMOVE);
    EXPECT_EQ(events, (Events{"enter", "move", "move", "exit", "enter", "move"}));

    icon->SetWantEnterExitEvents(false);
    SetCursorPos(640, 600);
    pump_for(100ms);
    EXPECT_EQ(events.size(), 6u);
}

TEST_F(TrayIconTest, CyclingStepsThroughThePicturesAndStartsAgain) {
    struct Step {
        int index, next;
        std::vector<std::uint32_t> shown;
    };
    std::vector<Step> steps;
    icon->OnCycle = [&](TTrayIcon& sender, int next) {
        steps.push_back({sender.IconIndex(), next, pixels_of_icon(sender.Icon())});
    };
    icon->SetIconList(list.get());
    icon->SetIconIndex(2);
    icon->SetCycleInterval(30);
    icon->SetCycleIcons(true);
    EXPECT_EQ(icon->IconIndex(), 0);
    ASSERT_TRUE(pump_until([&] { return steps.size() >= 4; }));
    icon->SetCycleIcons(false);
    const std::vector<std::pair<int, int>> expected{{0, 1}, {1, 2}, {2, 0}, {0, 1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(steps[i].index, expected[i].first);
        EXPECT_EQ(steps[i].next, expected[i].second);
        EXPECT_EQ(steps[i].shown, list_picture(list.get(), expected[i].first));
    }
    const std::size_t stopped_at = steps.size();
    EXPECT_EQ(icon->IconIndex(), steps.back().next);
    pump_for(150ms);
    EXPECT_EQ(steps.size(), stopped_at);
}

TEST_F(TrayIconTest, CyclingWithoutAnIntervalOnlyResetsTheIndex) {
    int cycles = 0;
    icon->OnCycle = [&](TTrayIcon&, int) { ++cycles; };
    icon->SetIconList(list.get());
    icon->SetIconIndex(2);
    icon->SetCycleIcons(true);
    EXPECT_EQ(icon->IconIndex(), 0);
    pump_for(150ms);
    EXPECT_EQ(cycles, 0);

    icon->SetCycleInterval(25);  // an interval now starts the cycle
    EXPECT_TRUE(pump_until([&] { return cycles >= 2; }));
}

// --- main window ------------------------------------------------------------

TEST_F(TrayIconTest, HidingTheMainWindowTwiceIsLikeOnce) {
    icon->SetIconVisible(true);
    ASSERT_TRUE(main_shown());
    ASSERT_TRUE(button_shown());
    icon->HideMainWindow();
    EXPECT_FALSE(main_shown());
    EXPECT_FALSE(button_shown());
    icon->HideMainWindow();
    EXPECT_FALSE(main_shown());
    EXPECT_FALSE(button_shown());
    EXPECT_FALSE(IsIconic(main->hwnd()));
    // Another window of the application brought the button back meanwhile.
    ShowWindow(app->taskbar_window(), SW_SHOWNA);
    icon->HideMainWindow();
    EXPECT_FALSE(button_shown());
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_TRUE(shell_holds(icon->icon_data()));

    icon->ShowMainWindow();
    EXPECT_TRUE(main_shown());
    EXPECT_TRUE(button_shown());
}

TEST_F(TrayIconTest, ShowingBringsBackAMinimisedHiddenMainWindowInNormalState) {
    ShowWindow(main->hwnd(), SW_MINIMIZE);
    icon->HideMainWindow();
    ASSERT_TRUE(IsIconic(main->hwnd()));
    ASSERT_FALSE(main_shown());
    ASSERT_FALSE(button_shown());

    icon->ShowMainWindow();
    EXPECT_TRUE(main_shown());
    EXPECT_FALSE(IsIconic(main->hwnd()));
    EXPECT_TRUE(button_shown());
}

TEST_F(TrayIconTest, AMainWindowShownByACallComesToTheFrontOnceItShows) {
    // Another window of the process holds the front.
    const UniqueWindow other(CreateWindowExW(0, L"STATIC", L"Other", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 200,
                                             100, nullptr, nullptr, nullptr, nullptr));
    ShowWindow(main->hwnd(), SW_HIDE);
    SetForegroundWindow(other.get());
    ASSERT_EQ(GetForegroundWindow(), other.get());

    // Asked not to activate, the window still brings the application to the front.
    ShowWindow(main->hwnd(), SW_SHOWNA);
    EXPECT_TRUE(main_shown());
    EXPECT_EQ(GetForegroundWindow(), main->hwnd());
    EXPECT_EQ(GetActiveWindow(), main->hwnd());
}

TEST_F(TrayIconTest, MinimisingWithMinimizeToTrayHidesWindowAndButtonAndKeepsTheIcon) {
    icon->SetMinimizeToTray(true);
    ASSERT_FALSE(shell_holds(icon->icon_data()));
    SendMessageW(main->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    dispatch_pending();
    EXPECT_FALSE(main_shown());
    EXPECT_FALSE(button_shown());
    // Sending to the tray puts the icon there.
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_TRUE(shell_holds(icon->icon_data()));

    icon->ShowMainWindow();
    EXPECT_TRUE(main_shown());
    EXPECT_TRUE(button_shown());
    EXPECT_FALSE(IsIconic(app->taskbar_window()));
    EXPECT_FALSE(IsIconic(main->hwnd()));
}

TEST_F(TrayIconTest, MinimisingWithoutMinimizeToTrayKeepsTheTaskbarButton) {
    SendMessageW(main->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    dispatch_pending();
    EXPECT_TRUE(IsIconic(app->taskbar_window()));
    EXPECT_TRUE(button_shown());
    EXPECT_FALSE(icon->IconVisible());
}

TEST_F(TrayIconTest, AMinimizeToTrayHandlerTakesOverTheMinimiseCommand) {
    int handled = 0;
    icon->OnMinimizeToTray = [&](TTrayIcon&) { ++handled; };
    icon->SetMinimizeToTray(true);
    EXPECT_EQ(SendMessageW(main->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    dispatch_pending();
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(IsIconic(app->taskbar_window()));  // the command never reached the window
    EXPECT_FALSE(main_shown());
    EXPECT_FALSE(button_shown());
    EXPECT_TRUE(shell_holds(icon->icon_data()));
}

TEST_F(TrayIconTest, AStartupHandlerMayKeepTheMainWindowHidden) {
    bool asked_with = false;
    icon->OnStartup = [&](TTrayIcon&, bool& show) {
        asked_with = show;
        show = false;
    };
    icon->SetIconList(list.get());
    icon->SetHint(L"Tamgalik");
    icon->SetIconVisible(true);
    icon->Loaded();
    EXPECT_TRUE(asked_with);
    EXPECT_FALSE(app->show_main_form());
    EXPECT_FALSE(main_shown());
    EXPECT_FALSE(button_shown());
    EXPECT_TRUE(shell_holds(icon->icon_data()));
}

TEST_F(TrayIconTest, DestructionGivesTheOwnerItsWindowProcedureBack) {
    const auto original = GetClassLongPtrW(main->hwnd(), GCLP_WNDPROC);
    EXPECT_NE(GetWindowLongPtrW(main->hwnd(), GWLP_WNDPROC), original);
    // Messages still reach the owner's own procedure through the replacement.
    SendMessageW(main->hwnd(), WM_COMMAND, kExitItem, 0);
    icon.reset();
    EXPECT_EQ(GetWindowLongPtrW(main->hwnd(), GWLP_WNDPROC), original);
    SendMessageW(main->hwnd(), WM_COMMAND, kShowItem, 0);
    EXPECT_EQ(main->commands, (std::vector<UINT>{kExitItem, kShowItem}));
}

// --- the shared handler window ----------------------------------------------

TEST_F(TrayIconTest, IconsShareOneHiddenWindowThatOnlyTheLastIconCloses) {
    const HWND window = FindWindowW(kHandlerClass, nullptr);  // top-level: FindWindow sees it
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, icon->icon_data().hWnd);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(SendMessageW(window, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(window));

    TestMainWindow second_owner(*app);
    auto second = std::make_unique<TTrayIcon>(*app, second_owner.hwnd());
    EXPECT_EQ(second->icon_data().hWnd, window);
    EXPECT_NE(second->icon_data().uID, icon->icon_data().uID);

    // Each icon's notifications reach that icon only.
    int first_clicks = 0, second_clicks = 0;
    icon->OnClick = [&](TTrayIcon&) { ++first_clicks; };
    second->OnClick = [&](TTrayIcon&) { ++second_clicks; };
    SendMessageW(window, kTrayNotifyMessage, second->icon_data().uID, WM_LBUTTONDOWN);
    SendMessageW(window, kTrayNotifyMessage, second->icon_data().uID, WM_LBUTTONUP);
    EXPECT_EQ(first_clicks, 0);
    EXPECT_EQ(second_clicks, 1);

    icon.reset();
    EXPECT_TRUE(IsWindow(window));
    // A notification for the icon that is gone is dropped.
    SendMessageW(window, kTrayNotifyMessage, 1, WM_LBUTTONDOWN);
    second.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(kHandlerClass, nullptr), nullptr);
}

// --- wine's real notification area --------------------------------------------

TEST_F(TrayIconTest, TheIconAppearsChangesAndLeavesInTheTray) {
    ASSERT_TRUE(icons_in_tray().empty());
    icon->SetIconList(list.get());
    icon->SetHint(L"Tamgalik");
    icon->SetIconVisible(true);
    icon->Loaded();
    ASSERT_TRUE(pump_until([] { return icons_in_tray().size() == 1; }));
    const HWND shown = icons_in_tray()[0];
    EXPECT_TRUE(pump_until([&] { return shown_colour(shown) == kRed; }));
    EXPECT_EQ(shown_tooltip(shown), L"Tamgalik");

    icon->SetIconIndex(2);
    icon->SetHint(L"Tamgalik 2");
    EXPECT_TRUE(pump_until([&] { return shown_colour(shown) == kBlue; }));
    EXPECT_EQ(shown_tooltip(shown), L"Tamgalik 2");

    icon->SetIconVisible(false);
    EXPECT_TRUE(pump_until([] { return icons_in_tray().empty(); }));
    icon->SetIconVisible(true);
    EXPECT_TRUE(pump_until([] { return icons_in_tray().size() == 1; }));
    icon.reset();  // destruction takes the icon away
    EXPECT_TRUE(pump_until([] { return icons_in_tray().empty(); }));
}

// Calls the shell must refuse are not made: the icon's changes out of the
// tray still come with it when it returns, and those after a second, refused
// add still reach the shell.
TEST_F(TrayIconTest, ChangesOutOfTheTrayComeBackWithTheIcon) {
    icon->SetIconList(list.get());
    icon->SetHint(L"Tamgalik");
    icon->SetIconVisible(true);
    icon->Loaded();
    ASSERT_TRUE(pump_until([] { return icons_in_tray().size() == 1; }));

    icon->SetIconVisible(false);
    ASSERT_TRUE(pump_until([] { return icons_in_tray().empty(); }));
    EXPECT_FALSE(icon->UpdateTrayIcon());
    icon->SetIconIndex(1);
    icon->SetHint(L"Tamgalik 2");
    EXPECT_TRUE(pump_until([] { return icons_in_tray().empty(); }));

    EXPECT_TRUE(icon->AddTrayIcon());
    EXPECT_FALSE(icon->AddTrayIcon());  // the shell holds it already
    ASSERT_TRUE(pump_until([] { return icons_in_tray().size() == 1; }));
    const HWND shown = icons_in_tray()[0];
    EXPECT_TRUE(pump_until([&] { return shown_colour(shown) == kGreen; }));
    EXPECT_EQ(shown_tooltip(shown), L"Tamgalik 2");
    icon->SetIconIndex(2);
    EXPECT_TRUE(pump_until([&] { return shown_colour(shown) == kBlue; }));
}

TEST_F(TrayIconTest, AClickOnTheIconInTheTrayReachesItsEvents) {
    record_mouse_events();
    icon->SetIconList(list.get());
    icon->SetIconVisible(true);
    icon->Loaded();
    ASSERT_TRUE(pump_until([] { return icons_in_tray().size() == 1; }));
    const POINT centre = centre_of(icons_in_tray()[0]);
    SetCursorPos(centre.x, centre.y);
    INPUT press[2]{{INPUT_MOUSE}, {INPUT_MOUSE}};
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof press[0]);
    EXPECT_TRUE(pump_until([&] { return events.size() >= 3; }));
    EXPECT_EQ(events, (Events{"down left", "click", "up left"}));
}

TEST_F(TrayIconTest, AfterTheShellRestartsAVisibleIconShowsItsCurrentPictureAndTooltip) {
    icon->SetIconList(list.get());
    icon->SetHint(L"Tamgalik");
    icon->SetIconVisible(true);
    icon->Loaded();
    ASSERT_TRUE(pump_until([] { return icons_in_tray().size() == 1; }));
    const HWND shown = icons_in_tray()[0];
    ASSERT_TRUE(pump_until([&] { return shown_colour(shown) == kRed; }));

    // The tray kept the icon, but with an older picture and tooltip.
    const UniqueIcon green = solid_icon(kGreen);
    NOTIFYICONDATAW stale = icon->icon_data();
    stale.hIcon = green.get();
    wcscpy(stale.szTip, L"stale");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &stale));
    ASSERT_TRUE(pump_until([&] { return shown_colour(shown) == kGreen; }));

    SendMessageW(app->taskbar_window(), taskbar_created(), 0, 0);
    EXPECT_TRUE(pump_until([&] { return shown_colour(shown) == kRed; }));
    EXPECT_EQ(shown_tooltip(shown), L"Tamgalik");
    EXPECT_EQ(icons_in_tray().size(), 1u);
}

TEST_F(TrayIconTest, AfterTheShellRestartsOnlyVisibleIconsComeBack) {
    icon->SetIconList(list.get());
    icon->SetIconVisible(true);
    icon->Loaded();
    TestMainWindow second_owner(*app);
    TTrayIcon hidden(*app, second_owner.hwnd());
    hidden.SetIcon(solid_icon(kGrey).get());
    hidden.Loaded();

    // A restarted shell has lost every icon and says so to every top-level window.
    NOTIFYICONDATAW lost = icon->icon_data();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &lost));
    ASSERT_FALSE(shell_holds(icon->icon_data()));
    PostMessageW(HWND_BROADCAST, taskbar_created(), 0, 0);
    EXPECT_TRUE(pump_until([&] { return shell_holds(icon->icon_data()); }));
    EXPECT_FALSE(shell_holds(hidden.icon_data()));
    EXPECT_FALSE(hidden.IconVisible());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
