#include "key_mapper.h"

#include "keyboard_layout.h"
#include "remap_table.h"

namespace tamga::hook {

namespace {

KeyDecision emit(char16_t unit, std::uint8_t backspaces = 0) {
    KeyDecision d;
    d.action = KeyAction::Emit;
    d.backspaces = backspaces;
    d.text[0] = unit;
    d.text_length = 1;
    return d;
}

// Shift and Caps Lock together give small letters, as on any keyboard.
bool capital(const Modifiers& m) { return m.shift != m.caps_lock; }

// 9 and 0 are not letters: Caps Lock leaves them alone, and with Shift they
// keep their own symbols.
KeyDecision number_row_for(const KeyEvent& event) {
    const bool russian = is_russian_language(event.language);
    const std::uint32_t key = event.virtual_key;
    if (key >= '1' && key <= '8') {
        const NumberRowLetter& letter = number_row_letters[key - '1'];
        if (russian) return emit(capital(event.modifiers) ? letter.cyrillic_capital : letter.cyrillic_small);
        return emit(capital(event.modifiers) ? letter.latin_capital : letter.latin_small);
    }
    if (event.modifiers.shift) return {};
    if (key == '9') return emit(nine_mark);
    if (key == '0') return emit(russian ? zero_mark_cyrillic : zero_mark_latin);
    return {};
}

bool is_pair_start(std::uint32_t key) {
    for (const LetterPair& pair : letter_pairs) {
        if (pair.first_key == key) return true;
    }
    return false;
}

}  // namespace

KeyDecision KeyMapper::decide(const KeyEvent& event) {
    if (event.ours) return {};
    if (!event.injected && event.window != window_) {
        window_ = event.window;
        pending_ = {};
    }
    const std::uint32_t key = event.virtual_key;
    if (event.injected || key >= vk::count) {
        // Passed untouched; still, a character typed in between breaks a pair.
        if (event.key_down && !is_modifier_key(key)) pending_ = {};
        return {};
    }

    KeyState& state = keys_[key];
    if (!event.key_down) {
        const bool swallow = state == KeyState::SwallowedDown;
        state = KeyState::Up;
        return swallow ? KeyDecision{KeyAction::Swallow} : KeyDecision{};
    }

    const KeyDecision decision = decide_press(event);
    if (decision.action == KeyAction::Pass) {
        state = KeyState::PassedDown;
    } else if (state != KeyState::PassedDown) {
        state = KeyState::SwallowedDown;
    }
    return decision;
}

void KeyMapper::key_passed_after_all(std::uint32_t virtual_key) {
    if (virtual_key < vk::count) keys_[virtual_key] = KeyState::PassedDown;
}

KeyDecision KeyMapper::decide_press(const KeyEvent& event) {
    if (is_modifier_key(event.virtual_key)) return {};
    const PendingLetter pending = pending_;
    pending_ = {};
    const Modifiers& m = event.modifiers;
    if (m.ctrl || m.alt || m.win) return {};  // shortcuts and AltGr characters
    if (event.mode == MappingMode::Letters) return number_row_for(event);
    return pair_for(event, pending);
}

KeyDecision KeyMapper::pair_for(const KeyEvent& event, PendingLetter pending) {
    if (primary_language(event.language) != english_primary_language) return {};
    const std::uint32_t key = event.virtual_key;
    // The apostrophe key with the other Shift state types another character
    // (" on US); h and g complete a pair in either case.
    std::uint32_t second = key;
    if (key == event.apostrophe_key) second = event.modifiers.shift == event.apostrophe_shifted ? apostrophe : 0;
    if (pending.first_key != 0 && second != 0) {
        for (const LetterPair& pair : letter_pairs) {
            if (pair.first_key == pending.first_key && pair.second_key == second) {
                return emit(pending.capital ? pair.capital : pair.small, 1);
            }
        }
    }
    if (is_pair_start(key)) pending_ = {key, capital(event.modifiers)};
    return {};
}

}  // namespace tamga::hook
