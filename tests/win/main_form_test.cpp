// The palette window created in-process: palette, script choice, menus and
// the calls it makes into the hook library (a recording stand-in beside the
// test executable logs them).
#include "resource.h"
#include "application.h"
#include "main_form.h"
#include "palette_layout.h"
#include "menu.h"
#include "pixels_bitmap.h"
#include "tray_state.h"
#include "message_pump.h"
#include "tooltip_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

using namespace tamga;

namespace {

std::filesystem::path hook_log() { return std::filesystem::temp_directory_path() / "tamga_main_form_hook.log"; }

std::string read_log() {
    std::ifstream in(hook_log());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class MainFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetEnvironmentVariableW(L"TAMGA_HOOK_LOG", hook_log().c_str()); }
    void SetUp() override {
        std::filesystem::remove(hook_log());
        app = std::make_unique<TApplication>(L"Tamgalik");
        form = std::make_unique<TForm1>(*app);
    }
    void TearDown() override {
        form.reset();
        app.reset();
        MSG msg;  // the forms may have requested termination
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    bool checked(UINT id) const { return menu_checked(form->main_menu(), id); }
    bool tray_checked(UINT id) const { return menu_checked(form->popup_menu(), id); }

    std::unique_ptr<TApplication> app;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainFormTest, ScriptChoiceShowsExactlyOnePanel) {
    EXPECT_TRUE(form->panel(kLatinRow).visible());
    EXPECT_FALSE(form->panel(kCyrillicRow).visible());

    form->command(ID_SLAVEN1);
    EXPECT_FALSE(form->panel(kLatinRow).visible());
    EXPECT_TRUE(form->panel(kCyrillicRow).visible());
    EXPECT_TRUE(checked(ID_SLAVEN1));
    EXPECT_FALSE(checked(ID_LATIN1));

    form->command(ID_SLAVEN1);  // already chosen: nothing changes
    EXPECT_FALSE(form->panel(kLatinRow).visible());
    EXPECT_TRUE(form->panel(kCyrillicRow).visible());
    EXPECT_TRUE(checked(ID_SLAVEN1));

    form->command(ID_LATIN1);
    EXPECT_TRUE(form->panel(kLatinRow).visible());
    EXPECT_FALSE(form->panel(kCyrillicRow).visible());
}

TEST_F(MainFormTest, EveryButtonPictureIsItsStripCellOnWhite) {
    UniqueBitmap strip_bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), L"GLYPHS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    const Pixels strip = pixels_of(strip_bitmap.get());
    ASSERT_EQ(strip.width, kStripWidth);
    ASSERT_EQ(strip.height, kStripHeight);
    for (int number = 1; number <= kButtonCount; ++number) {
        const ButtonSlot slot = button_slot(number);
        const Pixels picture = pixels_of(form->button(slot.row, slot.position).picture());
        ASSERT_EQ(picture.width, 33);
        ASSERT_EQ(picture.height, 33);
        const Rect cell = strip_cell(slot);
        int ink = 0;
        for (int y = 0; y < 33; ++y) {
            for (int x = 0; x < 33; ++x) {
                const bool in_cell = x < 30 && y < 30;
                const std::uint32_t expected = in_cell ? strip.at(cell.left + x, cell.top + y) : kWhite;
                ASSERT_EQ(picture.at(x, y), expected) << "button " << number << " at " << x << "," << y;
                ink += picture.at(x, y) == 0;
            }
        }
        EXPECT_GT(ink, 20) << "button " << number << " shows no letter";
    }
}

// What the system sends when the window moves to a monitor of another scale.
void change_scale(HWND window, int dpi, RECT suggested) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

Pixels strip_of(const wchar_t* name) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return bitmap ? pixels_of(bitmap.get()) : Pixels{};
}

