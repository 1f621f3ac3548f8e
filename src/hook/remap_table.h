#pragma once
// What the keys give: the table users find on the Help window's second page.
#include "virtual_keys.h"

#include <array>
#include <cstdint>

namespace tamga::hook {

// Letter mode: number-row keys 1 to 8.
struct NumberRowLetter {
    char16_t latin_small;
    char16_t latin_capital;
    char16_t cyrillic_small;
    char16_t cyrillic_capital;
};

inline constexpr std::array<NumberRowLetter, 8> number_row_letters{{
    {u'\u00E9', u'\u00C9', u'\u04D9', u'\u04D8'},  // 1: é É  ә Ә
    {u'\u011F', u'\u011E', u'\u0493', u'\u0492'},  // 2: ğ Ğ  ғ Ғ
    {u'\u0069', u'\u0130', u'\u0497', u'\u0496'},  // 3: i İ  җ Җ
    {u'\u014B', u'\u014A', u'\u049B', u'\u049A'},  // 4: ŋ Ŋ  қ Қ
    {u'\u00F6', u'\u00D6', u'\u04A3', u'\u04A2'},  // 5: ö Ö  ң Ң
    {u'\u015F', u'\u015E', u'\u04E9', u'\u04E8'},  // 6: ş Ş  ө Ө
    {u'\u00FC', u'\u00DC', u'\u04AF', u'\u04AE'},  // 7: ü Ü  ү Ү
    {u'\u017E', u'\u017D', u'\u04BB', u'\u04BA'},  // 8: ž Ž  һ Һ
}};

// Letter mode, unshifted 9 and 0.
inline constexpr char16_t nine_mark = u'!';
inline constexpr char16_t zero_mark_latin = u'%';
inline constexpr char16_t zero_mark_cyrillic = u'?';

// Pair mode: the older Latin spelling's two-key sequences. The apostrophe is
// whichever key types ' on the layout in use, so it stands here as a mark.
inline constexpr std::uint32_t apostrophe = vk::count;

struct LetterPair {
    std::uint32_t first_key;
    std::uint32_t second_key;
    char16_t small;
    char16_t capital;
};

inline constexpr std::array<LetterPair, 9> letter_pairs{{
    {'C', 'H', u'c', u'C'},
    {'G', 'H', u'\u011F', u'\u011E'},       // ğ Ğ
    {'N', 'G', u'\u014B', u'\u014A'},       // ŋ Ŋ
    {'S', 'H', u'\u015F', u'\u015E'},       // ş Ş
    {'Z', 'H', u'\u017E', u'\u017D'},       // ž Ž
    {'E', apostrophe, u'\u00E9', u'\u00C9'},  // é É
    {'I', apostrophe, u'i', u'\u0130'},       // i İ
    {'O', apostrophe, u'\u00F6', u'\u00D6'},  // ö Ö
    {'U', apostrophe, u'\u00FC', u'\u00DC'},  // ü Ü
}};

}  // namespace tamga::hook
