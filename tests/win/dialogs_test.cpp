// The About and Help windows created in-process, as the program creates them
// at start: their layouts on exact pixels, Unicode captions, link labels,
// modal showings and the state they keep from one showing to the next.
#include "dialog_ids.h"
#include "application.h"
#include "about_box.h"
#include "help_window.h"
#include "packed_picture.h"
#include "pixels_bitmap.h"
#include "tooltip_text.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <tuple>

using namespace tamga;
using tamga::testing::tooltip_text;

namespace {

constexpr const wchar_t* kAddress = L"https://tamgalik.example.org/";

// Runs steps from inside whichever message loop is running, such as a
// dialog's modal loop: each step is a message posted to a hidden window, and
// the next one is posted only when the step before has run, so it comes after
// whatever that step posted.
class LoopSteps {
public:
    LoopSteps() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        SetWindowSubclass(window_.get(), &run, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ~LoopSteps() { RemoveWindowSubclass(window_.get(), &run, 0); }

    void post(std::function<void()> step) {
        steps_.push_back(std::move(step));
        if (steps_.size() == 1) PostMessageW(window_.get(), WM_APP, 0, 0);
    }
    // Steps left over when a showing ended before them: the dialog closed early.
    size_t pending() const { return steps_.size(); }

private:
    static LRESULT CALLBACK run(HWND w, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self) {
        if (message != WM_APP) return DefSubclassProc(w, message, wparam, lparam);
        auto& steps = reinterpret_cast<LoopSteps*>(self)->steps_;
        steps.front()();
        steps.pop_front();
        if (!steps.empty()) PostMessageW(w, WM_APP, 0, 0);
        return 0;
    }

    UniqueWindow window_;
    std::deque<std::function<void()>> steps_;
};

std::wstring text_of(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
}

// A control's rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void expect_rect(HWND control, RECT expected) {
    const RECT r = rect_in_parent(control);
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
}

SIZE client_size(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

LOGFONTW font_of(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The text's extent in the control's own font.
SIZE text_extent(HWND control) {
    const std::wstring text = text_of(control);
    const WindowDC dc(control);
    const SelectedObject font(dc.dc(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc.dc(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

// A label that sizes itself to its text: neither cut off nor padded.
void expect_sized_to_text(HWND label) {
    const SIZE extent = text_extent(label);
    EXPECT_EQ(client_size(label).cx, extent.cx);
    EXPECT_EQ(client_size(label).cy, extent.cy);
}

// What a window shows on the screen, read while it is visible.
Pixels on_screen(HWND w) {
    UpdateWindow(w);
    const SIZE size = client_size(w);
    WindowDC screen;
    UniqueBitmap copy(CreateCompatibleBitmap(screen.dc(), size.cx, size.cy));
    {
        MemoryCanvas canvas(screen.dc(), copy.get());
        const WindowDC window(w);
        BitBlt(canvas.dc(), 0, 0, size.cx, size.cy, window.dc(), 0, 0, SRCCOPY);
    }
    return pixels_of(copy.get());
}

Pixels picture(const wchar_t* name) { return pixels_of(load_packed_picture(name).get()); }

std::uint32_t rgb_of(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>(L"Tamgalik");
        // Stands for the palette: the owner that a modal showing disables.
        owner.reset(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 80, nullptr,
                                    nullptr, nullptr, nullptr));
    }
    void TearDown() override {
        EXPECT_EQ(steps.pending(), 0u) << "a showing ended before all its steps ran";
        owner.reset();
        app.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    std::unique_ptr<TApplication> app;
    UniqueWindow owner;
    LoopSteps steps;
};

void expect_centred_on_screen(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
}

// Hover and leave, as both windows' handlers set them.
void expect_link_follows_pointer(LinkLabel& link, COLORREF initial) {
    HWND label = link.hwnd();
    EXPECT_EQ(link.colour(), initial);
    EXPECT_FALSE(link.underlined());
    EXPECT_EQ(font_of(label).lfWeight, FW_BOLD);
    EXPECT_EQ(text_of(label), L"tamgalik.example.org");
    EXPECT_EQ(link.hint(), kAddress);
    EXPECT_EQ(tooltip_text(label), kAddress);
    expect_sized_to_text(label);

    for (int round = 0; round < 2; ++round) {
        SendMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(link.colour(), RGB(0, 0, 255));
        EXPECT_TRUE(link.underlined());
        EXPECT_TRUE(font_of(label).lfUnderline);
        EXPECT_EQ(font_of(label).lfWeight, FW_BOLD);

        SendMessageW(label, WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(link.colour(), RGB(0, 0, 0));
        EXPECT_FALSE(link.underlined());
        EXPECT_FALSE(font_of(label).lfUnderline);
        EXPECT_EQ(font_of(label).lfWeight, FW_BOLD);
    }
}

// --- About --------------------------------------------------------------

TEST_F(DialogsTest, AboutLayoutLandsOnItsPixels) {
    TAboutBox1 about(*app);
    HWND dialog = about.hwnd();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(text_of(dialog), L"Heqqide");
    EXPECT_EQ(client_size(dialog).cx, 321);
    EXPECT_EQ(client_size(dialog).cy, 106);
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), app->taskbar_window());

    HWND panel = about.control(IDC_ABOUT_PANEL1);
    expect_rect(panel, {8, 8, 313, 65});
    expect_rect(about.control(IDOK), {232, 75, 307, 100});
    EXPECT_TRUE(GetWindowLongW(about.control(IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(rect_in_parent(about.control(IDC_ABOUT_LABEL1)).left, 16);
    EXPECT_EQ(rect_in_parent(about.control(IDC_ABOUT_LABEL1)).top, 80);

    for (int id : {IDC_ABOUT_PROGRAMICON, IDC_ABOUT_INFOLABEL1, IDC_ABOUT_INFOLABEL2, IDC_ABOUT_INFOLABEL3})
        EXPECT_EQ(GetParent(about.control(id)), panel) << id;
    expect_rect(about.control(IDC_ABOUT_PROGRAMICON), {13, 13, 46, 46});
    const int tops[] = {5, 21, 37};
    for (int line = 0; line < 3; ++line) {
        const RECT r = rect_in_parent(about.control(IDC_ABOUT_INFOLABEL1 + line));
        EXPECT_EQ(r.left, 64);
        EXPECT_EQ(r.top, tops[line]);
    }
}

TEST_F(DialogsTest, AboutLabelsCarryTheirUnicodeTextsInVerdana) {
    TAboutBox1 about(*app);
    HWND heading = about.control(IDC_ABOUT_INFOLABEL1);
    HWND author = about.control(IDC_ABOUT_INFOLABEL2);
    HWND version = about.control(IDC_ABOUT_INFOLABEL3);
    EXPECT_EQ(text_of(heading), L"Uy\u011Fur Tilini\u014B Tamgalik");
    EXPECT_EQ(text_of(author), L"Ijatci: Tamgalik developers");
    EXPECT_EQ(text_of(version), L"V\u00E9rsiye: 2.1, 2010 \u017Eili");
    for (HWND label : {heading, author, version}) {
        EXPECT_STREQ(font_of(label).lfFaceName, L"Verdana");
        EXPECT_EQ(font_of(label).lfHeight, -11);
        EXPECT_EQ(font_of(label).lfWeight, label == heading ? FW_BOLD : FW_NORMAL);
        // Sized after the Unicode text went in, in the label's own font.
        expect_sized_to_text(label);
    }
    EXPECT_STREQ(font_of(about.control(IDOK)).lfFaceName, L"MS Sans Serif");
}

TEST_F(DialogsTest, AboutLinkTurnsBlueUnderPointerAndBlackAway) {
    TAboutBox1 about(*app);
    expect_link_follows_pointer(about.link(), RGB(0, 0, 0));
}

TEST_F(DialogsTest, AboutShowsModallyCentredAndEnterClosesIt) {
    TAboutBox1 about(*app);
    HWND dialog = about.hwnd();
    steps.post([&] {
        EXPECT_TRUE(about.showing());
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(owner.get()));
        expect_centred_on_screen(dialog);
        EXPECT_EQ(GetFocus(), about.control(IDOK));
        // Escape does nothing: there is no cancel button.
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    steps.post([&] {
        EXPECT_TRUE(IsWindowVisible(dialog));
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    about.show_modal(owner.get());

    EXPECT_FALSE(about.showing());
    EXPECT_TRUE(IsWindow(dialog)) << "hidden, not destroyed";
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

TEST_F(DialogsTest, AboutReopensWhereItWasLeftWithItsLinkLook) {
    TAboutBox1 about(*app);
    HWND dialog = about.hwnd();
    RECT moved{};
    steps.post([&] {
        SetWindowPos(dialog, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        GetWindowRect(dialog, &moved);
        SendMessageW(about.link().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // the title bar's close button
    });
    about.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));

    steps.post([&] {
        RECT now;
        GetWindowRect(dialog, &now);
        EXPECT_EQ(now.left, moved.left);
        EXPECT_EQ(now.top, moved.top);
        EXPECT_EQ(about.link().colour(), RGB(0, 0, 255));
        EXPECT_TRUE(about.link().underlined());
        SendMessageW(about.control(IDOK), BM_CLICK, 0, 0);
    });
    about.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));
}

TEST_F(DialogsTest, AboutOpenedAgainWhileShownOrQuitMeanwhileEndsCleanly) {
    TAboutBox1 about(*app);
    HWND dialog = about.hwnd();
    steps.post([&] {
        // A second request, such as a command posted to the palette, returns
        // at once; the close queued here ends the first showing.
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        about.show_modal(owner.get());
        EXPECT_TRUE(about.showing());
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(owner.get()));
    });
    about.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));

    steps.post([] { PostQuitMessage(7); });  // the program ends; the tray menu still works meanwhile
    about.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is left for the main loop";
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(DialogsTest, AboutStaysInFrontOfAnOwnerThatStaysOnTop) {
    TAboutBox1 about(*app);
    HWND dialog = about.hwnd();
    steps.post([&] {
        EXPECT_FALSE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    about.show_modal(owner.get());

    SetWindowPos(owner.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    steps.post([&] {
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    about.show_modal(owner.get());
}

TEST_F(DialogsTest, AboutPanelShowsItsBevelAndIcon) {
    TAboutBox1 about(*app);
    HWND panel = about.control(IDC_ABOUT_PANEL1);
    steps.post([&] {
        const Pixels shown = on_screen(panel);
        const std::uint32_t shadow = rgb_of(GetSysColor(COLOR_BTNSHADOW));
        const std::uint32_t light = rgb_of(GetSysColor(COLOR_BTNHIGHLIGHT));
        // Outer edge lowered, inner edge raised.
        EXPECT_EQ(shown.at(20, 0), shadow);
        EXPECT_EQ(shown.at(20, 1), light);
        EXPECT_EQ(shown.at(20, shown.height - 1), light);
        EXPECT_EQ(shown.at(20, shown.height - 2), shadow);
        EXPECT_EQ(shown.at(0, 20), shadow);
        EXPECT_EQ(shown.at(1, 20), light);
        // The icon covers its 32x32 square from (13, 13) and leaves the 33rd column alone.
        int face = 0;
        for (int y = 13; y < 45; ++y)
            for (int x = 13; x < 45; ++x) face += shown.at(x, y) == rgb_of(GetSysColor(COLOR_BTNFACE));
        EXPECT_LT(face, 32 * 32 / 4);
        for (int y = 13; y < 46; ++y) EXPECT_EQ(shown.at(45, y), rgb_of(GetSysColor(COLOR_BTNFACE))) << y;
        PostMessageW(about.hwnd(), WM_CLOSE, 0, 0);
    });
    about.show_modal(owner.get());
}

// --- Help ---------------------------------------------------------------

TEST_F(DialogsTest, HelpLayoutLandsOnItsPixels) {
    THelp1 help(*app);
    HWND dialog = help.hwnd();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(text_of(dialog), L"Yardem");
    EXPECT_EQ(client_size(dialog).cx, 419);
    EXPECT_EQ(client_size(dialog).cy, 453);
    EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    HWND tabs = help.control(IDC_HELP_PAGECONTROL1);
    expect_rect(tabs, {0, 0, 419, 401});
    expect_rect(help.control(IDC_HELP_BUTTON1), {333, 416, 408, 441});
    EXPECT_FALSE(GetWindowLongW(help.control(IDC_HELP_BUTTON1), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(rect_in_parent(help.control(IDC_HELP_LABEL1)).left, 16);
    EXPECT_EQ(rect_in_parent(help.control(IDC_HELP_LABEL1)).top, 420);

    for (int page : {IDC_HELP_TABSHEET1, IDC_HELP_TABSHEET2}) {
        EXPECT_EQ(GetParent(help.control(page)), tabs);
        EXPECT_EQ(client_size(help.control(page)).cx, 411);
        EXPECT_EQ(client_size(help.control(page)).cy, 373);
        // The page lies below the tabs and inside the control's frame.
        RECT tab{};
        SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
        const RECT r = rect_in_parent(help.control(page));
        EXPECT_GE(r.top, tab.bottom);
        EXPECT_GE(r.left, 2);
        EXPECT_LE(r.right, 419 - 2);
        EXPECT_LE(r.bottom, 401 - 2);
    }

    HWND box = help.control(IDC_HELP_SCROLLBOX1);
    EXPECT_EQ(GetParent(box), help.control(IDC_HELP_TABSHEET1));
    expect_rect(box, {96, 32, 321, 311});
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongW(box, GWL_STYLE) & WS_HSCROLL);
    EXPECT_GE(client_size(box).cx, 197) << "the chart must fit across without a horizontal bar";
    SCROLLINFO range{sizeof range, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(box, SB_VERT, &range));
    EXPECT_EQ(range.nMin, 0);
    EXPECT_EQ(range.nMax, 582);
    EXPECT_EQ(static_cast<int>(range.nPage), client_size(box).cy);
    EXPECT_EQ(range.nPos, 0);
}

// --- Display scale -------------------------------------------------------

int icon_side(HWND icon_control) {
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageW(icon_control, STM_GETICON, 0, 0)), &info)) return 0;
    const UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bits{};
    GetObjectW(colour.get(), sizeof bits, &bits);
    return bits.bmWidth;
}

void change_scale(HWND dialog, int dpi, RECT suggested) {
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST_F(DialogsTest, AboutOnAMonitorOfAnotherScaleGrowsItsLayoutAndFonts) {
    TAboutBox1 about(*app);
    HWND dialog = about.hwnd();
    change_scale(dialog, 144, RECT{40, 30, 400, 300});
    RECT outer;
    GetWindowRect(dialog, &outer);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 30);
    EXPECT_EQ(client_size(dialog).cx, 482);
    EXPECT_EQ(client_size(dialog).cy, 159);
    expect_rect(about.control(IDC_ABOUT_PANEL1), {12, 12, 470, 98});
    expect_rect(about.control(IDOK), {348, 113, 461, 151});
    expect_rect(about.control(IDC_ABOUT_PROGRAMICON), {20, 20, 70, 70});  // still inside the panel
    EXPECT_EQ(icon_side(about.control(IDC_ABOUT_PROGRAMICON)), 48) << "the icon drawn for 150 %";
    EXPECT_EQ(GetParent(about.control(IDC_ABOUT_PROGRAMICON)), about.control(IDC_ABOUT_PANEL1));
    for (int line = 0; line < 3; ++line) {
        HWND label = about.control(IDC_ABOUT_INFOLABEL1 + line);
        EXPECT_EQ(rect_in_parent(label).left, 96);
        EXPECT_STREQ(font_of(label).lfFaceName, L"Verdana");
        EXPECT_EQ(font_of(label).lfHeight, -17);
        EXPECT_EQ(font_of(label).lfWeight, line == 0 ? FW_BOLD : FW_NORMAL);
        expect_sized_to_text(label);
    }
    EXPECT_EQ(font_of(about.control(IDOK)).lfHeight, -16) << "8 points at 144 DPI";
    HWND link = about.link().hwnd();
    EXPECT_EQ(font_of(link).lfHeight, -16);
    EXPECT_EQ(font_of(link).lfWeight, FW_BOLD);
    expect_sized_to_text(link);

    change_scale(dialog, 96, RECT{40, 30, 50, 40});
    EXPECT_EQ(client_size(dialog).cx, 321);
    EXPECT_EQ(client_size(dialog).cy, 106);
    expect_rect(about.control(IDOK), {232, 75, 307, 100});
    EXPECT_EQ(font_of(about.control(IDC_ABOUT_INFOLABEL2)).lfHeight, -11);
    EXPECT_EQ(font_of(link).lfHeight, -11);
    EXPECT_EQ(icon_side(about.control(IDC_ABOUT_PROGRAMICON)), 32);
}

TEST_F(DialogsTest, HelpOnAMonitorOfAnotherScaleKeepsItsPagesAndScrollPlace) {
    THelp1 help(*app);
    HWND dialog = help.hwnd();
    HWND box = help.control(IDC_HELP_SCROLLBOX1);
    SendMessageW(box, WM_VSCROLL, SB_PAGEDOWN, 0);
    change_scale(dialog, 192, RECT{0, 0, 10, 10});
    EXPECT_EQ(client_size(dialog).cx, 838);
    EXPECT_EQ(client_size(dialog).cy, 906);
    HWND tabs = help.control(IDC_HELP_PAGECONTROL1);
    expect_rect(tabs, {0, 0, 838, 802});
    expect_rect(help.control(IDC_HELP_BUTTON1), {666, 832, 816, 882});
    EXPECT_EQ(GetParent(box), help.control(IDC_HELP_TABSHEET1));
    // At its doubled place on the frame picture drawn for 200 %, the chart
    // drawn for it inside.
    expect_rect(box, {192, 64, 642, 622});
    EXPECT_EQ(font_of(tabs).lfHeight, -22);
    EXPECT_STREQ(font_of(tabs).lfFaceName, L"Tahoma");
    SCROLLINFO range{sizeof range, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(box, SB_VERT, &range));
    EXPECT_EQ(range.nMax, picture(L"HELP_CHART192").height - 1);
    EXPECT_EQ(static_cast<int>(range.nPage), client_size(box).cy);
    EXPECT_GT(range.nPos, 0) << "the chart stays scrolled";
    EXPECT_LE(range.nPos, static_cast<int>(range.nMax + 1 - range.nPage));
}

TEST_F(DialogsTest, HelpTabsCarryUnicodeCaptionsInBoldTahoma) {
    THelp1 help(*app);
    HWND tabs = help.control(IDC_HELP_PAGECONTROL1);
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    const wchar_t* expected[] = {L"\u00C9lipbe heqqide", L"Programma heqqide"};
    for (int index = 0; index < 2; ++index) {
        wchar_t caption[64] = {};
        TCITEMW tab{TCIF_TEXT};
        tab.pszText = caption;
        tab.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&tab));
        EXPECT_EQ(std::wstring(caption), expected[index]);
    }
    EXPECT_STREQ(font_of(tabs).lfFaceName, L"Tahoma");
    EXPECT_EQ(font_of(tabs).lfWeight, FW_BOLD);
    EXPECT_EQ(font_of(tabs).lfHeight, -11);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(GetWindowLongW(help.control(IDC_HELP_TABSHEET1), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongW(help.control(IDC_HELP_TABSHEET2), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(DialogsTest, HelpLinkStartsInWindowTextColourAndFollowsPointer) {
    THelp1 help(*app);
    expect_link_follows_pointer(help.link(), GetSysColor(COLOR_WINDOWTEXT));
}

void click_tab(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

int scroll_position(HWND box) {
    SCROLLINFO at{sizeof at, SIF_POS};
    GetScrollInfo(box, SB_VERT, &at);
    return at.nPos;
}

TEST_F(DialogsTest, HelpKeepsPageScrollAndPlaceBetweenShowings) {
    THelp1 help(*app);
    HWND dialog = help.hwnd();
    HWND tabs = help.control(IDC_HELP_PAGECONTROL1);
    HWND box = help.control(IDC_HELP_SCROLLBOX1);
    HWND first = help.control(IDC_HELP_TABSHEET1), second = help.control(IDC_HELP_TABSHEET2);
    RECT moved{};
    steps.post([&] {
        EXPECT_FALSE(IsWindowEnabled(owner.get()));
        expect_centred_on_screen(dialog);
        SendMessageW(box, WM_VSCROLL, SB_PAGEDOWN, 0);
        EXPECT_EQ(scroll_position(box), client_size(box).cy);
        SendMessageW(box, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(scroll_position(box), client_size(box).cy + 8);
        SetWindowPos(dialog, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        GetWindowRect(dialog, &moved);
        click_tab(tabs, 1);
        EXPECT_FALSE(IsWindowVisible(first));
        EXPECT_TRUE(IsWindowVisible(second));
        SendMessageW(help.control(IDC_HELP_BUTTON1), BM_CLICK, 0, 0);
    });
    help.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner.get()));

    steps.post([&] {
        RECT now;
        GetWindowRect(dialog, &now);
        EXPECT_EQ(now.left, moved.left);
        EXPECT_EQ(now.top, moved.top);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
        EXPECT_TRUE(IsWindowVisible(second));
        EXPECT_FALSE(IsWindowVisible(first));
        click_tab(tabs, 0);
        EXPECT_TRUE(IsWindowVisible(first));
        EXPECT_FALSE(IsWindowVisible(second));
        EXPECT_EQ(scroll_position(box), client_size(box).cy + 8);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    help.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));
}

TEST_F(DialogsTest, HelpEnterClosesOnlyFromItsButton) {
    THelp1 help(*app);
    HWND dialog = help.hwnd();
    HWND button = help.control(IDC_HELP_BUTTON1);
    steps.post([&] {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(help.control(IDC_HELP_PAGECONTROL1)), TRUE);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    steps.post([&] {
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter on the pages must not close";
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        EXPECT_EQ(GetFocus(), button);
        PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
    });
    help.show_modal(owner.get());
    EXPECT_FALSE(IsWindowVisible(dialog));
}

TEST_F(DialogsTest, HelpChartScrollsWithinItsRange) {
    THelp1 help(*app);
    HWND box = help.control(IDC_HELP_SCROLLBOX1);
    const int last = 583 - client_size(box).cy;
    steps.post([&] {
        SendMessageW(box, WM_VSCROLL, SB_LINEUP, 0);
        EXPECT_EQ(scroll_position(box), 0);
        SendMessageW(box, WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_EQ(scroll_position(box), last);
        SendMessageW(box, WM_VSCROLL, SB_PAGEDOWN, 0);
        EXPECT_EQ(scroll_position(box), last);
        SendMessageW(box, WM_VSCROLL, SB_TOP, 0);
        EXPECT_EQ(scroll_position(box), 0);

        // The wheel turned over the chart, whichever control has the focus.
        RECT r;
        GetWindowRect(box, &r);
        const LPARAM over = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(help.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), over);
        const int one_notch = scroll_position(box);
        EXPECT_GT(one_notch, 0);
        SendMessageW(help.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), over);
        EXPECT_EQ(scroll_position(box), 0);
        // Elsewhere it leaves the chart alone.
        SendMessageW(help.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(r.left - 20, r.top));
        EXPECT_EQ(scroll_position(box), 0);
        PostMessageW(help.hwnd(), WM_CLOSE, 0, 0);
    });
    help.show_modal(owner.get());
}

// The chart box's pixels that are not the chart from `position` down (white
// beside it).
int wrong_chart_pixels(HWND box, const Pixels& chart, int position) {
    const Pixels shown = on_screen(box);
    int wrong = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            wrong += shown.at(x, y) != (x < chart.width ? chart.at(x, y + position) : kWhite);
    return wrong;
}

// A page against its picture drawn transparently with its corner at `at`:
// black where the picture is, the page colour elsewhere; `covered` (a child's
// place) is left out.
struct PageCheck {
    int wrong = 0, ink = 0;
};

PageCheck check_page(HWND page, const Pixels& picture, POINT at, RECT covered = {}) {
    const Pixels shown = on_screen(page);
    const std::uint32_t face = rgb_of(GetSysColor(COLOR_BTNFACE));
    PageCheck check;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            if (PtInRect(&covered, POINT{x, y})) continue;
            const int px = x - at.x, py = y - at.y;
            const bool black =
                px >= 0 && py >= 0 && px < picture.width && py < picture.height && picture.at(px, py) == 0;
            check.ink += black;
            check.wrong += shown.at(x, y) != (black ? 0u : face);
        }
    return check;
}

TEST_F(DialogsTest, HelpDrawsChartOpaqueAndFrameTransparent) {
    THelp1 help(*app);
    HWND box = help.control(IDC_HELP_SCROLLBOX1);
    HWND page = help.control(IDC_HELP_TABSHEET1);
    const Pixels chart = picture(L"HELP_CHART");
    const Pixels frame = picture(L"HELP_FRAME");
    ASSERT_EQ(chart.width, 197);
    ASSERT_EQ(chart.height, 583);
    ASSERT_EQ(frame.width, 430);
    ASSERT_EQ(frame.height, 370);
    steps.post([&] {
        const int last = chart.height - client_size(box).cy;
        for (const auto& [request, repeat, position] : {std::tuple{SB_TOP, 1, 0}, {SB_LINEDOWN, 13, 104},
                                                         {SB_BOTTOM, 1, last}, {SB_PAGEDOWN, 1, last}}) {
            for (int i = 0; i < repeat; ++i) SendMessageW(box, WM_VSCROLL, request, 0);
            EXPECT_EQ(scroll_position(box), position);
            EXPECT_EQ(wrong_chart_pixels(box, chart, position), 0) << "at scroll position " << position;
        }

        // The frame stands 9 px left and 1 px down; its white lets the page show.
        const PageCheck drawn = check_page(page, frame, {-9, 1}, rect_in_parent(box));
        EXPECT_EQ(drawn.wrong, 0);
        EXPECT_GT(drawn.ink, 500) << "headings and legend drawn";
        PostMessageW(help.hwnd(), WM_CLOSE, 0, 0);
    });
    help.show_modal(owner.get());
}

TEST_F(DialogsTest, HelpSecondPageShowsDescriptionFourPixelsDown) {
    THelp1 help(*app);
    HWND tabs = help.control(IDC_HELP_PAGECONTROL1);
    const Pixels description = picture(L"HELP_DESCRIPTION");
    ASSERT_EQ(description.width, 430);
    ASSERT_EQ(description.height, 365);
    steps.post([&] {
        click_tab(tabs, 1);
        EXPECT_EQ(check_page(help.control(IDC_HELP_TABSHEET2), description, {-9, 4}).wrong, 0);
        PostMessageW(help.hwnd(), WM_CLOSE, 0, 0);
    });
    help.show_modal(owner.get());
}

TEST_F(DialogsTest, HelpAtAnotherScaleShowsThePicturesDrawnForIt) {
    THelp1 help(*app);
    HWND box = help.control(IDC_HELP_SCROLLBOX1);
    const Pixels chart = picture(L"HELP_CHART144"), frame = picture(L"HELP_FRAME144"),
                 description = picture(L"HELP_DESCRIPTION144");
    ASSERT_EQ(chart.width, 296);
    ASSERT_EQ(frame.width, 645);
    ASSERT_EQ(frame.height, 555);
    ASSERT_EQ(description.height, 548);
    steps.post([&] {
        RECT outer;
        GetWindowRect(help.hwnd(), &outer);
        change_scale(help.hwnd(), 144, outer);
        UpdateWindow(help.hwnd());
        expect_rect(box, {144, 48, 482, 467});
        SendMessageW(box, WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_EQ(wrong_chart_pixels(box, chart, chart.height - client_size(box).cy), 0);
        const PageCheck drawn = check_page(help.control(IDC_HELP_TABSHEET1), frame, {-14, 2}, rect_in_parent(box));
        EXPECT_EQ(drawn.wrong, 0);
        EXPECT_GT(drawn.ink, 1000);
        click_tab(help.control(IDC_HELP_PAGECONTROL1), 1);
        EXPECT_EQ(check_page(help.control(IDC_HELP_TABSHEET2), description, {-14, 6}).wrong, 0);
        PostMessageW(help.hwnd(), WM_CLOSE, 0, 0);
    });
    help.show_modal(owner.get());
}

// --- Packed pictures -----------------------------------------------------

// A zlib stream of stored blocks, as a packer that does not compress writes it.
std::vector<std::uint8_t> stored_zlib(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out{0x78, 0x01, 0x01, static_cast<std::uint8_t>(data.size()),
                                  static_cast<std::uint8_t>(data.size() >> 8),
                                  static_cast<std::uint8_t>(~data.size()),
                                  static_cast<std::uint8_t>(~data.size() >> 8)};
    out.insert(out.end(), data.begin(), data.end());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<std::uint8_t>((b << 16 | a) >> shift));
    return out;
}

// A 2x2 one-bit BMP file, black top-left and bottom-right.
std::vector<std::uint8_t> small_bmp() {
    std::vector<std::uint8_t> file(62 + 8);
    auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put(2, 70, 4), put(10, 62, 4);
    put(14, 40, 4), put(18, 2, 4), put(22, 2, 4), put(26, 1, 2), put(28, 1, 2), put(46, 2, 4);
    put(58, 0xFFFFFF, 4);           // colour 1 white, colour 0 black
    file[62] = 0x80, file[66] = 0x40;  // bottom row first: white black, then black white
    return file;
}

TEST(PackedPicture, DrawsAGoodFileAndRefusesDamagedOnes) {
    const Pixels drawn = pixels_of(packed_picture(stored_zlib(small_bmp())).get());
    ASSERT_EQ(drawn.width, 2);
    ASSERT_EQ(drawn.height, 2);
    EXPECT_EQ(drawn.rgb, (std::vector<std::uint32_t>{0, kWhite, kWhite, 0}));

    const auto damaged = [](auto change) {
        std::vector<std::uint8_t> file = small_bmp();
        change(file);
        return packed_picture(stored_zlib(file)) != nullptr;
    };
    EXPECT_FALSE(damaged([](auto& f) { f[0] = 'X'; })) << "not a BMP";
    EXPECT_FALSE(damaged([](auto& f) { f[22] = 200; })) << "rows beyond the end";
    EXPECT_FALSE(damaged([](auto& f) { f[10] = 20; })) << "bits inside the header";
    EXPECT_FALSE(damaged([](auto& f) { f[28] = 3; })) << "no such pixel size";
    EXPECT_FALSE(damaged([](auto& f) { f[30] = 1; })) << "run-length packed";
    EXPECT_FALSE(damaged([](auto& f) { f.resize(40); })) << "cut short";
    std::vector<std::uint8_t> packed = stored_zlib(small_bmp());
    packed.back() ^= 1;
    EXPECT_FALSE(packed_picture(packed)) << "sum does not match";
    EXPECT_FALSE(load_packed_picture(L"NO_SUCH_PICTURE"));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
