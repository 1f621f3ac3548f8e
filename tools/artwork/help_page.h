// Where the Help window's pictures land: each is centred in a 411x373 tab
// page, shifted by half the size difference truncated toward zero (so a
// wider picture loses 9 px on the left).
#pragma once

namespace artwork {

inline constexpr int kHelpPageWidth = 411;
inline constexpr int kHelpPageHeight = 373;

// Page coordinate of a centred picture's left (or top) edge.
constexpr int centred_offset(int page_extent, int picture_extent) { return (page_extent - picture_extent) / 2; }

}  // namespace artwork
