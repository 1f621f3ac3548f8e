// The randomized tests and the fuzzer rely on these rules to notice faults:
// each rule must reject a stream that breaks it.
#include "key_mapper_invariants.h"
#include "typing_simulator.h"

#include <gtest/gtest.h>

namespace tamga::hook::testing {
namespace {

KeyDecision emitted(std::u16string_view text, std::uint8_t backspaces = 0) {
    KeyDecision d{KeyAction::Emit, backspaces};
    for (char16_t c : text) d.text[d.text_length++] = c;
    return d;
}

constexpr KeyDecision passed{};
constexpr KeyDecision swallowed{KeyAction::Swallow};

KeyEvent pair_press(std::uint32_t key, std::uintptr_t window = 0) {
    KeyEvent event = key_event(key, true, MappingMode::Pairs);
    event.window = window;
    return event;
}

KeyEvent with_ctrl(KeyEvent event) {
    event.modifiers.ctrl = true;
    return event;
}

TEST(KeyMapperInvariants, AcceptAWellBehavedStream) {
    KeyMapperInvariants rules;
    EXPECT_EQ(rules.check(key_event('1', true), emitted(u"é")), nullptr);
    EXPECT_EQ(rules.check(key_event('1', false), swallowed), nullptr);
    EXPECT_EQ(rules.check(pair_press('S'), passed), nullptr);
    EXPECT_EQ(rules.check(pair_press('H'), emitted(u"ş", 1)), nullptr);
}

TEST(KeyMapperInvariants, RejectEachBrokenRule) {
    struct Broken {
        const char* what;
        KeyEvent event;
        KeyDecision decision;
    };
    const Broken cases[] = {
        {"output for a release", key_event('1', false), emitted(u"é")},
        {"output for injected input", injected(key_event('1', true)), emitted(u"é")},
        {"injected input swallowed", injected(key_event('A', true)), swallowed},
        {"character outside the table", key_event('1', true), emitted(u"x")},
        {"modifier swallowed", key_event(vk::left_shift, true), swallowed},
        {"shortcut swallowed", with_ctrl(key_event('1', true)), swallowed},
        {"letter mode erasing", key_event('1', true), emitted(u"é", 1)},
        {"pair with nothing to erase", pair_press('H'), emitted(u"ş", 1)},
        {"pair off the English layout", key_event('H', true, MappingMode::Pairs, russian), emitted(u"ş", 1)},
        {"release of an unseen press swallowed", key_event('A', false), swallowed},
    };
    for (const Broken& broken : cases) {
        KeyMapperInvariants rules;
        EXPECT_NE(rules.check(broken.event, broken.decision), nullptr) << broken.what;
    }
}

TEST(KeyMapperInvariants, RejectAReleaseThatDisagreesWithItsPresses) {
    {
        KeyMapperInvariants rules;
        ASSERT_EQ(rules.check(key_event('1', true), emitted(u"é")), nullptr);
        EXPECT_NE(rules.check(key_event('1', false), passed), nullptr);
    }
    {
        KeyMapperInvariants rules;
        ASSERT_EQ(rules.check(key_event('9', true), passed), nullptr);
        ASSERT_EQ(rules.check(key_event('9', true), emitted(u"!")), nullptr);
        EXPECT_NE(rules.check(key_event('9', false), swallowed), nullptr);
    }
}

TEST(KeyMapperInvariants, RejectAPairAcrossWindows) {
    KeyMapperInvariants rules;
    ASSERT_EQ(rules.check(pair_press('S', 1), passed), nullptr);
    EXPECT_NE(rules.check(pair_press('H', 2), emitted(u"ş", 1)), nullptr);
}

}  // namespace
}  // namespace tamga::hook::testing
