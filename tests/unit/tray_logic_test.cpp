// The tray icon's pure rules: picture index, cycling, tooltip, shell restart
// support, and the click/double-click bookkeeping.
#include "click_tracker.h"
#include "icon_rules.h"
#include "tray_state.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tamga;

TEST(IconIndex, PastTheEndShowsTheLastPictureAndNoListMeansZero) {
    EXPECT_EQ(icon_index_for(5, 3), 2);
    EXPECT_EQ(icon_index_for(3, 3), 2);
    EXPECT_EQ(icon_index_for(2, 3), 2);
    EXPECT_EQ(icon_index_for(0, 3), 0);
    EXPECT_EQ(icon_index_for(-4, 3), -4);  // negatives are kept as written
    EXPECT_EQ(icon_index_for(0, 0), -1);   // an empty list
    EXPECT_EQ(icon_index_for(7, std::nullopt), 0);
    EXPECT_EQ(icon_index_for(-1, std::nullopt), 0);
}

TEST(IconCycle, StepsThroughEveryPictureAndStartsAgain) {
    int index = 0;
    std::vector<int> seen;
    for (int step = 0; step < 7; ++step) seen.push_back(index = next_cycle_index(index, 3));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
    EXPECT_EQ(next_cycle_index(0, 1), 0);
    EXPECT_EQ(next_cycle_index(5, 3), 0);  // past the end after the list shrank
}

TEST(Tooltip, HoldsTheFirst127UnitsOfTheHint) {
    const std::wstring long_hint = std::wstring(100, L'a') + std::wstring(100, L'b');
    const std::wstring tip = tooltip_text(long_hint, true);
    EXPECT_EQ(tip, long_hint.substr(0, 127));
    EXPECT_LT(tip.size(), kTooltipCapacity);

    EXPECT_EQ(tooltip_text(L"Tamgalik", true), L"Tamgalik");
    EXPECT_EQ(tooltip_text(std::wstring(127, L'x'), true), std::wstring(127, L'x'));
    EXPECT_EQ(tooltip_text(L"", true), L"");
    EXPECT_EQ(tooltip_text(L"Tamgalik", false), L"");
}

TEST(Tooltip, NeverCutsASurrogatePairInHalf) {
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    // The pair straddles the limit: both halves go.
    const std::wstring straddling = std::wstring(126, L'a') + pair + L"tail";
    EXPECT_EQ(tooltip_text(straddling, true), std::wstring(126, L'a'));
    // The pair ends exactly at the limit: it stays whole.
    const std::wstring fitting = std::wstring(125, L'a') + pair + L"tail";
    EXPECT_EQ(tooltip_text(fitting, true), std::wstring(125, L'a') + pair);
    // A short hint ending in a lone lead surrogate is not shortened.
    const std::wstring short_hint = std::wstring(3, L'a') + wchar_t(0xD83D);
    EXPECT_EQ(tooltip_text(short_hint, true), short_hint);
}

TEST(ShellRestart, AnnouncedFromCommonControls471On) {
    EXPECT_FALSE(shell_announces_restart(4, 70));
    EXPECT_FALSE(shell_announces_restart(4, 0));
    EXPECT_FALSE(shell_announces_restart(3, 99));
    EXPECT_TRUE(shell_announces_restart(4, 71));
    EXPECT_TRUE(shell_announces_restart(4, 72));
    EXPECT_TRUE(shell_announces_restart(5, 0));
    EXPECT_TRUE(shell_announces_restart(6, 10));
}

TEST(Clicks, WithoutADoubleClickWaitTheReleaseCompletesTheClick) {
    ClickTracker clicks;
    clicks.press();
    EXPECT_TRUE(clicks.release(false));
    EXPECT_FALSE(clicks.release(false));  // no second click from one press
    EXPECT_FALSE(clicks.wait_over());
}

TEST(Clicks, ASingleClickCompletesWhenTheWaitIsOver) {
    ClickTracker clicks;
    clicks.press();
    EXPECT_FALSE(clicks.release(true));
    EXPECT_TRUE(clicks.wait_over());
    EXPECT_FALSE(clicks.wait_over());  // counted once
}

TEST(Clicks, ADoubleClickMakesNoSingleClickAndTheNextClickCountsAgain) {
    ClickTracker clicks;
    clicks.press();
    EXPECT_FALSE(clicks.release(true));
    clicks.double_click();
    EXPECT_FALSE(clicks.release(true));  // the second release
    EXPECT_FALSE(clicks.wait_over());

    // A press held past the next wait is no click before its release.
    clicks.press();
    EXPECT_FALSE(clicks.wait_over());
    EXPECT_TRUE(clicks.release(false));

    clicks.press();
    EXPECT_FALSE(clicks.release(true));
    EXPECT_TRUE(clicks.wait_over());
}

TEST(Clicks, AThirdClickWithinTheWaitOfADoubleClickIsNoSingleClick) {
    ClickTracker clicks;
    clicks.press();
    EXPECT_FALSE(clicks.release(true));
    clicks.double_click();
    EXPECT_FALSE(clicks.release(true));
    clicks.press();
    EXPECT_FALSE(clicks.release(true));
    EXPECT_FALSE(clicks.wait_over());
}

TEST(Clicks, APressStillHeldWhenTheWaitEndsIsNoClick) {
    ClickTracker clicks;
    clicks.press();
    EXPECT_FALSE(clicks.wait_over());
    // Released after the wait: the wait no longer runs, the click completes now.
    EXPECT_TRUE(clicks.release(false));
}

TEST(TrayPictureSize, TheLargestDrawnSizeThatFitsTheTraysIcons) {
    EXPECT_EQ(tray_picture_size_for(16), 16);
    EXPECT_EQ(tray_picture_size_for(12), 16);  // smaller trays shrink the design's pictures
    EXPECT_EQ(tray_picture_size_for(19), 16);
    EXPECT_EQ(tray_picture_size_for(20), 20);
    EXPECT_EQ(tray_picture_size_for(24), 24);
    EXPECT_EQ(tray_picture_size_for(28), 24);  // 175 %
    EXPECT_EQ(tray_picture_size_for(32), 32);
    EXPECT_EQ(tray_picture_size_for(48), 32);
}
