#include "keyboard_picking.h"

#include "letter_table.h"
#include "modifiers.h"

#include <algorithm>

namespace tamga {

namespace {

namespace vk = hook::vk;

// The palette shows a script as columns of pairs: capital above, small letter below.
constexpr int kColumns = kLettersPerRow / 2;

bool is_move_key(std::uint32_t key) {
    switch (key) {
    case vk::left: case vk::right: case vk::up: case vk::down: case vk::home: case vk::end:
        return true;
    default:
        return false;
    }
}

// Moves stop at the edges: a selection that wrapped would jump out of sight
// of a user counting presses.
int moved(int position, std::uint32_t key) {
    int column = (position - 1) / 2;
    int row = (position - 1) % 2;  // 0 capitals, 1 small letters
    switch (key) {
    case vk::left: column = std::max(column - 1, 0); break;
    case vk::right: column = std::min(column + 1, kColumns - 1); break;
    case vk::home: column = 0; break;
    case vk::end: column = kColumns - 1; break;
    case vk::up: row = 0; break;
    case vk::down: row = 1; break;
    default: break;
    }
    return column * 2 + row + 1;
}

}  // namespace

KeyboardPicking::KeyboardPicking(int position, ArmingKey arming_key, KeySet keys_down)
    : position_(std::clamp(position, 1, kLettersPerRow)), arming_key_(arming_key), down_before_(keys_down) {}

// Whatever the order of events, a program sees both the down and the up of a
// key or neither: an up is held back exactly when its key's down was, and
// so is every auto-repeat down in between.
PickingDecision KeyboardPicking::decide(const PickingKey& key) {
    const std::uint32_t code = key.virtual_key;
    if (code >= vk::count) {  // no such key to wait for: it can only pass
        return key.key_down && armed_ ? stop(false, PickingEffect::Ended) : outcome(false, PickingEffect::None);
    }
    if (!key.key_down) {
        const bool held_back = held_back_.test(code);
        held_back_.reset(code);
        down_before_.reset(code);
        return outcome(held_back, PickingEffect::None);
    }
    if (held_back_.test(code)) {
        // An auto-repeat: arrows keep moving; a letter is typed only once.
        return armed_ && is_move_key(code) ? move(code) : outcome(true, PickingEffect::None);
    }
    if (!armed_ || down_before_.test(code)) return outcome(false, PickingEffect::None);
    const PickingDecision decision = decide_armed_press(key);
    if (decision.hold_back) held_back_.set(code);
    return decision;
}

PickingDecision KeyboardPicking::decide_armed_press(const PickingKey& key) {
    const std::uint32_t code = key.virtual_key;
    const HeldModifiers& held = key.modifiers;
    if (hook::is_modifier_key(code)) return outcome(false, PickingEffect::None);
    if (code == arming_key_.virtual_key && held == arming_key_.modifiers) return stop(true, PickingEffect::Ended);
    // Shortcuts such as Alt+Tab or Ctrl+C belong to the programs.
    if (held.ctrl || held.alt || held.win) return stop(false, PickingEffect::Ended);
    if (is_move_key(code)) return move(code);
    switch (code) {
    case vk::return_key: case vk::space: return stop(true, PickingEffect::Type);
    case vk::escape: return stop(true, PickingEffect::Ended);
    default: return stop(false, PickingEffect::Ended);  // the key reaches its program as if never armed
    }
}

PickingDecision KeyboardPicking::move(std::uint32_t key) {
    const int next = moved(position_, key);
    const PickingEffect effect = next == position_ ? PickingEffect::None : PickingEffect::Moved;
    position_ = next;
    return outcome(true, effect);
}

PickingDecision KeyboardPicking::stop(bool hold_back, PickingEffect effect) {
    armed_ = false;
    return outcome(hold_back, effect);
}

PickingDecision KeyboardPicking::outcome(bool hold_back, PickingEffect effect) const {
    return {hold_back, effect, position_};
}

}  // namespace tamga
