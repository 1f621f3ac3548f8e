#pragma once
// What each palette button is called for a listener: the letter itself, then
// which letter it is and whether capital or small, so that a screen reader
// tells "ş" from "Ş" and names a diacritic it would otherwise drop. In the
// letter table's order.
#include "letter_table.h"

#include <array>
#include <string_view>

namespace tamga {

inline constexpr std::array<std::array<std::wstring_view, kLettersPerRow>, kScriptRows> kLetterNames{{
    {
        L"\u00C9, capital E with acute",      // É
        L"\u00E9, small e with acute",        // é
        L"\u011E, capital G with breve",      // Ğ
        L"\u011F, small g with breve",        // ğ
        L"\u0130, capital I with dot above",  // İ
        L"i, small i",
        L"\u014A, capital eng",               // Ŋ
        L"\u014B, small eng",                 // ŋ
        L"\u00D6, capital O with diaeresis",  // Ö
        L"\u00F6, small o with diaeresis",    // ö
        L"\u015E, capital S with cedilla",    // Ş
        L"\u015F, small s with cedilla",      // ş
        L"\u00DC, capital U with diaeresis",  // Ü
        L"\u00FC, small u with diaeresis",    // ü
        L"\u017D, capital Z with caron",      // Ž
        L"\u017E, small z with caron",        // ž
    },
    {
        L"\u04D8, capital schwa",                // Ә
        L"\u04D9, small schwa",                  // ә
        L"\u0492, capital ghe with stroke",      // Ғ
        L"\u0493, small ghe with stroke",        // ғ
        L"\u0496, capital zhe with descender",   // Җ
        L"\u0497, small zhe with descender",     // җ
        L"\u049A, capital ka with descender",    // Қ
        L"\u049B, small ka with descender",      // қ
        L"\u04A2, capital en with descender",    // Ң
        L"\u04A3, small en with descender",      // ң
        L"\u04E8, capital barred o",             // Ө
        L"\u04E9, small barred o",               // ө
        L"\u04AE, capital straight u",           // Ү
        L"\u04AF, small straight u",             // ү
        L"\u04BA, capital shha",                 // Һ
        L"\u04BB, small shha",                   // һ
    },
}};

// Row 1..2, position 1..16.
constexpr std::wstring_view letter_name(int row, int position) { return kLetterNames[row - 1][position - 1]; }

}  // namespace tamga