RECT window_rect_of(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

RECT child_rect_of(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(MainFormTest, OnAMonitorOfAnotherScaleEverythingRescalesInPlace) {
    const HWND window = form->hwnd();
    const RECT at_96 = window_rect_of(window);
    const Pixels design_picture = pixels_of(form->button(kCyrillicRow, 7).picture());

    change_scale(window, 144, RECT{100, 80, 600, 300});
    const RECT moved = window_rect_of(window);
    EXPECT_EQ(moved.left, 100);
    EXPECT_EQ(moved.top, 80);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 494);
    EXPECT_GE(client.bottom, 134) << "the whole palette shows";
    const RECT panel = child_rect_of(form->panel(kLatinRow).hwnd());
    EXPECT_EQ(panel.right - panel.left, 506);
    EXPECT_EQ(panel.bottom - panel.top, 134);

    const Pixels strip = strip_of(L"GLYPHS144");
    ASSERT_EQ(strip.width, strip_geometry(144).width);
    for (int number = 1; number <= kButtonCount; ++number) {
        const ButtonSlot slot = button_slot(number);
        PictureButton& button = form->button(slot.row, slot.position);
        const RECT r = child_rect_of(button.hwnd());
        const Rect expected = button_rect(slot.position, 144);
        EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), expected) << number;
        const Pixels picture = pixels_of(button.picture());
        const Pixels cut = cut_button_picture(strip, slot, 144);
        ASSERT_EQ(picture.width, 50);
        EXPECT_EQ(picture.rgb, cut.rgb) << "button " << number << " drawn for 150 %, not stretched";
    }

    // Back on a 100 % monitor: the design, pixel for pixel.
    change_scale(window, 96, RECT{at_96.left, at_96.top, at_96.left + 10, at_96.top + 10});
    const RECT back = window_rect_of(window);
    EXPECT_EQ(back.right - back.left, at_96.right - at_96.left);
    EXPECT_EQ(back.bottom - back.top, 134);
    EXPECT_EQ(pixels_of(form->button(kCyrillicRow, 7).picture()).rgb, design_picture.rgb);
}

