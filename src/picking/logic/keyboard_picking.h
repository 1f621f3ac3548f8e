#pragma once
// Picking a palette letter from the keyboard. While the palette is armed,
// every key event passes through here and is either held back from all
// programs or passed on: the arrows move the selection over the sixteen
// buttons of one script, Enter or Space types the selected letter, and any
// key meant for another program passes and ends the picking.
#include "virtual_keys.h"

#include <bitset>
#include <cstdint>

namespace tamga {

// Which of Shift, Ctrl, Alt and Win are held.
struct HeldModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool win = false;
    bool operator==(const HeldModifiers&) const = default;
};

// The global key that arms the palette, with the modifiers it is registered with.
struct ArmingKey {
    std::uint32_t virtual_key = 0;
    HeldModifiers modifiers;
};

struct PickingKey {
    std::uint32_t virtual_key = 0;
    bool key_down = false;
    HeldModifiers modifiers;  // as held before this event
};

enum class PickingEffect {
    None,
    Moved,  // the selection moved to `position`
    Type,   // type the letter at `position`; the picking has ended
    Ended,  // the picking ended with nothing typed
};

struct PickingDecision {
    bool hold_back = false;  // keep the event from every program
    PickingEffect effect = PickingEffect::None;
    int position = 1;  // the selection after the event
    bool operator==(const PickingDecision&) const = default;
};

using KeySet = std::bitset<hook::vk::count>;

class KeyboardPicking {
public:
    // Armed with the letter at `position` (1..16, letter-table order)
    // selected. `keys_down` are the keys already held as the picking begins,
    // as a rule the arming key itself: their downs reached the programs, so
    // their auto-repeats and ups pass and leave the picking alone.
    KeyboardPicking(int position, ArmingKey arming_key, KeySet keys_down);

    // Every key event, from the keyboard hook or the palette's own messages.
    PickingDecision decide(const PickingKey& key);

    // Ends the picking from outside (the foreground moved, the session was
    // locked, a letter was clicked); keys held back still wait for their ups.
    void end() { armed_ = false; }

    bool armed() const { return armed_; }
    // Ended, and no held-back key waits for its up: the hook may go.
    bool finished() const { return !armed_ && held_back_.none(); }
    // 1..16; odd positions are capitals (top row), even ones small letters.
    int position() const { return position_; }

private:
    PickingDecision decide_armed_press(const PickingKey& key);
    PickingDecision move(std::uint32_t key);
    PickingDecision stop(bool hold_back, PickingEffect effect);
    PickingDecision outcome(bool hold_back, PickingEffect effect) const;

    int position_;
    ArmingKey arming_key_;
    bool armed_ = true;
    KeySet held_back_;    // down held back, up not yet seen
    KeySet down_before_;  // down before the picking began, up not yet seen
};

}  // namespace tamga
