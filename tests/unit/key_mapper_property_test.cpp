// Long random key streams, in both modes and on several layouts, must keep
// the rules of key_mapper_invariants.h at every event.
#include "key_mapper.h"
#include "modifiers.h"
#include "key_mapper_invariants.h"
#include "typing_simulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace tamga::hook {
namespace {

using testing::KeyMapperInvariants;

constexpr std::array<std::uint16_t, 6> languages{testing::english_us, testing::english_us, testing::english_uk,
                                                 testing::russian,    testing::turkish,    0x0480};

// Keys a typist uses, weighted toward the ones the table involves.
constexpr std::array<std::uint32_t, 28> typing_keys{
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 'C', 'G', 'N', 'S',
    'Z', 'E', 'I', 'O', 'U', 'H', 'H', 'H', 'A', 'X', vk::oem_7, vk::oem_7, vk::space, vk::back,
};
constexpr std::array<std::uint32_t, 12> modifier_keys{
    vk::left_shift, vk::right_shift, vk::left_shift, vk::right_shift, vk::left_control, vk::right_control,
    vk::left_menu, vk::right_menu, vk::left_win, vk::capital, vk::shift, vk::numpad0 + 1,
};

std::uint32_t second_of_pair(std::uint32_t first, std::uint32_t otherwise) {
    switch (first) {
    case 'C': case 'G': case 'S': case 'Z': return 'H';
    case 'N': return 'G';
    case 'E': case 'I': case 'O': case 'U': return vk::oem_7;
    default: return otherwise;
    }
}

// A keyboard pressing and releasing keys at random, modifiers followed from
// its own events the way the hook library follows them.
class RandomTypist {
public:
    explicit RandomTypist(std::uint32_t seed) : random_(seed) {}

    KeyEvent next() {
        switch (pick(150)) {  // now and then, another window, layout or mode
        case 0: window_ = pick(3); break;
        case 1: language_ = languages[pick(languages.size())]; break;
        case 2: mode_ = pick(2) == 0 ? MappingMode::Letters : MappingMode::Pairs; break;
        default: break;
        }
        std::uint32_t key = 0;
        bool down = true;
        if (!held_keys_.empty() && pick(3) != 0) {
            // Let go of a held key, or now and then auto-repeat it.
            key = held_keys_[pick(held_keys_.size())];
            down = pick(10) == 0;
        } else {
            // Press another key, often the one that completes a pair; rarely
            // a release the hook never saw pressed.
            key = pick(5) == 0 ? modifier_keys[pick(modifier_keys.size())] : typing_keys[pick(typing_keys.size())];
            if (pick(2) == 0) key = second_of_pair(last_pressed_, key);
            down = pick(20) != 0;
        }
        if (down) last_pressed_ = key;
        KeyEvent event;
        event.virtual_key = key;
        event.key_down = down;
        event.modifiers = tracker_.held();
        event.modifiers.caps_lock = caps_lock_;
        event.language = language_;
        event.mode = mode_;
        event.injected = pick(32) == 0;
        event.ours = event.injected && pick(2) == 0;
        event.window = window_;
        tracker_.observe(key, down);
        const auto held = std::find(held_keys_.begin(), held_keys_.end(), key);
        if (key == vk::capital && down && held == held_keys_.end()) caps_lock_ = !caps_lock_;
        if (down && held == held_keys_.end()) held_keys_.push_back(key);
        if (!down && held != held_keys_.end()) held_keys_.erase(held);
        return event;
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

private:
    std::mt19937 random_;
    ModifierTracker tracker_;
    std::vector<std::uint32_t> held_keys_;
    std::uint32_t last_pressed_ = 0;
    bool caps_lock_ = false;
    std::uint16_t language_ = testing::english_us;
    MappingMode mode_ = MappingMode::Pairs;
    std::uintptr_t window_ = 0;
};

TEST(KeyMapperProperties, RandomTypingKeepsTheRules) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomTypist typist(seed);
        KeyMapper mapper;
        KeyMapperInvariants rules;
        int emitted = 0;
        int replaced = 0;
        for (int i = 0; i < 5000; ++i) {
            const KeyEvent event = typist.next();
            const KeyDecision decision = mapper.decide(event);
            const char* broken = rules.check(event, decision);
            ASSERT_EQ(broken, nullptr) << broken << " at event " << i << ", key " << event.virtual_key;
            if (decision.action == KeyAction::Emit) {
                ++emitted;
                if (decision.backspaces > 0) ++replaced;
                if (typist.pick(20) == 0) {  // the text could not be sent
                    mapper.key_passed_after_all(event.virtual_key);
                    rules.key_passed_after_all(event.virtual_key);
                }
            }
            if (typist.pick(50) == 0) {
                mapper.forget_pending_letter();
                rules.forgot_pending_letter();
            }
        }
        EXPECT_GT(emitted, 100) << "the stream should exercise the table";
        EXPECT_GT(replaced, 10) << "the stream should exercise pairs";
    }
}

TEST(KeyMapperProperties, ArbitraryEventsKeepTheRules) {
    std::mt19937 random(2024);
    auto bit = [&] { return (random() & 1) != 0; };
    KeyMapper mapper;
    KeyMapperInvariants rules;
    for (int i = 0; i < 50000; ++i) {
        KeyEvent event;
        event.virtual_key = random() % 300;
        event.key_down = bit();
        event.modifiers = {bit() && bit(), bit() && bit(), bit() && bit(), bit() && bit(), bit()};
        event.language = static_cast<std::uint16_t>(bit() ? languages[random() % languages.size()] : random());
        event.mode = bit() ? MappingMode::Letters : MappingMode::Pairs;
        event.injected = (random() % 8) == 0;
        event.ours = event.injected && bit();
        event.window = random() % 2;
        const KeyDecision decision = mapper.decide(event);
        const char* broken = rules.check(event, decision);
        ASSERT_EQ(broken, nullptr) << broken << " at event " << i << ", key " << event.virtual_key;
    }
}

}  // namespace
}  // namespace tamga::hook
