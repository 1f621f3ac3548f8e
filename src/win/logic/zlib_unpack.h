#pragma once
// Unpacks a zlib stream (a deflate stream with its header and Adler-32 sum),
// the form the program's text pictures are stored in. Pure, no window system.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tamga {

// The unpacked bytes, or nothing when the stream is damaged, its sum does not
// match, or it would unpack to more than `limit` bytes.
std::optional<std::vector<std::uint8_t>> unpack_zlib(std::span<const std::uint8_t> packed, std::size_t limit);

}  // namespace tamga
