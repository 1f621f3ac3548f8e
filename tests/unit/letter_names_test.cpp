// The names screen readers give the palette's letters.
#include "letter_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

using namespace tamga;

// A listener must tell each letter from the fifteen others of its script even
// when speech drops the letter's mark: the words after it alone must differ.
// No '&' (a control takes it for a mnemonic), no "button" (the reader says so).
TEST(LetterNames, EachNamesItsLetterAndCaseAndIsUniqueInItsScript) {
    for (int row = 1; row <= kScriptRows; ++row) {
        std::set<std::wstring_view> words;
        for (int position = 1; position <= kLettersPerRow; ++position) {
            const std::wstring_view name = letter_name(row, position);
            EXPECT_EQ(static_cast<LetterCode>(name[0]), letter_at(row, position)) << row << "/" << position;
            EXPECT_EQ(name.find(position % 2 == 1 ? L", capital " : L", small "), 1u) << row << "/" << position;
            EXPECT_EQ(name.find(L'&'), std::wstring_view::npos) << row << "/" << position;
            EXPECT_EQ(name.find(L"button"), std::wstring_view::npos) << row << "/" << position;
            words.insert(name.substr(1));
        }
        EXPECT_EQ(words.size(), 16u) << "row " << row;
    }
}
