// Arbitrary streams of key events through the mapper; aborts on the first
// broken rule of key_mapper_invariants.h.
#include "key_mapper.h"
#include "key_mapper_invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using tamga::hook::KeyAction;
using tamga::hook::KeyDecision;
using tamga::hook::KeyEvent;
using tamga::hook::KeyMapper;
using tamga::hook::MappingMode;
using tamga::hook::testing::KeyMapperInvariants;

constexpr std::uint16_t languages[] = {0x0409, 0x0809, 0x0419, 0x041F};

// Three bytes per event:
//   key code (+256 when bit 7 of byte 3 is set),
//   bits: 0 press, 1 injected, 2 ours, 3 pair mode, 4 Caps Lock, 5 next window,
//         6 forget the pending letter first, 7 output could not be sent,
//   bits: 0 Shift, 1 Ctrl, 2 Alt, 3 Win, 4-5 layout, 6 any layout number.
KeyEvent event_from(const std::uint8_t* b, std::uintptr_t& window) {
    KeyEvent event;
    event.virtual_key = b[0] + ((b[2] & 0x80) ? 256u : 0u);
    event.key_down = b[1] & 0x01;
    event.injected = b[1] & 0x02;
    event.ours = b[1] & 0x04;
    event.mode = (b[1] & 0x08) ? MappingMode::Pairs : MappingMode::Letters;
    event.modifiers.caps_lock = b[1] & 0x10;
    if (b[1] & 0x20) ++window;
    event.window = window;
    event.modifiers.shift = b[2] & 0x01;
    event.modifiers.ctrl = b[2] & 0x02;
    event.modifiers.alt = b[2] & 0x04;
    event.modifiers.win = b[2] & 0x08;
    event.language = (b[2] & 0x40) ? static_cast<std::uint16_t>(b[0] << 8 | b[1]) : languages[(b[2] >> 4) & 3];
    if (event.language == 0x0809) event.apostrophe_key = tamga::hook::vk::oem_3;  // the UK layout's
    return event;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    KeyMapper mapper;
    KeyMapperInvariants rules;
    std::uintptr_t window = 0;
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        const std::uint8_t* b = data + i;
        if (b[1] & 0x40) {
            mapper.forget_pending_letter();
            rules.forgot_pending_letter();
        }
        const KeyEvent event = event_from(b, window);
        const KeyDecision decision = mapper.decide(event);
        if (const char* broken = rules.check(event, decision)) {
            std::fprintf(stderr, "broken rule: %s (event %zu, key %u)\n", broken, i / 3, event.virtual_key);
            std::abort();
        }
        if (decision.action == KeyAction::Emit && (b[1] & 0x80)) {
            mapper.key_passed_after_all(event.virtual_key);
            rules.key_passed_after_all(event.virtual_key);
        }
    }
    return 0;
}
