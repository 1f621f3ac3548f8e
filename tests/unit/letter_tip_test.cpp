// The tips over the letters: what they say, and that the keys they name
// really type the letter through the hook's mapping.
#include "letter_tip.h"
#include "letter_table.h"
#include "typing_simulator.h"

#include <gtest/gtest.h>

using namespace tamga;
using hook::MappingMode;

TEST(LetterTip, NamesTheLetterThenItsKeysInEachMode) {
    EXPECT_EQ(letter_tip(kLatinRow, 11, KeyChangingMode::Letters), L"\u015E, capital S with cedilla\r\nKeys: Shift+6");
    EXPECT_EQ(letter_keys(kCyrillicRow, 2, KeyChangingMode::Letters), L"Keys: 1 on a Russian layout");
    EXPECT_EQ(letter_keys(kLatinRow, 11, KeyChangingMode::Pairs), L"Keys: Sh");
    EXPECT_EQ(letter_keys(kLatinRow, 2, KeyChangingMode::Pairs), L"Keys: e'");
    EXPECT_EQ(letter_keys(kCyrillicRow, 2, KeyChangingMode::Pairs),
              L"Keys: none in pair mode; in letter mode 1 on a Russian layout");
}

// Types what a key line says, as a typist on a US or Russian keyboard would.
std::u16string typed_as_told(std::wstring keys, MappingMode mode) {
    constexpr std::wstring_view russian = L" on a Russian layout";
    hook::testing::TypingSimulator keyboard(
        mode, keys.ends_with(russian) ? hook::testing::russian : hook::testing::english_us);
    if (keys.ends_with(russian)) keys.resize(keys.size() - russian.size());
    if (!keys.starts_with(L"Keys: ")) return u"";
    keys.erase(0, 6);
    if (keys.starts_with(L"Shift+") && keys.size() == 7)
        keyboard.chord(hook::vk::shift, keys[6]);
    else
        keyboard.type(std::u16string(keys.begin(), keys.end()));
    return keyboard.text();
}

// Every letter has keys in letter mode, every Latin one in pair mode too,
// and the hook types the letter for them.
TEST(LetterTip, TheKeysNamedTypeTheLetter) {
    for (int row = 1; row <= kScriptRows; ++row) {
        for (int position = 1; position <= kLettersPerRow; ++position) {
            const std::u16string letter(1, static_cast<char16_t>(letter_at(row, position)));
            EXPECT_EQ(typed_as_told(letter_keys(row, position, KeyChangingMode::Letters), MappingMode::Letters), letter);
            if (row == kLatinRow) {
                EXPECT_EQ(typed_as_told(letter_keys(row, position, KeyChangingMode::Pairs), MappingMode::Pairs), letter);
            }
        }
    }
}
