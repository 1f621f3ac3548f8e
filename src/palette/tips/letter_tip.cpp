#include "letter_tip.h"

#include "letter_names.h"
#include "remap_table.h"

#include <optional>

namespace tamga {
namespace {

using hook::letter_pairs;
using hook::number_row_letters;

std::optional<std::wstring> letter_mode_keys(LetterCode letter) {
    for (std::size_t i = 0; i < number_row_letters.size(); ++i) {
        const hook::NumberRowLetter& keys = number_row_letters[i];
        const std::wstring digit(1, static_cast<wchar_t>(L'1' + i));
        if (letter == keys.latin_small) return digit;
        if (letter == keys.latin_capital) return L"Shift+" + digit;
        if (letter == keys.cyrillic_small) return digit + L" on a Russian layout";
        if (letter == keys.cyrillic_capital) return L"Shift+" + digit + L" on a Russian layout";
    }
    return std::nullopt;
}

// A pair's keys as typed: the first letter's case picks the capital.
std::optional<std::wstring> pair_mode_keys(LetterCode letter) {
    for (const hook::LetterPair& pair : letter_pairs) {
        if (letter != pair.small && letter != pair.capital) continue;
        const auto first = static_cast<wchar_t>(letter == pair.capital ? pair.first_key : pair.first_key - 'A' + 'a');
        const auto second = static_cast<wchar_t>(pair.second_key == hook::apostrophe ? '\'' : pair.second_key - 'A' + 'a');
        return std::wstring{first, second};
    }
    return std::nullopt;
}

const wchar_t* mode_name(KeyChangingMode mode) { return mode == KeyChangingMode::Letters ? L"letter" : L"pair"; }

}  // namespace

std::wstring letter_keys(int row, int position, KeyChangingMode mode) {
    const LetterCode letter = letter_at(row, position);
    const std::optional<std::wstring> in_letter_mode = letter_mode_keys(letter);
    const std::optional<std::wstring> in_pair_mode = pair_mode_keys(letter);
    const bool letters = mode == KeyChangingMode::Letters;
    if (const auto& keys = letters ? in_letter_mode : in_pair_mode) return L"Keys: " + *keys;
    std::wstring line = L"Keys: none in " + std::wstring(mode_name(mode)) + L" mode";
    if (const auto& other = letters ? in_pair_mode : in_letter_mode)
        line += L"; in " + std::wstring(mode_name(letters ? KeyChangingMode::Pairs : KeyChangingMode::Letters)) +
                L" mode " + *other;
    return line;
}

std::wstring letter_tip(int row, int position, KeyChangingMode mode) {
    return std::wstring(letter_name(row, position)) + L"\r\n" + letter_keys(row, position, mode);
}

}  // namespace tamga
