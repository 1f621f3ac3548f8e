// Small rules of the program: check marks of radio menu items and the tray
// picture for the hook's state.
#include "keyboard/tray_state.h"
#include "win/radio_group.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tamga;

namespace {

bool is_checked(const std::vector<MarkedItem>& items, unsigned id) {
    for (const auto& item : items)
        if (item.id == id) return item.checked;
    ADD_FAILURE() << "no item " << id;
    return false;
}

}  // namespace

TEST(RadioMarks, CheckingARadioItemClearsOnlyItsOwnGroup) {
    std::vector<MarkedItem> items{
        {1, false, 12, true},  // a plain item of the same group number
        {2, true, 12, true},
        {3, true, 12, false},
        {4, true, 14, true},   // another group
    };
    apply_check(items, 3, true);
    EXPECT_TRUE(is_checked(items, 3));
    EXPECT_FALSE(is_checked(items, 2));
    EXPECT_TRUE(is_checked(items, 1));
    EXPECT_TRUE(is_checked(items, 4));

    apply_check(items, 3, true);  // checking the checked one changes nothing
    EXPECT_TRUE(is_checked(items, 3));
    EXPECT_FALSE(is_checked(items, 2));
}

TEST(RadioMarks, ClearingOrPlainItemsNeverTouchOthers) {
    std::vector<MarkedItem> items{{1, true, 1, true}, {2, true, 1, false}, {3, false, 1, false}};
    apply_check(items, 1, false);
    EXPECT_FALSE(is_checked(items, 1));
    EXPECT_FALSE(is_checked(items, 2));
    apply_check(items, 2, true);
    apply_check(items, 3, true);  // not a radio item
    EXPECT_TRUE(is_checked(items, 2));
    EXPECT_TRUE(is_checked(items, 3));
    apply_check(items, 99, true);  // an unknown item
    EXPECT_TRUE(is_checked(items, 2));
}

TEST(TrayPicture, CyrillicOnlyInLetterModeWithTheRussianLayout) {
    EXPECT_EQ(tray_picture_for(true, 0x04190419), kTrayCyrillic);
    EXPECT_EQ(tray_picture_for(false, 0x04190419), kTrayLatin);
    EXPECT_EQ(tray_picture_for(true, 0x04090409), kTrayLatin);
    // Another layout for the Russian language is not the Russian layout.
    EXPECT_EQ(tray_picture_for(true, 0xF0A80419), kTrayLatin);
}
