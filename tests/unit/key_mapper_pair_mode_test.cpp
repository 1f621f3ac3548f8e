// Pair mode: two keys of the older Latin spelling give one new letter, on the
// English layout only.
#include "key_mapper.h"
#include "typing_simulator.h"

#include <gtest/gtest.h>

#include <functional>

namespace tamga::hook {
namespace {

using testing::english_uk;
using testing::english_us;
using testing::russian;
using testing::turkish;
using testing::TypingSimulator;

std::u16string typed_in_pair_mode(std::u16string_view keys, std::uint16_t language = english_us) {
    TypingSimulator keyboard(MappingMode::Pairs, language);
    keyboard.type(keys);
    return keyboard.text();
}

TEST(PairMode, EveryPairInASentence) {
    EXPECT_EQ(typed_in_pair_mode(u"chagh nga sha zha e'a i'a o'a u'a"), u"cağ ŋa şa ža éa ia öa üa");
}

TEST(PairMode, CapitalFirstLetterGivesTheCapital) {
    EXPECT_EQ(typed_in_pair_mode(u"Ch Gh Ng Sh Zh E' I' O' U'"), u"C Ğ Ŋ Ş Ž É İ Ö Ü");
    EXPECT_EQ(typed_in_pair_mode(u"SH NG sH nG"), u"Ş Ŋ ş ŋ");
}

TEST(PairMode, CapsLockCountsAsShiftForTheFirstLetter) {
    TypingSimulator keyboard(MappingMode::Pairs);
    keyboard.stroke(vk::capital);
    keyboard.type(u"SH sh E'");  // the typist holds Shift for the small ones
    EXPECT_EQ(keyboard.text(), u"Ş ş É");
}

TEST(PairMode, AReplacementEndsThePair) {
    EXPECT_EQ(typed_in_pair_mode(u"shh"), u"şh");
    EXPECT_EQ(typed_in_pair_mode(u"ngh"), u"ŋh");  // g completes ng, it does not start gh
    EXPECT_EQ(typed_in_pair_mode(u"shsh"), u"şş");
}

TEST(PairMode, OnlyPairsAreReplaced) {
    EXPECT_EQ(typed_in_pair_mode(u"hs ah gn e\" x' 12'90"), u"hs ah gn e\" x' 12'90");
}

TEST(PairMode, ReplacementErasesTheFirstLetterAndSwallowsTheSecondKey) {
    TypingSimulator keyboard(MappingMode::Pairs);
    keyboard.press('Z');
    EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass);
    keyboard.press('H');  // before Z is let go, as fast typists do
    EXPECT_EQ(keyboard.last_decision().action, KeyAction::Emit);
    EXPECT_EQ(keyboard.last_decision().backspaces, 1);
    EXPECT_EQ(keyboard.last_decision().typed(), u"ž");
    keyboard.release('Z');
    EXPECT_EQ(keyboard.last_decision().action, KeyAction::Pass);
    keyboard.release('H');
    EXPECT_EQ(keyboard.last_decision().action, KeyAction::Swallow);
    EXPECT_EQ(keyboard.text(), u"ž");
}

TEST(PairMode, WhatComesBetweenTheKeys) {
    struct Between {
        const char* what;
        std::function<void(TypingSimulator&)> act;
        std::u16string_view text;
    };
    const Between cases[] = {
        {"another key", [](TypingSimulator& k) { k.stroke(vk::space); }, u"s h"},
        {"Backspace", [](TypingSimulator& k) { k.stroke(vk::back); }, u"h"},
        {"another window", [](TypingSimulator& k) { k.switch_window(); }, u"sh"},
        {"a mouse click", [](TypingSimulator& k) { k.click(); }, u"sh"},
        {"another program's key", [](TypingSimulator& k) { k.injected_stroke('A'); }, u"sah"},
        {"a shortcut", [](TypingSimulator& k) { k.chord(vk::left_control, 'C'); }, u"sh"},
        {"Ctrl with h", [](TypingSimulator& k) { k.chord(vk::right_control, 'H'); }, u"sh"},
        {"the Russian layout", [](TypingSimulator& k) { k.switch_language(russian); k.switch_language(english_us); },
         u"ş"},  // nothing typed meanwhile: no reason to forget
        {"Shift alone", [](TypingSimulator& k) { k.stroke(vk::left_shift); }, u"ş"},
        {"Ctrl alone", [](TypingSimulator& k) { k.stroke(vk::left_control); }, u"ş"},
        {"Caps Lock", [](TypingSimulator& k) { k.stroke(vk::capital); }, u"ş"},
        {"another program's Shift", [](TypingSimulator& k) { k.injected_stroke(vk::left_shift); }, u"ş"},
    };
    for (const Between& between : cases) {
        SCOPED_TRACE(between.what);
        TypingSimulator keyboard(MappingMode::Pairs);
        keyboard.type(u"s");
        between.act(keyboard);
        keyboard.press('H');
        keyboard.release('H');
        EXPECT_EQ(keyboard.text(), between.text);
    }
}

TEST(PairMode, EnglishLayoutsOnly) {
    EXPECT_EQ(typed_in_pair_mode(u"sh e'", english_uk), u"ş é");
    EXPECT_EQ(typed_in_pair_mode(u"sh e'", russian), u"sh e'");
    EXPECT_EQ(typed_in_pair_mode(u"sh e'", turkish), u"sh e'");

    TypingSimulator keyboard(MappingMode::Pairs);
    keyboard.type(u"s");
    keyboard.switch_language(russian);
    keyboard.type(u"h");
    keyboard.switch_language(english_us);
    keyboard.type(u"h");
    EXPECT_EQ(keyboard.text(), u"shh");
}

// The apostrophe is the key that types ' on the layout in use: on the UK
// layout the key beside Enter (VK_OEM_3), whose US place types # there; on a
// layout that needs Shift for it, only the shifted key.
TEST(PairMode, TheApostropheIsTheLayoutsOwnKey) {
    struct Layout {
        std::uint16_t language;
        std::uint32_t apostrophe_key;
        bool shifted;
    };
    const auto decisions = [](const Layout& layout, std::uint32_t second_key, bool shift) {
        KeyMapper mapper;
        auto event = [&](std::uint32_t key, bool down, bool shifted) {
            KeyEvent e = testing::key_event(key, down, MappingMode::Pairs, layout.language);
            e.apostrophe_key = layout.apostrophe_key;
            e.apostrophe_shifted = layout.shifted;
            e.modifiers.shift = shifted;
            return mapper.decide(e);
        };
        event('E', true, false);
        event('E', false, false);
        const KeyDecision second = event(second_key, true, shift);
        return std::u16string(second.typed()) + (second.backspaces ? u"<" : u"");
    };
    const Layout us{english_us, vk::oem_7, false}, uk{english_uk, vk::oem_3, false};
    const Layout shifted_apostrophe{english_us, vk::oem_7, true};
    EXPECT_EQ(decisions(us, vk::oem_7, false), u"\u00E9<");
    EXPECT_EQ(decisions(uk, vk::oem_3, false), u"\u00E9<");
    EXPECT_EQ(decisions(uk, vk::oem_7, false), u"");  // # on the UK layout
    EXPECT_EQ(decisions(us, vk::oem_3, false), u"");  // ` on the US layout
    EXPECT_EQ(decisions(uk, vk::oem_3, true), u"");   // @ on the UK layout
    EXPECT_EQ(decisions(shifted_apostrophe, vk::oem_7, true), u"\u00E9<");
    EXPECT_EQ(decisions(shifted_apostrophe, vk::oem_7, false), u"");
    EXPECT_EQ(decisions({english_us, 0, false}, vk::oem_7, false), u"");  // no apostrophe at all
}

TEST(PairMode, NumberRowIsNotRemapped) {
    EXPECT_EQ(typed_in_pair_mode(u"1234567890!%"), u"1234567890!%");
}

TEST(PairMode, ALetterModeKeyInBetweenEndsThePair) {
    TypingSimulator keyboard(MappingMode::Pairs);
    keyboard.type(u"s");
    keyboard.switch_mode(MappingMode::Letters);
    keyboard.type(u"1");
    keyboard.switch_mode(MappingMode::Pairs);
    keyboard.type(u"h");
    EXPECT_EQ(keyboard.text(), u"séh");
}

}  // namespace
}  // namespace tamga::hook
