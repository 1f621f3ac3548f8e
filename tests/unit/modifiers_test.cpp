// Following Shift, Ctrl, Alt and Win from the key events.
#include "modifiers.h"

#include <gtest/gtest.h>

namespace tamga::hook {
namespace {

TEST(ModifierTracker, EachSideIsFollowedOnItsOwn) {
    ModifierTracker tracker;
    tracker.observe(vk::left_shift, true);
    tracker.observe(vk::right_shift, true);
    tracker.observe(vk::left_shift, false);
    EXPECT_TRUE(tracker.held().shift);
    tracker.observe(vk::right_shift, false);
    EXPECT_FALSE(tracker.held().shift);
}

TEST(ModifierTracker, AltGrHoldsCtrlAndAlt) {
    ModifierTracker tracker;
    tracker.observe(vk::left_control, true);
    tracker.observe(vk::right_menu, true);
    const Modifiers m = tracker.held();
    EXPECT_TRUE(m.ctrl);
    EXPECT_TRUE(m.alt);
    EXPECT_FALSE(m.shift);
    EXPECT_FALSE(m.win);
}

TEST(ModifierTracker, GenericKeysFromInjectedInput) {
    ModifierTracker tracker;
    tracker.observe(vk::control, true);
    tracker.observe(vk::menu, true);
    tracker.observe(vk::shift, true);
    EXPECT_TRUE(tracker.held().ctrl && tracker.held().alt && tracker.held().shift);
    tracker.observe(vk::control, false);
    tracker.observe(vk::menu, false);
    tracker.observe(vk::shift, false);
    EXPECT_FALSE(tracker.held().ctrl || tracker.held().alt || tracker.held().shift);
}

TEST(ModifierTracker, OtherKeysChangeNothing) {
    ModifierTracker tracker;
    for (std::uint32_t key : {std::uint32_t{'A'}, std::uint32_t{'1'}, vk::capital, vk::back, vk::space}) {
        tracker.observe(key, true);
    }
    const Modifiers m = tracker.held();
    EXPECT_FALSE(m.shift || m.ctrl || m.alt || m.win || m.caps_lock);
}

TEST(ModifierTracker, ResyncTakesTheSystemsStateForEverySide) {
    ModifierTracker tracker;
    tracker.observe(vk::left_win, true);  // its release happened on the secure desktop
    tracker.observe(vk::shift, true);
    tracker.resync([](std::uint32_t key) { return key == vk::right_control; });
    const Modifiers m = tracker.held();
    EXPECT_TRUE(m.ctrl);
    EXPECT_FALSE(m.win);
    EXPECT_FALSE(m.shift);

    tracker.resync([](std::uint32_t key) { return key == vk::right_win || key == vk::right_shift; });
    EXPECT_TRUE(tracker.held().win);
    EXPECT_TRUE(tracker.held().shift);
    EXPECT_FALSE(tracker.held().ctrl);
}

TEST(ModifierKeys, OnlyModifiersAndCapsLock) {
    for (std::uint32_t key : {vk::shift, vk::control, vk::menu, vk::capital, vk::left_shift, vk::right_shift,
                              vk::left_control, vk::right_control, vk::left_menu, vk::right_menu, vk::left_win,
                              vk::right_win}) {
        EXPECT_TRUE(is_modifier_key(key)) << key;
    }
    for (std::uint32_t key : {std::uint32_t{'A'}, std::uint32_t{'1'}, vk::back, vk::space, vk::oem_7, vk::packet,
                              std::uint32_t{0x5D} /* menu key */, std::uint32_t{0x90} /* Num Lock */}) {
        EXPECT_FALSE(is_modifier_key(key)) << key;
    }
}

}  // namespace
}  // namespace tamga::hook
