// Small rules of the program: check marks of radio menu items and the tray
// picture for the hook's state.
#include "tray_state.h"
#include "key_mapper.h"
#include "radio_group.h"

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
}

// The tray shows Cyrillic exactly when the hook types it: for every layout of
// the Russian language (typewriter, phonetic, ...) and for no other language.
TEST(TrayPicture, FollowsTheHooksLayoutRule) {
    hook::KeyEvent one;
    one.virtual_key = '1';
    one.key_down = true;
    for (std::uintptr_t layout : {0x04190419ull, 0xF0A80419ull, 0x00010419ull, 0x04090409ull, 0x08090809ull,
                                  0x04220422ull, 0x04190409ull}) {
        hook::KeyMapper mapper;
        one.language = layout_language(layout);
        const bool hook_types_cyrillic = mapper.decide(one).typed() == u"\u04D9";
        EXPECT_EQ(tray_picture_for(true, layout) == kTrayCyrillic, hook_types_cyrillic) << std::hex << layout;
        EXPECT_EQ(hook_types_cyrillic, (layout & 0xFFFF) == 0x0419) << std::hex << layout;
    }
}
