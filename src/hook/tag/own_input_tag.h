#pragma once
// The mark on every key event the program itself sends (the hook's output and
// the palette's typed letters), so the hook knows them and lets them pass.
#include <cstdint>

namespace tamga {

inline constexpr std::uintptr_t own_input_tag = 0x54616D67;

}  // namespace tamga
