// The palette window created in-process: palette, script choice, menus and
// the calls it makes into the hook library (a recording stand-in beside the
// test executable logs them).
#include "resource.h"
#include "application.h"
#include "main_form.h"
#include "palette_layout.h"
#include "menu.h"
#include "pixels_bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
