#include "modifiers.h"

namespace tamga::hook {

namespace {

bool is_held_key(std::uint32_t key) {
    switch (key) {
    case vk::shift: case vk::left_shift: case vk::right_shift:
    case vk::control: case vk::left_control: case vk::right_control:
    case vk::menu: case vk::left_menu: case vk::right_menu:
    case vk::left_win: case vk::right_win:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool is_modifier_key(std::uint32_t virtual_key) {
    return is_held_key(virtual_key) || virtual_key == vk::capital;
}

void ModifierTracker::observe(std::uint32_t virtual_key, bool key_down) {
    if (is_held_key(virtual_key)) held_[virtual_key] = key_down;
}

Modifiers ModifierTracker::held() const {
    Modifiers m;
    m.shift = held_[vk::shift] || held_[vk::left_shift] || held_[vk::right_shift];
    m.ctrl = held_[vk::control] || held_[vk::left_control] || held_[vk::right_control];
    m.alt = held_[vk::menu] || held_[vk::left_menu] || held_[vk::right_menu];
    m.win = held_[vk::left_win] || held_[vk::right_win];
    return m;
}

}  // namespace tamga::hook
