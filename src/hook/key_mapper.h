#pragma once
// The hook's decisions: for each key event, let it through, swallow it, or
// swallow it and type something in its place. Pure: the hook library feeds it
// what it reads from the system and carries out what it answers.
#include "modifiers.h"
#include "virtual_keys.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tamga::hook {

enum class MappingMode { Letters, Pairs };

struct KeyEvent {
    std::uint32_t virtual_key = 0;
    bool key_down = false;
    Modifiers modifiers;  // as they were just before this event
    std::uint16_t language = 0;  // of the foreground program's keyboard layout
    MappingMode mode = MappingMode::Letters;
    bool injected = false;  // synthesized by a program, not typed
    bool ours = false;  // our own output coming back through the hook
    std::uintptr_t window = 0;  // the foreground window, compared only for change
    // The key that types an apostrophe on the foreground's layout, and
    // whether it needs Shift (0: the layout has none).
    std::uint32_t apostrophe_key = vk::oem_7;
    bool apostrophe_shifted = false;
};

enum class KeyAction { Pass, Swallow, Emit };

// Fixed size, so the hook callback never allocates.
struct KeyDecision {
    static constexpr std::size_t max_backspaces = 1;
    static constexpr std::size_t max_text = 2;

    KeyAction action = KeyAction::Pass;
    std::uint8_t backspaces = 0;  // typed before the text
    std::uint8_t text_length = 0;
    std::array<char16_t, max_text> text{};  // UTF-16 units

    std::u16string_view typed() const { return {text.data(), text_length}; }
};

class KeyMapper {
public:
    KeyDecision decide(const KeyEvent& event);

    // A mouse click may have moved the caret: a following pair's Backspace
    // would then erase a character the user did not type just now.
    void forget_pending_letter() { pending_ = {}; }

    // The caller could not send the text for a key it was told to swallow and
    // let the key through instead, so its release must go through as well.
    void key_passed_after_all(std::uint32_t virtual_key);

private:
    // Per key since its last release: untouched, or pressed with every press
    // swallowed, or pressed with at least one press let through. A release is
    // swallowed only in the second case, so the system never keeps a key down
    // whose press it saw, and never sees a release of a press it did not.
    enum class KeyState : std::uint8_t { Up, SwallowedDown, PassedDown };

    // The first key of a pair, already typed through.
    struct PendingLetter {
        std::uint32_t first_key = 0;  // 0: none
        bool capital = false;
    };

    KeyDecision decide_press(const KeyEvent& event);
    KeyDecision pair_for(const KeyEvent& event, PendingLetter pending);

    std::array<KeyState, vk::count> keys_{};
    PendingLetter pending_;
    std::uintptr_t window_ = 0;
};

}  // namespace tamga::hook
