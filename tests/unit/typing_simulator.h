#pragma once
// A US keyboard and a plain editor around the key mapper, wired the way the
// hook library wires it: characters become the key events a typist makes,
// each event goes through the mapper with the modifiers followed from the
// events, and the editor's text shows what reached the program.
#include "key_mapper.h"
#include "modifiers.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tamga::hook::testing {

inline constexpr std::uint16_t english_us = 0x0409;
inline constexpr std::uint16_t english_uk = 0x0809;
inline constexpr std::uint16_t russian = 0x0419;
inline constexpr std::uint16_t turkish = 0x041F;

// A single event for driving the mapper directly; callers adjust the rest.
inline KeyEvent key_event(std::uint32_t key, bool down, MappingMode mode = MappingMode::Letters,
                          std::uint16_t language = english_us) {
    KeyEvent event;
    event.virtual_key = key;
    event.key_down = down;
    event.mode = mode;
    event.language = language;
    return event;
}

inline KeyEvent injected(KeyEvent event, bool ours = false) {
    event.injected = true;
    event.ours = ours;
    return event;
}

class TypingSimulator {
public:
    explicit TypingSimulator(MappingMode mode, std::uint16_t language = english_us)
        : mode_(mode), language_(language) {}

    // Types each character as a typist on a US keyboard would: Shift held
    // around capitals and shifted symbols (capitals without it while Caps
    // Lock is on).
    void type(std::u16string_view text) {
        for (char16_t c : text) type_character(c);
    }

    void press(std::uint32_t key) { send(key, true); }
    void release(std::uint32_t key) { send(key, false); }
    void stroke(std::uint32_t key) {
        press(key);
        release(key);
    }
    void chord(std::uint32_t modifier, std::uint32_t key) {
        press(modifier);
        stroke(key);
        release(modifier);
    }

    // Another program's synthesized key (an on-screen keyboard).
    void injected_stroke(std::uint32_t key) {
        injected_ = true;
        stroke(key);
        injected_ = false;
    }

    void click() { mapper_.forget_pending_letter(); }
    void switch_window() { ++window_; }
    void switch_language(std::uint16_t language) { language_ = language; }
    void switch_mode(MappingMode mode) { mode_ = mode; }

    const std::u16string& text() const { return text_; }
    bool caps_lock() const { return caps_lock_; }
    const KeyDecision& last_decision() const { return last_; }

private:
    void send(std::uint32_t key, bool down) {
        KeyEvent event;
        event.virtual_key = key;
        event.key_down = down;
        event.modifiers = tracker_.held();
        event.modifiers.caps_lock = caps_lock_;
        event.language = language_;
        event.mode = mode_;
        event.injected = injected_;
        event.window = window_;
        tracker_.observe(key, down);
        last_ = mapper_.decide(event);
        switch (last_.action) {
        case KeyAction::Pass:
            if (down) editor_key(key, event.modifiers);
            break;
        case KeyAction::Swallow:
            break;
        case KeyAction::Emit:
            for (int i = 0; i < last_.backspaces; ++i) erase();
            text_ += last_.typed();
            break;
        }
    }

    // What a US-layout program makes of a key press that reached it.
    void editor_key(std::uint32_t key, const Modifiers& m) {
        if (key == vk::capital) caps_lock_ = !caps_lock_;
        if (key == vk::back) erase();
        if (m.ctrl || m.alt || m.win) return;
        if (key >= 'A' && key <= 'Z') {
            text_ += static_cast<char16_t>(m.shift != m.caps_lock ? key : key - 'A' + 'a');
        } else if (key >= '0' && key <= '9') {
            text_ += m.shift ? shifted_digits[key - '0'] : static_cast<char16_t>(key);
        } else if (key == vk::oem_7) {
            text_ += m.shift ? u'"' : u'\'';
        } else if (key == vk::space) {
            text_ += u' ';
        }
    }

    void erase() {
        if (!text_.empty()) text_.pop_back();
    }

    void type_character(char16_t c) {
        std::uint32_t key = 0;
        bool shift = false;
        if (c >= u'a' && c <= u'z') {
            key = c - u'a' + 'A';
            shift = caps_lock_;
        } else if (c >= u'A' && c <= u'Z') {
            key = c;
            shift = !caps_lock_;
        } else if (c >= u'0' && c <= u'9') {
            key = c;
        } else if (const auto digit = shifted_digits.find(c); digit != std::u16string_view::npos) {
            key = '0' + static_cast<std::uint32_t>(digit);
            shift = true;
        } else if (c == u'\'' || c == u'"') {
            key = vk::oem_7;
            shift = c == u'"';
        } else {
            key = vk::space;
        }
        if (shift) press(vk::left_shift);
        stroke(key);
        if (shift) release(vk::left_shift);
    }

    static constexpr std::u16string_view shifted_digits = u")!@#$%^&*(";

    KeyMapper mapper_;
    ModifierTracker tracker_;
    MappingMode mode_;
    std::uint16_t language_;
    std::uintptr_t window_ = 1;
    bool caps_lock_ = false;
    bool injected_ = false;
    KeyDecision last_;
    std::u16string text_;
};

}  // namespace tamga::hook::testing
