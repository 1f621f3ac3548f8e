#pragma once
// The Windows virtual-key codes the pure key logic looks at, as plain numbers so
// the core builds without Win32 headers (natively, for tests and fuzzing).
#include <cstdint>

namespace tamga::hook::vk {

inline constexpr std::uint32_t back = 0x08;
inline constexpr std::uint32_t return_key = 0x0D;  // Enter, on the main block and the keypad
inline constexpr std::uint32_t shift = 0x10;
inline constexpr std::uint32_t control = 0x11;
inline constexpr std::uint32_t menu = 0x12;  // Alt
inline constexpr std::uint32_t capital = 0x14;  // Caps Lock
inline constexpr std::uint32_t escape = 0x1B;
inline constexpr std::uint32_t space = 0x20;
inline constexpr std::uint32_t end = 0x23;
inline constexpr std::uint32_t home = 0x24;
inline constexpr std::uint32_t left = 0x25;
inline constexpr std::uint32_t up = 0x26;
inline constexpr std::uint32_t right = 0x27;
inline constexpr std::uint32_t down = 0x28;
inline constexpr std::uint32_t left_win = 0x5B;
inline constexpr std::uint32_t right_win = 0x5C;
inline constexpr std::uint32_t numpad0 = 0x60;
inline constexpr std::uint32_t left_shift = 0xA0;
inline constexpr std::uint32_t right_shift = 0xA1;
inline constexpr std::uint32_t left_control = 0xA2;
inline constexpr std::uint32_t right_control = 0xA3;
inline constexpr std::uint32_t left_menu = 0xA4;
inline constexpr std::uint32_t right_menu = 0xA5;  // AltGr arrives as left Ctrl + this
inline constexpr std::uint32_t oem_3 = 0xC0;  // ` and ~ on the US layout, ' and @ on the UK one
inline constexpr std::uint32_t oem_7 = 0xDE;  // ' and " on the US layout, # and ~ on the UK one
inline constexpr std::uint32_t packet = 0xE7;  // a Unicode character sent as a key

// Keyboard virtual keys are 1..254; the core keeps per-key state in arrays this long.
inline constexpr std::uint32_t count = 256;

// Digits and letters have their ASCII codes ('0'..'9', 'A'..'Z').

}  // namespace tamga::hook::vk
