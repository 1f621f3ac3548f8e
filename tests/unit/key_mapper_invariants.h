#pragma once
// Rules every stream of key events must keep, whatever its order: watched
// from outside the mapper, event by event. Shared by the randomized tests and
// the fuzzer.
#include "key_mapper.h"
#include "modifiers.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tamga::hook::testing {

// Every character the remapping table can produce.
inline constexpr std::u16string_view table_characters =
    u"\u00E9\u011F\u0069\u014B\u00F6\u015F\u00FC\u017E"  // é ğ i ŋ ö ş ü ž
    u"\u00C9\u011E\u0130\u014A\u00D6\u015E\u00DC\u017D"  // É Ğ İ Ŋ Ö Ş Ü Ž
    u"\u04D9\u0493\u0497\u049B\u04A3\u04E9\u04AF\u04BB"  // ә ғ җ қ ң ө ү һ
    u"\u04D8\u0492\u0496\u049A\u04A2\u04E8\u04AE\u04BA"  // Ә Ғ Җ Қ Ң Ө Ү Һ
    u"cC!%?";

class KeyMapperInvariants {
public:
    // Checks one decision of the mapper; answers the broken rule, or nullptr.
    const char* check(const KeyEvent& event, const KeyDecision& decision) {
        const std::uint32_t key = event.virtual_key;
        const bool physical = !event.injected && !event.ours;
        const bool emitted = decision.action == KeyAction::Emit;
        if (physical && event.window != window_) {
            window_ = event.window;
            letter_to_erase_ = false;
        }

        if (emitted) {
            if (!physical || !event.key_down) return "output for an injected key or a release";
            if (decision.text_length == 0 || decision.text_length > KeyDecision::max_text) return "bad text length";
            for (char16_t c : decision.typed()) {
                if (table_characters.find(c) == std::u16string_view::npos) return "character outside the table";
            }
        }
        if (is_modifier_key(key) && decision.action != KeyAction::Pass) return "a modifier key was not passed";
        if (!physical && decision.action != KeyAction::Pass) return "injected input was not passed";
        const Modifiers& m = event.modifiers;
        if (physical && event.key_down && (m.ctrl || m.alt || m.win) && decision.action != KeyAction::Pass) {
            return "a shortcut was not passed";
        }

        if (emitted) {
            if (event.mode == MappingMode::Letters && decision.backspaces != 0) return "letter mode erased";
            if (event.mode == MappingMode::Pairs) {
                if ((event.language & 0x3FF) != 0x09) return "pair replaced off the English layout";
                if (decision.backspaces != 1) return "a pair must erase exactly its first letter";
                if (!letter_to_erase_) return "erased something other than a letter just typed through";
            }
        }

        if (event.key_down && !event.ours && !is_modifier_key(key)) {
            letter_to_erase_ = physical && decision.action == KeyAction::Pass && key >= 'A' && key <= 'Z';
        }

        if (physical && key < presses_.size()) {
            Presses& p = presses_[key];
            if (event.key_down) {
                ++p.count;
                p.any_passed = p.any_passed || decision.action == KeyAction::Pass;
            } else {
                const bool should_swallow = p.count > 0 && !p.any_passed;
                p = {};
                if (should_swallow != (decision.action == KeyAction::Swallow)) {
                    return should_swallow ? "release of a swallowed key went through"
                                          : "release of a key the program saw pressed was swallowed";
                }
            }
        }
        return nullptr;
    }

    // Mirrors KeyMapper::forget_pending_letter.
    void forgot_pending_letter() { letter_to_erase_ = false; }

    // Mirrors KeyMapper::key_passed_after_all.
    void key_passed_after_all(std::uint32_t key) {
        if (key < presses_.size()) presses_[key].any_passed = true;
    }

private:
    struct Presses {
        int count = 0;
        bool any_passed = false;
    };
    std::array<Presses, vk::count> presses_{};
    bool letter_to_erase_ = false;
    std::uintptr_t window_ = 0;
};

}  // namespace tamga::hook::testing