// Light-on-dark button colours for a test, the earlier ones back after it:
// every test of the suite shares them.
struct HighContrastButtons {
    const int elements[2]{COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF before[2]{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
    HighContrastButtons() {
        const COLORREF light_on_dark[2]{RGB(0, 0, 0), RGB(255, 255, 255)};
        SetSysColors(2, elements, light_on_dark);
    }
    ~HighContrastButtons() { SetSysColors(2, elements, before); }
};

// The window's client area as it shows on screen.
Pixels on_screen(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    UniqueBitmap copy = bitmap_of(Pixels{r.right, r.bottom, std::vector<std::uint32_t>(r.right * r.bottom)});
    {
        WindowDC screen(window);
        MemoryCanvas canvas(screen.dc(), copy.get());
        BitBlt(canvas.dc(), 0, 0, r.right, r.bottom, screen.dc(), 0, 0, SRCCOPY);
    }
    return pixels_of(copy.get());
}

// How many pixels of the button on screen, inside its 2-pixel edge, differ
// from its picture drawn white on black, moved by `shift` as when pressed.
int light_on_dark_mismatches(const PictureButton& button, int shift) {
    const Pixels shown = on_screen(button.hwnd()), picture = pixels_of(button.picture());
    int wrong = 0;
    for (int y = 2; y < shown.height - 2; ++y)
        for (int x = 2; x < shown.width - 2; ++x)
            wrong += shown.at(x, y) != (picture.at(x - shift, y - shift) == kWhite ? 0x000000u : kWhite);
    return wrong;
}

TEST_F(MainFormTest, LettersFollowTheSystemsButtonColours) {
    using namespace tamga::testing;
    // Shown again after the first tick has hidden it, as from the tray.
    ASSERT_TRUE(pump_until([&] { return !IsWindowVisible(form->hwnd()); }));
    form->command(ID_KORSITISH1);
    const PictureButton& button = form->button(kLatinRow, 11);  // Ş

    const HighContrastButtons colours;
    EXPECT_TRUE(pump_until([&] { return light_on_dark_mismatches(button, 0) == 0; }, 5s));
    EXPECT_EQ(on_screen(form->panel(kLatinRow).hwnd()).at(2, 2), 0x000000u) << "the panel around the buttons";
    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    UpdateWindow(button.hwnd());
    EXPECT_EQ(light_on_dark_mismatches(button, 1), 0) << "pressed";
    ReleaseCapture();
    dispatch_pending();

    // Only top-level windows hear of a change; the palette passes it on.
    for (UINT change : {WM_THEMECHANGED, WM_SYSCOLORCHANGE}) {
        ValidateRect(button.hwnd(), nullptr);
        SendMessageW(form->hwnd(), change, 0, 0);
        EXPECT_TRUE(GetUpdateRect(button.hwnd(), nullptr, FALSE)) << change;
    }
}

// The selection events a screen reader outside the process hears.
std::vector<HWND>& selections_heard() {
    static std::vector<HWND> heard;
    return heard;
}
void CALLBACK hear_selection(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) selections_heard().push_back(window);
}

std::uint32_t rgb_of(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

TEST_F(MainFormTest, ASelectedButtonIsFramedInTheHighlightColourAndAnnounced) {
    using namespace tamga::testing;
    ASSERT_TRUE(pump_until([&] { return !IsWindowVisible(form->hwnd()); }));
    form->command(ID_KORSITISH1);
    PictureButton& button = form->button(kLatinRow, 11);  // Ş
    UpdateWindow(button.hwnd());
    const Pixels plain = on_screen(button.hwnd());
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SELECTION, EVENT_OBJECT_SELECTION, nullptr,
                                               hear_selection, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    button.set_selected(true);
    EXPECT_TRUE(pump_until([] { return !selections_heard().empty(); }));
    UnhookWinEvent(hook);
    EXPECT_EQ(selections_heard(), std::vector<HWND>{button.hwnd()});

    // Three pixels wide inside the two of the edge, on every side.
    UpdateWindow(button.hwnd());
    const Pixels framed = on_screen(button.hwnd());
    const std::uint32_t highlight = rgb_of(GetSysColor(COLOR_HIGHLIGHT));
    const int last = framed.width - 1;
    for (int i = 2; i < 5; ++i) {
        EXPECT_EQ(framed.at(i, i), highlight) << i;
        EXPECT_EQ(framed.at(last - i, last - i), highlight) << i;
        EXPECT_NE(plain.at(i, i), highlight) << i;
    }
    EXPECT_EQ(framed.at(5, 5), plain.at(5, 5));
    button.set_selected(false);
    UpdateWindow(button.hwnd());
    EXPECT_EQ(on_screen(button.hwnd()).rgb, plain.rgb);
}

TEST_F(MainFormTest, LetterTipsTellTheKeysOfTheChosenMode) {
    using tamga::testing::tooltip_text;
    const HWND s_capital = form->button(kLatinRow, 11).hwnd(), schwa = form->button(kCyrillicRow, 1).hwnd();
    EXPECT_EQ(tooltip_text(s_capital), L"\u015E, capital S with cedilla\r\nKeys: Shift+6");
    EXPECT_EQ(tooltip_text(schwa), L"\u04D8, capital schwa\r\nKeys: Shift+1 on a Russian layout");
    form->command(ID_JUPYOTKESH2);
    EXPECT_EQ(tooltip_text(s_capital), L"\u015E, capital S with cedilla\r\nKeys: Sh");
    EXPECT_EQ(tooltip_text(schwa),
              L"\u04D8, capital schwa\r\nKeys: none in pair mode; in letter mode Shift+1 on a Russian layout");
}

TEST_F(MainFormTest, TrayPicturesAreDrawnForTheTraysIconSize) {
    const int size = tray_picture_size_for(GetSystemMetrics(SM_CXSMICON));
    int width = 0, height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(form->tray_icon().IconList(), &width, &height));
    EXPECT_EQ(width, size);
    EXPECT_EQ(height, size);
    EXPECT_EQ(ImageList_GetImageCount(form->tray_icon().IconList()), 3);
    const std::wstring name = size == 16 ? L"TRAYSTATES" : L"TRAYSTATES" + std::to_wstring(size);
    const Pixels strip = strip_of(name.c_str());
    ASSERT_EQ(strip.width, 3 * size);
    // The icon shown is picture 0 of the strip, pixel for pixel.
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(form->tray_icon().Icon(), &info));
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    const Pixels shown = pixels_of(colour.get());
    ASSERT_EQ(shown.width, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) ASSERT_EQ(shown.at(x, y), strip.at(x, y)) << x << "," << y;
}

