#include "picking_hook.h"

#include "own_input_tag.h"

namespace tamga {
namespace {

// A low-level hook gets no context: the one running picking, touched only on
// the hook thread.
PickingHook* running_picking = nullptr;

bool system_holds(std::uint32_t key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }

}  // namespace

PickingHook::PickingHook(const HookThread& thread, const Messages& messages, const ArmingKey& arming_key)
    : thread_(thread), messages_(messages), arming_key_(arming_key) {}

PickingHook::~PickingHook() {
    thread_.call([this] {
        hook_.reset();
        picking_.reset();
        if (running_picking == this) running_picking = nullptr;
    });
}

void PickingHook::arm(int position) {
    thread_.call([&] {
        if (picking_ && picking_->armed()) return;
        KeySet down;
        for (std::uint32_t key = 1; key < hook::vk::count - 1; ++key) down[key] = system_holds(key);
        picking_.emplace(position, arming_key_, down);
        foreground_ = GetForegroundWindow();
        modifiers_.resync(system_holds);
        running_picking = this;
        // Installed last, it sees every key before the other hooks do.
        if (!hook_) hook_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, &keyboard_proc, GetModuleHandleW(nullptr), 0));
        if (!hook_) {
            picking_.reset();
            PostMessageW(messages_.window, messages_.ended, position, 0);
        }
    });
}

void PickingHook::end() {
    thread_.call([this] {
        if (!picking_) return;
        picking_->end();
        remove_when_finished();
    });
}

void PickingHook::remove_when_finished() {
    if (picking_ && !picking_->finished()) return;
    hook_.reset();
    picking_.reset();
}

void PickingHook::post(const PickingDecision& decision) const {
    UINT message = 0;
    switch (decision.effect) {
        case PickingEffect::None: return;
        case PickingEffect::Moved: message = messages_.moved; break;
        case PickingEffect::Type: message = messages_.type; break;
        case PickingEffect::Ended: message = messages_.ended; break;
    }
    PostMessageW(messages_.window, message, static_cast<WPARAM>(decision.position), 0);
}

bool PickingHook::on_key(const KBDLLHOOKSTRUCT& key, bool key_down) {
    // The program's own typing (a delivered letter, the keyboard hook's
    // output) is no key of the user's.
    if (key.dwExtraInfo == own_input_tag || key.vkCode >= hook::vk::count) return false;
    if (picking_->armed() && GetForegroundWindow() != foreground_) {
        // The user went on elsewhere (a click into another window): the key is theirs.
        picking_->end();
        post({false, PickingEffect::Ended, picking_->position()});
    }
    const hook::Modifiers held = modifiers_.held();
    modifiers_.observe(key.vkCode, key_down);
    const PickingDecision decision =
        picking_->decide({key.vkCode, key_down, {held.shift, held.ctrl, held.alt, held.win}});
    post(decision);
    return decision.hold_back;
}

LRESULT CALLBACK PickingHook::keyboard_proc(int code, WPARAM message, LPARAM data) {
    PickingHook* const self = running_picking;
    if (code != HC_ACTION || !self || !self->picking_) return CallNextHookEx(nullptr, code, message, data);
    // Wine's injected Unicode releases lack LLKHF_UP: the message tells.
    const bool key_down = message != WM_KEYUP && message != WM_SYSKEYUP;
    const bool hold_back = self->on_key(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(data), key_down);
    const LRESULT result = hold_back ? 1 : CallNextHookEx(nullptr, code, message, data);
    // Removed only once the next hooks have had the event.
    self->remove_when_finished();
    return result;
}

}  // namespace tamga
