#pragma once
// What the tray icon shows: which list picture an index write selects, where
// icon cycling goes next, the tooltip made from a hint, and whether the shell
// announces its restarts on this system.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tamga {

// With a picture list an index past its end falls back to the last picture
// (an empty list gives -1; negative values are kept as written); without a
// list the index is 0.
constexpr int icon_index_for(int requested, std::optional<int> list_count) {
    if (!list_count) return 0;
    return requested >= *list_count ? *list_count - 1 : requested;
}

// Cycling steps through the pictures and starts again after the last one.
constexpr int next_cycle_index(int index, int count) { return index < count - 1 ? index + 1 : 0; }

// The shell's tooltip holds 128 UTF-16 units including the terminating zero.
inline constexpr std::size_t kTooltipCapacity = 128;

// The tooltip for a hint: its first 127 units, empty when hints are off. A
// letter outside the BMP is never cut in half: a lead surrogate left without
// its partner is dropped.
inline std::wstring tooltip_text(std::wstring_view hint, bool show_hint) {
    if (!show_hint) return {};
    std::wstring_view shown = hint.substr(0, kTooltipCapacity - 1);
    if (shown.size() < hint.size() && !shown.empty() && shown.back() >= 0xD800 && shown.back() <= 0xDBFF)
        shown.remove_suffix(1);
    return std::wstring(shown);
}

// The "TaskbarCreated" broadcast exists from common controls 4.71 on.
constexpr bool shell_announces_restart(unsigned long major, unsigned long minor) {
    return major > 4 || (major == 4 && minor >= 71);
}

}  // namespace tamga