TEST_F(MainFormTest, MenuCaptionsAndMarksAtStart) {
    const HMENU main = form->main_menu(), tray = form->popup_menu();
    EXPECT_EQ(menu_caption(main, ID_HERDAYIMUSTIDE1), L"Her dayim \u00FCstide");
    EXPECT_EQ(menu_caption(main, ID_ESTESAQLASH1), L"Este saqla\u015F");
    EXPECT_EQ(menu_caption(main, ID_LATIN1), L"Latin");
    EXPECT_EQ(menu_caption(main, ID_SLAVEN1), L"Slaven");
    EXPECT_EQ(menu_caption(main, ID_CHIQISH1), L"Ciqi\u015F");
    EXPECT_EQ(menu_caption(main, ID_TILTAXTINIOZGERTISH1), L"Til taxtini \u00F6zgerti\u015F");
    EXPECT_EQ(menu_caption(main, ID_HERIPYOTKESH1), L"Herip y\u00F6tke\u015F");
    EXPECT_EQ(menu_caption(main, ID_JUPYOTKESH1), L"J\u00FCp y\u00F6tke\u015F");
    EXPECT_EQ(menu_caption(main, ID_YARDEM2), L"Yardem...");
    EXPECT_EQ(menu_caption(main, ID_HEQQIDE1), L"Heqqide...");
    EXPECT_EQ(menu_caption(tray, ID_KORSITISH1), L"K\u00F6rsiti\u015F");
    EXPECT_EQ(menu_caption(tray, ID_TILTAXTINIOZGERTISH2), L"Til taxtini \u00F6zgerti\u015F");
    EXPECT_EQ(menu_caption(tray, ID_HERIPYOTKESH2), L"Herip y\u00F6tke\u015F");
    EXPECT_EQ(menu_caption(tray, ID_JUPYOTKESH2), L"J\u00FCp y\u00F6tke\u015F");
    EXPECT_EQ(menu_caption(tray, ID_CHIQISH2), L"Ciqi\u015F");
    EXPECT_EQ(GetMenuItemID(tray, 0), static_cast<UINT>(ID_KORSITISH1));
    EXPECT_EQ(GetMenuItemID(tray, GetMenuItemCount(tray) - 1), static_cast<UINT>(ID_CHIQISH2));

    for (UINT on : {ID_HERDAYIMUSTIDE1, ID_ESTESAQLASH1, ID_LATIN1, ID_TILTAXTINIOZGERTISH1, ID_HERIPYOTKESH1})
        EXPECT_TRUE(checked(on)) << on;
    for (UINT off : {ID_SLAVEN1, ID_CHIQISH1, ID_JUPYOTKESH1, ID_YARDEM2, ID_HEQQIDE1}) EXPECT_FALSE(checked(off)) << off;
    EXPECT_TRUE(tray_checked(ID_TILTAXTINIOZGERTISH2));
    EXPECT_TRUE(tray_checked(ID_HERIPYOTKESH2));
    EXPECT_FALSE(tray_checked(ID_JUPYOTKESH2));
    EXPECT_FALSE(tray_checked(ID_KORSITISH1));
}

