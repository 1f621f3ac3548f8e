#pragma once
// What a keyboard layout handle says about the language typed with it. One
// rule for the hook and for the tray picture that shows what the hook does.
#include <cstdint>

namespace tamga {

// The language is the low word of the layout handle; the high word tells the
// physical layout (Russian typewriter, phonetic, ...), which does not matter.
constexpr std::uint16_t layout_language(std::uintptr_t layout) { return static_cast<std::uint16_t>(layout & 0xFFFF); }

inline constexpr std::uint16_t russian_language = 0x0419;
inline constexpr std::uint16_t english_primary_language = 0x09;

constexpr std::uint16_t primary_language(std::uint16_t language) { return language & 0x3FF; }

constexpr bool is_russian_language(std::uint16_t language) { return language == russian_language; }
constexpr bool is_russian_layout(std::uintptr_t layout) { return is_russian_language(layout_language(layout)); }

}  // namespace tamga
