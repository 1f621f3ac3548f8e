#pragma once
// The sixteen letters of each script that ordinary keyboards lack, capital
// then small, in palette order.
#include <array>
#include <cstdint>

namespace tamga {

inline constexpr int kScriptRows = 2;
inline constexpr int kLettersPerRow = 16;
inline constexpr int kLatinRow = 1;
inline constexpr int kCyrillicRow = 2;

using LetterCode = std::uint32_t;

inline constexpr std::array<std::array<LetterCode, kLettersPerRow>, kScriptRows> kLetterTable{{
    {0x00C9, 0x00E9, 0x011E, 0x011F, 0x0130, 0x0069, 0x014A, 0x014B,
     0x00D6, 0x00F6, 0x015E, 0x015F, 0x00DC, 0x00FC, 0x017D, 0x017E},
    {0x04D8, 0x04D9, 0x0492, 0x0493, 0x0496, 0x0497, 0x049A, 0x049B,
     0x04A2, 0x04A3, 0x04E8, 0x04E9, 0x04AE, 0x04AF, 0x04BA, 0x04BB},
}};

// Row 1..2, position 1..16.
constexpr LetterCode letter_at(int row, int position) {
    return kLetterTable[row - 1][position - 1];
}

}  // namespace tamga
