// Which route a clicked letter takes: the window classes of programs that
// take text only as key presses, and the choice among the five routes.
#include "delivery_route.h"

#include <gtest/gtest.h>

using namespace tamga;

TEST(KeysOnlyClasses, ProgramsThatReadOnlyKeyPressesAreRecognised) {
    for (const wchar_t* name : {
             L"Chrome_WidgetWin_0", L"Chrome_WidgetWin_1", L"Chrome_RenderWidgetHostHWND", L"CefBrowserWindow",
             L"MozillaWindowClass", L"Qt5QWindowIcon", L"Qt5152QWindowOwnDCIcon", L"Qt6QWindowIcon",
             L"Qt662QWindowToolSaveBits", L"HwndWrapper[Editor.exe;;7f3c6a1e-93b4-4c55-a1d2-6b8e0f6c2d10]",
             L"Windows.UI.Core.CoreWindow", L"ApplicationFrameWindow", L"WinUIDesktopWin32WindowClass",
             L"Microsoft.UI.Content.DesktopChildSiteBridge", L"ConsoleWindowClass",
             L"CASCADIA_HOSTING_WINDOW_CLASS", L"PseudoConsoleWindow", L"SunAwtFrame", L"SunAwtCanvas",
             L"gdkWindowToplevel", L"gdkSurfaceToplevel", L"SDL_app", L"FLUTTER_RUNNER_WIN32_WINDOW",
             L"FLUTTERVIEW", L"GlassWndClass-GlassWindowClass-2"})
        EXPECT_TRUE(takes_text_only_as_keys(name)) << name;
}

TEST(KeysOnlyClasses, ClassNamesCompareWithoutRegardToCase) {
    EXPECT_TRUE(takes_text_only_as_keys(L"chrome_widgetwin_1"));
    EXPECT_TRUE(takes_text_only_as_keys(L"CONSOLEWINDOWCLASS"));
    EXPECT_TRUE(takes_text_only_as_keys(L"hwndwrapper[x]"));
}

TEST(KeysOnlyClasses, WindowsThatTakeMessagesKeepTheirRoutes) {
    for (const wchar_t* name : {
             L"", L"Edit", L"RichEdit20W", L"RICHEDIT50W", L"Notepad", L"WordPadClass", L"TypingTarget",
             L"_WwG", L"OpusApp", L"#32770", L"TForm1", L"Scintilla",
             // near misses of the patterns
             L"Chrome_WidgetWin", L"Chrome_RenderWidgetHost", L"MozillaWindowClassX", L"QWindow", L"Qt5Widget",
             L"HwndWrapper", L"xHwndWrapper[", L"ConsoleWindowClass2", L"SDL_app2", L"MySunAwtFrame"})
        EXPECT_FALSE(takes_text_only_as_keys(name)) << name;
}

TEST(Route, WordProcessorFirstThenKeyPressesThenMessages) {
    // clipboard mode, word processor's document, keys only -> route
    EXPECT_EQ(delivery_route(true, false, false), DeliveryRoute::Paste);
    EXPECT_EQ(delivery_route(false, false, false), DeliveryRoute::Character);
    EXPECT_EQ(delivery_route(true, true, false), DeliveryRoute::WordPaste);
    EXPECT_EQ(delivery_route(false, true, false), DeliveryRoute::WordTypeText);
    EXPECT_EQ(delivery_route(true, false, true), DeliveryRoute::Keystroke);
    EXPECT_EQ(delivery_route(false, false, true), DeliveryRoute::Keystroke);
    // A document recognised by its container keeps the automation route.
    EXPECT_EQ(delivery_route(true, true, true), DeliveryRoute::WordPaste);
    EXPECT_EQ(delivery_route(false, true, true), DeliveryRoute::WordTypeText);
}
