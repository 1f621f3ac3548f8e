// Letter mode: the number row gives the special letters of the foreground
// layout's script.
#include "key_mapper.h"
#include "typing_simulator.h"

#include <gtest/gtest.h>

#include <string>

namespace tamga::hook {
namespace {

using testing::english_uk;
using testing::injected;
using testing::key_event;
using testing::english_us;
using testing::russian;
using testing::turkish;
using testing::TypingSimulator;

// The Help window's remapping table, read per layout: keys 1 to 8, then 9 and 0.
struct LayoutRow {
    const char* layout;
    std::uint16_t language;
    std::u16string_view small;
    std::u16string_view capital;
    std::u16string_view nine_zero;
};

constexpr LayoutRow layout_rows[] = {
    {"English (US)", english_us, u"éğiŋöşüž", u"ÉĞİŊÖŞÜŽ", u"!%"},
    {"English (UK)", english_uk, u"éğiŋöşüž", u"ÉĞİŊÖŞÜŽ", u"!%"},
    {"Turkish (not Russian)", turkish, u"éğiŋöşüž", u"ÉĞİŊÖŞÜŽ", u"!%"},
    {"Russian", russian, u"әғҗқңөүһ", u"ӘҒҖҚҢӨҮҺ", u"!?"},
};

std::u16string operator+(std::u16string_view a, std::u16string_view b) { return std::u16string(a) += b; }

TEST(LetterMode, NumberRowFollowsTheTableOnEachLayout) {
    for (const LayoutRow& row : layout_rows) {
        SCOPED_TRACE(row.layout);
        {
            TypingSimulator keyboard(MappingMode::Letters, row.language);
            keyboard.type(u"1234567890");
            EXPECT_EQ(keyboard.text(), row.small + row.nine_zero);
        }
        {
            SCOPED_TRACE("Shift: capitals, and 9 and 0 keep ( and )");
            TypingSimulator keyboard(MappingMode::Letters, row.language);
            keyboard.type(u"!@#$%^&*()");
            EXPECT_EQ(keyboard.text(), row.capital + u"()");
        }
        {
            SCOPED_TRACE("Caps Lock: capitals, but 9 and 0 are not letters");
            TypingSimulator keyboard(MappingMode::Letters, row.language);
            keyboard.stroke(vk::capital);
            ASSERT_TRUE(keyboard.caps_lock());
            keyboard.type(u"1234567890");
            EXPECT_EQ(keyboard.text(), row.capital + row.nine_zero);
        }
        {
            SCOPED_TRACE("Caps Lock and Shift: small letters, 9 and 0 pass");
            TypingSimulator keyboard(MappingMode::Letters, row.language);
            keyboard.stroke(vk::capital);
            keyboard.type(u"!@#$%^&*()");
            EXPECT_EQ(keyboard.text(), row.small + u"()");
        }
    }
}

TEST(LetterMode, EachKeyTypesOneCharacterAndSwallowsItsRelease) {
    TypingSimulator keyboard(MappingMode::Letters);
    keyboard.press('4');
    EXPECT_EQ(keyboard.last_decision().action, KeyAction::Emit);
    EXPECT_EQ(keyboard.last_decision().backspaces, 0);
    EXPECT_EQ(keyboard.last_decision().typed(), u"ŋ");
    keyboard.release('4');
    EXPECT_EQ(keyboard.last_decision().action, KeyAction::Swallow);
    EXPECT_EQ(keyboard.text(), u"ŋ");
}

TEST(LetterMode, OtherKeysPass) {
    TypingSimulator keyboard(MappingMode::Letters);
    keyboard.type(u"abc XYZ '\"");
    for (std::uint32_t key = vk::numpad0; key <= vk::numpad0 + 9; ++key) {
        keyboard.press(key);
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass) << "numpad key " << key;
        keyboard.release(key);
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass) << "numpad key " << key;
    }
    EXPECT_EQ(keyboard.text(), u"abc XYZ '\"");
}

