// The tips over the letters: what they say, and that the keys they name
// really type the letter through the hook's mapping.
#include "letter_tip.h"
#include "letter_table.h"
#include "typing_simulator.h"

#include <gtest/gtest.h>

#include <string>

using namespace tamga;
using hook::MappingMode;
using hook::testing::TypingSimulator;

namespace {

constexpr std::wstring_view kRussian = L" on a Russian layout";

// Types what a key line says on a US or Russian keyboard and returns what the
// mapper made of it.
std::u16string typed_as_told(std::wstring keys, MappingMode mode) {
    EXPECT_EQ(keys.rfind(L"Keys: ", 0), 0u) << "a key line starts with Keys: ";
    keys.erase(0, 6);
    const bool russian = keys.ends_with(kRussian);
    if (russian) keys.resize(keys.size() - kRussian.size());
    TypingSimulator keyboard(mode, russian ? hook::testing::russian : hook::testing::english_us);
    if (keys.starts_with(L"Shift+") && keys.size() == 7) {
        keyboard.chord(hook::vk::shift, keys[6]);
    } else {
        keyboard.type(std::u16string(keys.begin(), keys.end()));
    }
    return keyboard.text();
}

}  // namespace

TEST(LetterTip, NamesTheLetterThenItsKeysInEachMode) {
    EXPECT_EQ(letter_tip(kLatinRow, 11, KeyChangingMode::Letters), L"\u015E, capital S with cedilla\r\nKeys: Shift+6");
    EXPECT_EQ(letter_tip(kLatinRow, 12, KeyChangingMode::Letters), L"\u015F, small s with cedilla\r\nKeys: 6");
    EXPECT_EQ(letter_tip(kCyrillicRow, 1, KeyChangingMode::Letters),
              L"\u04D8, capital schwa\r\nKeys: Shift+1 on a Russian layout");
    EXPECT_EQ(letter_keys(kLatinRow, 11, KeyChangingMode::Pairs), L"Keys: Sh");
    EXPECT_EQ(letter_keys(kLatinRow, 12, KeyChangingMode::Pairs), L"Keys: sh");
    EXPECT_EQ(letter_keys(kLatinRow, 2, KeyChangingMode::Pairs), L"Keys: e'");
    EXPECT_EQ(letter_keys(kLatinRow, 5, KeyChangingMode::Pairs), L"Keys: I'");
    EXPECT_EQ(letter_keys(kCyrillicRow, 2, KeyChangingMode::Pairs),
              L"Keys: none in pair mode; in letter mode 1 on a Russian layout");
}

// The tips teach what the hook does: every letter has keys in letter mode,
// every Latin one in pair mode too, and typing them gives that letter.
TEST(LetterTip, TheKeysNamedTypeTheLetter) {
    for (int row = 1; row <= kScriptRows; ++row) {
        for (int position = 1; position <= kLettersPerRow; ++position) {
            const std::u16string letter(1, static_cast<char16_t>(letter_at(row, position)));
            EXPECT_EQ(typed_as_told(letter_keys(row, position, KeyChangingMode::Letters), MappingMode::Letters), letter)
                << row << "/" << position;
            if (row == kLatinRow) {
                EXPECT_EQ(typed_as_told(letter_keys(row, position, KeyChangingMode::Pairs), MappingMode::Pairs), letter)
                    << position;
            }
        }
    }
}