TEST_F(MainFormTest, StayOnTopAndClipboardModeToggle) {
    auto topmost = [&] { return (GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    ASSERT_TRUE(topmost());
    form->command(ID_HERDAYIMUSTIDE1);
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(checked(ID_HERDAYIMUSTIDE1));
    form->command(ID_HERDAYIMUSTIDE1);
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(checked(ID_HERDAYIMUSTIDE1));

    form->command(ID_ESTESAQLASH1);
    EXPECT_FALSE(checked(ID_ESTESAQLASH1));
    form->command(ID_ESTESAQLASH1);
    EXPECT_TRUE(checked(ID_ESTESAQLASH1));
    // Neither toggle touches the script choice.
    EXPECT_TRUE(checked(ID_LATIN1));
}

TEST_F(MainFormTest, HookCallsFollowTheKeyboardCommands) {
    EXPECT_EQ(read_log(), "HookStart1\n");

    form->command(ID_JUPYOTKESH2);  // the tray copy chooses pair mode
    EXPECT_EQ(read_log(), "HookStart1\nHookFinish\nHookStart2\n");
    EXPECT_TRUE(checked(ID_JUPYOTKESH1));
    EXPECT_FALSE(checked(ID_HERIPYOTKESH1));
    EXPECT_TRUE(tray_checked(ID_JUPYOTKESH2));
    EXPECT_FALSE(tray_checked(ID_HERIPYOTKESH2));

    form->command(ID_TILTAXTINIOZGERTISH1);  // off
    EXPECT_FALSE(checked(ID_TILTAXTINIOZGERTISH1));
    EXPECT_FALSE(tray_checked(ID_TILTAXTINIOZGERTISH2));
    EXPECT_EQ(read_log(), "HookStart1\nHookFinish\nHookStart2\nHookFinish\n");

    // A mode choice while keyboard changing is off only moves the marks.
    form->command(ID_HERIPYOTKESH1);
    form->command(ID_JUPYOTKESH2);
    form->command(ID_HERIPYOTKESH2);
    EXPECT_EQ(read_log(), "HookStart1\nHookFinish\nHookStart2\nHookFinish\n");
    EXPECT_FALSE(checked(ID_TILTAXTINIOZGERTISH1));
    EXPECT_TRUE(checked(ID_HERIPYOTKESH1));
    EXPECT_FALSE(checked(ID_JUPYOTKESH1));
    EXPECT_TRUE(tray_checked(ID_HERIPYOTKESH2));
    EXPECT_FALSE(tray_checked(ID_JUPYOTKESH2));

    form->command(ID_TILTAXTINIOZGERTISH2);  // on again, from the tray copy: the chosen mode starts
    EXPECT_TRUE(checked(ID_TILTAXTINIOZGERTISH1));
    EXPECT_EQ(read_log(), "HookStart1\nHookFinish\nHookStart2\nHookFinish\nHookFinish\nHookStart1\n");

    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);  // the close box
    EXPECT_EQ(read_log(), "HookStart1\nHookFinish\nHookStart2\nHookFinish\nHookFinish\nHookStart1\nHookFinish\n");
}

// The global switching key does what the menu item does, marks and picture with it.
TEST_F(MainFormTest, TheSwitchingKeyWorksAsTheKeyboardChangingItem) {
    constexpr WPARAM kSwitchingKey = 2;
    SendMessageW(form->hwnd(), WM_HOTKEY, kSwitchingKey, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F8));
    EXPECT_FALSE(checked(ID_TILTAXTINIOZGERTISH1));
    EXPECT_FALSE(tray_checked(ID_TILTAXTINIOZGERTISH2));
    EXPECT_EQ(form->tray_icon().IconIndex(), kTrayOff);
    SendMessageW(form->hwnd(), WM_HOTKEY, kSwitchingKey, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F8));
    EXPECT_TRUE(checked(ID_TILTAXTINIOZGERTISH1));
    EXPECT_TRUE(tray_checked(ID_TILTAXTINIOZGERTISH2));
    EXPECT_EQ(read_log(), "HookStart1\nHookFinish\nHookFinish\nHookStart1\n");
}

// The tray menu's switch sent to the palette while it is being made: the
// test thread holds the message queued from the window's creation on, and the
// palette handles it in its first wait for another thread (the shell's).
struct EarlySwitch {
    static inline HANDLE sender = nullptr;
    static LRESULT CALLBACK on_creation(int code, WPARAM wparam, LPARAM lparam) {
        wchar_t name[16] = {};
        if (code == HCBT_CREATEWND && !sender && GetClassNameW(reinterpret_cast<HWND>(wparam), name, 16) &&
            std::wstring_view(name) == L"TForm1") {
            sender = CreateThread(nullptr, 0, [](void* window) -> DWORD {
                SendMessageW(static_cast<HWND>(window), WM_COMMAND, ID_TILTAXTINIOZGERTISH2, 0);
                return 0;
            }, reinterpret_cast<void*>(wparam), 0, nullptr);
            const auto deadline = tamga::testing::Clock::now() + std::chrono::seconds(5);
            while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && tamga::testing::Clock::now() < deadline)
                Sleep(1);
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
};

TEST_F(MainFormTest, KeyboardChangingSwitchedOffWhileThePaletteIsMadeStaysOff) {
    form.reset();
    std::filesystem::remove(hook_log());
    HHOOK hook = SetWindowsHookExW(WH_CBT, &EarlySwitch::on_creation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    form = std::make_unique<TForm1>(*app);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(tamga::testing::pump_until([] { return WaitForSingleObject(EarlySwitch::sender, 0) == WAIT_OBJECT_0; }));
    CloseHandle(EarlySwitch::sender);

    // Off in the menus, on the tray, and in the hook library: its last call
    // (if any) finished it.
    EXPECT_FALSE(checked(ID_TILTAXTINIOZGERTISH1));
    EXPECT_FALSE(tray_checked(ID_TILTAXTINIOZGERTISH2));
    EXPECT_EQ(form->tray_icon().IconIndex(), kTrayOff);
    const std::string calls = read_log();
    EXPECT_TRUE(calls.empty() || calls.ends_with("HookFinish\n")) << calls;
}

TEST_F(MainFormTest, ExitCommandEndsWithoutFinishingTheHook) {
    form->command(ID_CHIQISH1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(read_log(), "HookStart1\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