TEST(LetterMode, ShortcutsAndAltGrPass) {
    struct Chord {
        const char* name;
        std::uint32_t first;
        std::uint32_t second;  // 0: none
    };
    constexpr Chord chords[] = {
        {"left Ctrl", vk::left_control, 0}, {"right Ctrl", vk::right_control, 0},
        {"left Alt", vk::left_menu, 0},     {"right Alt", vk::right_menu, 0},
        {"left Win", vk::left_win, 0},      {"right Win", vk::right_win, 0},
        {"AltGr", vk::left_control, vk::right_menu},
        {"Ctrl+Shift", vk::left_shift, vk::left_control},
    };
    for (std::uint16_t language : {english_us, russian}) {
        for (const Chord& chord : chords) {
            SCOPED_TRACE(chord.name);
            TypingSimulator keyboard(MappingMode::Letters, language);
            keyboard.press(chord.first);
            if (chord.second != 0) keyboard.press(chord.second);
            for (std::uint32_t key = '0'; key <= '9'; ++key) {
                keyboard.press(key);
                EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass) << "key " << char(key);
                keyboard.release(key);
                EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass) << "key " << char(key);
            }
            EXPECT_EQ(keyboard.text(), u"");
        }
    }
}

TEST(LetterMode, InjectedInputPasses) {
    KeyMapper mapper;
    for (bool ours : {false, true}) {
        EXPECT_EQ(mapper.decide(injected(key_event('1', true), ours)).action, KeyAction::Pass);
        EXPECT_EQ(mapper.decide(injected(key_event('1', false), ours)).action, KeyAction::Pass);
    }
}

TEST(LetterMode, InjectedReleaseDoesNotFreeASwallowedKey) {
    KeyMapper mapper;
    ASSERT_EQ(mapper.decide(key_event('1', true)).action, KeyAction::Emit);
    EXPECT_EQ(mapper.decide(injected(key_event('1', false))).action, KeyAction::Pass);
    EXPECT_EQ(mapper.decide(key_event('1', false)).action, KeyAction::Swallow);
}

TEST(LetterMode, HeldKeys) {
    {
        SCOPED_TRACE("auto-repeat repeats the letter; the one release is swallowed");
        TypingSimulator keyboard(MappingMode::Letters);
        for (int i = 0; i < 3; ++i) keyboard.press('6');
        keyboard.release('6');
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Swallow);
        EXPECT_EQ(keyboard.text(), u"şşş");
    }
    {
        SCOPED_TRACE("Shift let go before the key: its release is still swallowed");
        TypingSimulator keyboard(MappingMode::Letters);
        keyboard.press(vk::right_shift);
        keyboard.press('2');
        keyboard.release(vk::right_shift);
        keyboard.release('2');
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Swallow);
        EXPECT_EQ(keyboard.text(), u"Ğ");
    }
    {
        SCOPED_TRACE("a press the program saw: its release goes through");
        TypingSimulator keyboard(MappingMode::Letters);
        keyboard.press(vk::left_shift);
        keyboard.press('9');
        keyboard.release(vk::left_shift);
        keyboard.press('9');  // repeat, now unshifted
        keyboard.release('9');
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass);
        EXPECT_EQ(keyboard.text(), u"(!");
    }
    {
        SCOPED_TRACE("released after a switch to pair mode: still swallowed");
        TypingSimulator keyboard(MappingMode::Letters);
        keyboard.press('1');
        keyboard.switch_mode(MappingMode::Pairs);
        keyboard.release('1');
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Swallow);
    }
    {
        SCOPED_TRACE("pressed before the hook saw it");
        TypingSimulator keyboard(MappingMode::Letters);
        keyboard.release('1');
        EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass);
    }
}

TEST(LetterMode, KeyLetThroughAfterAllHasItsReleaseLetThrough) {
    KeyMapper mapper;
    ASSERT_EQ(mapper.decide(key_event('3', true)).action, KeyAction::Emit);
    mapper.key_passed_after_all('3');
    EXPECT_EQ(mapper.decide(key_event('3', false)).action, KeyAction::Pass);
}

}  // namespace
}  // namespace tamga::hook
