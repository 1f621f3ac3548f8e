#pragma once
// The Uyghur alphabet in its Latin and Cyrillic scripts with each letter's
// sound: the chart on the Help window's first page. Its picture is drawn from
// this table, and screen readers get the same rows as text.
#include <array>
#include <string>
#include <string_view>

namespace tamga {

struct AlphabetRow {
    std::wstring_view latin, cyrillic, phonetic;  // capital and small; the sound in brackets
};

inline constexpr std::array<AlphabetRow, 32> kAlphabet{{
    {L"Aa", L"\u0410\u0430", L"[a]"},               // Aa Аа [a]
    {L"Bb", L"\u0411\u0431", L"[b]"},               // Bb Бб [b]
    {L"Cc", L"\u0427\u0447", L"[\u02A7]"},          // Cc Чч [ʧ]
    {L"Dd", L"\u0414\u0434", L"[d]"},               // Dd Дд [d]
    {L"Ee", L"\u04D8\u04D9", L"[\u00E6]"},          // Ee Әә [æ]
    {L"\u00C9\u00E9", L"\u0415\u0435", L"[e]"},     // Éé Ее [e]
    {L"Ff", L"\u0424\u0444", L"[f]"},               // Ff Фф [f]
    {L"Gg", L"\u0413\u0433", L"[g]"},               // Gg Гг [g]
    {L"\u011E\u011F", L"\u0492\u0493", L"[\u0281]"},// Ğğ Ғғ [ʁ]
    {L"Hh", L"\u04BA\u04BB", L"[h]"},               // Hh Һһ [h]
    {L"\u0130i", L"\u0418\u0438", L"[i]"},          // İi Ии [i]
    {L"Jj", L"\u0496\u0497", L"[\u02A4]"},          // Jj Җҗ [ʤ]
    {L"Kk", L"\u041A\u043A", L"[k]"},               // Kk Кк [k]
    {L"Ll", L"\u041B\u043B", L"[l]"},               // Ll Лл [l]
    {L"Mm", L"\u041C\u043C", L"[m]"},               // Mm Мм [m]
    {L"Nn", L"\u041D\u043D", L"[n]"},               // Nn Нн [n]
    {L"\u014A\u014B", L"\u04A2\u04A3", L"[\u014B]"},// Ŋŋ Ңң [ŋ]
    {L"Oo", L"\u041E\u043E", L"[o]"},               // Oo Оо [o]
    {L"\u00D6\u00F6", L"\u04E8\u04E9", L"[\u00F8]"},// Öö Өө [ø]
    {L"Pp", L"\u041F\u043F", L"[p]"},               // Pp Пп [p]
    {L"Qq", L"\u049A\u049B", L"[q]"},               // Qq Ққ [q]
    {L"Rr", L"\u0420\u0440", L"[r]"},               // Rr Рр [r]
    {L"Ss", L"\u0421\u0441", L"[s]"},               // Ss Сс [s]
    {L"\u015E\u015F", L"\u0428\u0448", L"[\u0283]"},// Şş Шш [ʃ]
    {L"Tt", L"\u0422\u0442", L"[t]"},               // Tt Тт [t]
    {L"Uu", L"\u0423\u0443", L"[u]"},               // Uu Уу [u]
    {L"\u00DC\u00FC", L"\u04AE\u04AF", L"[y]"},     // Üü Үү [y]
    {L"Ww", L"\u0412\u0432", L"[v]"},               // Ww Вв [v]
    {L"Xx", L"\u0425\u0445", L"[x]"},               // Xx Хх [x]
    {L"Yy", L"\u0419\u0439", L"[j]"},               // Yy Йй [j]
    {L"Zz", L"\u0417\u0437", L"[z]"},               // Zz Зз [z]
    {L"\u017D\u017E", L"\u0416\u0436", L"[\u0292]"},// Žž Жж [ʒ]
}};

// The chart as text, one row a line under the column headings: Latin,
// Cyrillic, sound.
std::wstring alphabet_chart_text();

}  // namespace tamga
