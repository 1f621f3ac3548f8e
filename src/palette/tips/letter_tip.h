#pragma once
// The tip over a palette letter: its name, then the keys that type it with
// keyboard changing in the chosen mode, read from the hook's own tables.
#include <string>

namespace tamga {

enum class KeyChangingMode { Letters, Pairs };

// "Keys: Shift+6", "Keys: sh", "Keys: 1 on a Russian layout", or, for a
// letter the mode has no keys for, where the other mode has them.
// Row 1..2, position 1..16.
std::wstring letter_keys(int row, int position, KeyChangingMode mode);

// The letter's name and its keys, on two lines.
std::wstring letter_tip(int row, int position, KeyChangingMode mode);

}  // namespace tamga
