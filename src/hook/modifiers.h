#pragma once
// The modifier state that decides how a key is read, and the keys that form it.
#include "virtual_keys.h"

#include <bitset>
#include <cstdint>

namespace tamga::hook {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool win = false;
    bool caps_lock = false;  // the toggle, not the key
};

// Shift, Ctrl, Alt, Win and Caps Lock, generic or sided. Pressing one alone
// never produces or cancels anything.
bool is_modifier_key(std::uint32_t virtual_key);

// Follows which of Shift, Ctrl, Alt and Win are held from the key events
// themselves. The system's asynchronous key state can lag behind a fast
// "Shift, then key" (Wine caches a released key's state for up to 50 ms),
// while the event stream is exact and includes modifiers that other programs
// inject. Each side is followed on its own, so letting go of one Shift while
// the other is held keeps Shift down.
class ModifierTracker {
public:
    void observe(std::uint32_t virtual_key, bool key_down);

    // Replaces the followed state with the system's, for the start and for
    // repairing releases the hook never saw (a secure desktop, a locked
    // session). Only sided keys are asked: the system reports a generic key
    // down while either side is, so taking it too would leave it held after
    // that side's release (which clears only the sided key).
    template <class IsDown>
    void resync(IsDown is_down) {
        held_.reset();
        for (std::uint32_t key : {vk::left_shift, vk::right_shift, vk::left_control, vk::right_control,
                                  vk::left_menu, vk::right_menu, vk::left_win, vk::right_win}) {
            held_[key] = is_down(key);
        }
    }

    // Caps Lock is left false: its toggle is read by the caller.
    Modifiers held() const;

private:
    std::bitset<vk::count> held_;
};

}  // namespace tamga::hook
