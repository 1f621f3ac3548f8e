// Picking a letter from the keyboard: moves, what ends it and which keys it
// keeps; and over random key streams, no key left down in any program's view.
#include "keyboard_picking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <vector>

namespace tamga {
namespace {

namespace vk = hook::vk;
using enum PickingEffect;
constexpr HeldModifiers kNone{}, kShift{.shift = true}, kAlt{.alt = true}, kCtrl{.ctrl = true}, kWin{.win = true};
constexpr ArmingKey kArming{'P', {.ctrl = true, .alt = true}};

PickingDecision press(KeyboardPicking& p, std::uint32_t key, HeldModifiers m = {}) { return p.decide({key, true, m}); }
bool held_up(KeyboardPicking& p, std::uint32_t key) { return p.decide({key, false, kNone}).hold_back; }

TEST(KeyboardPicking, ArrowsMoveOverBothRowsStoppingAtTheEdges) {
    KeyboardPicking picking(1, kArming, {});
    std::vector<int> walk;
    for (std::uint32_t key : {vk::left, vk::down, vk::right, vk::up, vk::end, vk::right, vk::down, vk::home, vk::up}) {
        EXPECT_TRUE(press(picking, key).hold_back && held_up(picking, key));
        walk.push_back(picking.position());
    }
    EXPECT_EQ(walk, (std::vector<int>{1, 2, 4, 3, 15, 15, 16, 2, 1}));
    EXPECT_EQ(press(picking, vk::right, kShift), (PickingDecision{true, Moved, 3}));
    EXPECT_EQ(press(picking, vk::right), (PickingDecision{true, Moved, 5})) << "auto-repeat";
}

TEST(KeyboardPicking, EachKeyThatEndsItIsKeptFromProgramsTillItsUpOrPassesWhole) {
    const std::uint32_t tab = 0x09, p = 'P', a = 'A';
    for (auto [key, held, hold, effect] :
         {std::tuple{vk::return_key, kNone, true, Type}, {vk::space, kShift, true, Type},
          {vk::escape, kNone, true, Ended}, {p, kArming.modifiers, true, Ended}, {a, kNone, false, Ended},
          {tab, kAlt, false, Ended}, {vk::left, kAlt, false, Ended}, {vk::return_key, kCtrl, false, Ended},
          {vk::space, kWin, false, Ended}}) {
        KeyboardPicking picking(5, kArming, KeySet().set('P'));  // the arming press reached the system
        for (std::uint32_t passing : {std::uint32_t{'P'}, vk::left_shift, vk::left_menu, vk::capital})  // go on
            EXPECT_EQ(press(picking, passing, kArming.modifiers), (PickingDecision{false, None, 5}));
        EXPECT_FALSE(held_up(picking, 'P'));
        EXPECT_EQ(press(picking, key, held), (PickingDecision{hold, effect, 5})) << key;
        EXPECT_EQ(press(picking, key, held), (PickingDecision{hold, None, 5})) << "auto-repeat of " << key;
        EXPECT_TRUE(!picking.armed() && picking.finished() == !hold) << key;
        EXPECT_EQ(held_up(picking, key), hold) << key;
        EXPECT_TRUE(picking.finished()) << key;
    }
}

TEST(KeyboardPicking, EndedFromOutsideItStillHoldsBackTheUpsItOwes) {
    KeyboardPicking picking(1, kArming, {});
    press(picking, vk::right);
    picking.end();
    EXPECT_EQ(press(picking, vk::right), (PickingDecision{true, None, 3}));
    EXPECT_FALSE(press(picking, 'A').hold_back || picking.finished());
    EXPECT_TRUE(held_up(picking, vk::right) && picking.finished());
}

TEST(KeyboardPickingProperties, RandomKeyStreamsLeaveNoKeyDownAndTypeAtMostOnce) {
    const std::uint32_t keys[]{vk::left, vk::down, vk::end, vk::return_key, vk::escape, 'P', 'P', 'A', vk::left_menu};
    std::mt19937 random(1);
    auto one_in = [&](unsigned n) { return random() % n == 0; };
    std::map<std::uint32_t, bool> down;  // the keys held, and whether each one's press was held back
    KeyboardPicking picking(1, kArming, {});
    int letters = 0;
    for (int i = 0; i < 100000; ++i) {
        SCOPED_TRACE(i);
        if (picking.finished() && one_in(8)) {  // armed again, maybe with keys held
            KeySet held;
            for (auto [key, _] : down) held.set(key);
            picking = KeyboardPicking(1 + static_cast<int>(random() % 16), kArming, held);
            letters = 0;
        }
        if (one_in(60)) picking.end();
        const bool old_key = !down.empty() && !one_in(3);  // a held key's up or auto-repeat, or a press
        const std::uint32_t key = old_key ? std::next(down.begin(), random() % down.size())->first : keys[random() % 9];
        const bool key_down = old_key ? one_in(4) : !one_in(20), was_armed = picking.armed();
        const PickingDecision d = picking.decide({key, key_down, {one_in(4), one_in(4), one_in(4), one_in(20)}});
        const auto seen = down.find(key);
        const bool fresh_press = key_down && seen == down.end();
        ASSERT_TRUE(fresh_press || d.hold_back == (seen != down.end() && seen->second)) << key;
        if (key_down) down.emplace(key, d.hold_back);
        if (!key_down) down.erase(key);
        letters += d.effect == Type;
        ASSERT_TRUE(letters <= 1 && (was_armed || d.effect == None) && d.position >= 1 && d.position <= 16);
        ASSERT_EQ(picking.armed(), was_armed && d.effect != Type && d.effect != Ended);
        ASSERT_EQ(picking.finished(), !picking.armed() && std::ranges::none_of(down, [](auto e) { return e.second; }));
    }
}

}  // namespace
}  // namespace tamga
