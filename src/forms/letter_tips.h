#pragma once
// The tips over the palette's letters: resting the pointer on a letter shows
// its name and the keys that type it with keyboard changing in the chosen
// mode. One tooltip window for all buttons; it shows while the palette is
// inactive and never takes the foreground or the keyboard.
#include "handles.h"
#include "hook_library.h"
#include "palette_layout.h"

#include <vector>

namespace tamga {

class LetterTips {
public:
    LetterTips(HWND palette, HookMode mode);

    // A letter button, as its row is built.
    void add(HWND button, ButtonSlot slot);
    // Every tip tells the keys of this mode from now on.
    void set_mode(HookMode mode);

private:
    struct Tool {
        HWND button;
        ButtonSlot slot;
    };
    void set_text(const Tool& tool, UINT message);

    UniqueWindow tooltip_;
    std::vector<Tool> tools_;
    HookMode mode_;
};

}  // namespace tamga
