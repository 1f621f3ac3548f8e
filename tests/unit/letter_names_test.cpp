// The names screen readers give the palette's letters, and the alphabet
// chart the Help window shows and reads out.
#include "alphabet.h"
#include "letter_names.h"
#include "letter_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>

using namespace tamga;

namespace {

std::wstring lower(std::wstring_view text) {
    std::wstring result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](wchar_t c) { return std::towlower(c); });
    return result;
}

}  // namespace

// A listener must tell each letter from the fifteen others of its script even
// when the speech drops the letter's diacritic: the words after the letter
// alone must differ. No '&' (a control would take it for a mnemonic) and no
// "button" (the reader says that itself).
TEST(LetterNames, EachNamesItsLetterAndCaseAndIsUniqueInItsScript) {
    for (int row = 1; row <= kScriptRows; ++row) {
        std::set<std::wstring> names, words;
        for (int position = 1; position <= kLettersPerRow; ++position) {
            const std::wstring_view name = letter_name(row, position);
            SCOPED_TRACE(testing::Message() << "row " << row << " position " << position);
            ASSERT_GT(name.size(), 3u);
            EXPECT_EQ(static_cast<LetterCode>(name.front()), letter_at(row, position)) << "the letter itself first";
            EXPECT_EQ(name.substr(1, 2), L", ");
            const std::wstring spoken = lower(name.substr(3));
            const bool capital = position % 2 == 1;
            EXPECT_EQ(spoken.find(capital ? L"capital " : L"small "), 0u);
            EXPECT_EQ(spoken.find(capital ? L"small" : L"capital"), std::wstring::npos);
            EXPECT_EQ(name.find(L'&'), std::wstring_view::npos);
            EXPECT_EQ(lower(name).find(L"button"), std::wstring::npos);
            names.emplace(name);
            words.insert(spoken);
        }
        EXPECT_EQ(names.size(), 16u);
        EXPECT_EQ(words.size(), 16u);
    }
}

// Every palette letter stands in the chart, in its own script's column with
// its partner: capital then small.
TEST(Alphabet, ChartHoldsEveryPaletteLetterInItsScriptsColumn) {
    for (int row = 1; row <= kScriptRows; ++row) {
        for (int position = 1; position <= kLettersPerRow; position += 2) {
            const std::wstring pair{static_cast<wchar_t>(letter_at(row, position)),
                                    static_cast<wchar_t>(letter_at(row, position + 1))};
            const auto found = std::count_if(kAlphabet.begin(), kAlphabet.end(), [&](const AlphabetRow& r) {
                return (row == kLatinRow ? r.latin : r.cyrillic) == pair;
            });
            EXPECT_EQ(found, 1) << "row " << row << " position " << position;
        }
    }
}
