#pragma once
// Keyboard picking while another program keeps the keyboard: a low-level
// hook of the program's own on the hook thread, alive only while a picking
// runs or a key it held back is still down. It holds back exactly the keys
// the picking uses (their downs and their ups) and tells the palette's
// window what they did; every other key passes on unchanged.
#include "handles.h"
#include "hook_thread.h"
#include "keyboard_picking.h"
#include "modifiers.h"

#include <optional>

namespace tamga {

class PickingHook {
public:
    // Posted to `window`, wparam the selected position (1..16).
    struct Messages {
        HWND window;
        UINT moved;
        UINT type;   // the picking has ended
        UINT ended;  // with nothing typed
    };

    PickingHook(const HookThread& thread, const Messages& messages, const ArmingKey& arming_key);
    ~PickingHook();
    PickingHook(const PickingHook&) = delete;
    PickingHook& operator=(const PickingHook&) = delete;

    // Starts a picking with `position` selected; the keys held down now
    // (the arming key's own) pass untouched.
    void arm(int position);
    // Ends a picking from outside (the foreground moved, a letter was
    // clicked); keys held back still wait for their ups.
    void end();

    static LRESULT CALLBACK keyboard_proc(int code, WPARAM message, LPARAM data);

private:
    // On the hook thread.
    bool on_key(const KBDLLHOOKSTRUCT& key, bool key_down);
    void post(const PickingDecision& decision) const;
    void remove_when_finished();

    const HookThread& thread_;
    const Messages messages_;
    const ArmingKey arming_key_;
    // Touched on the hook thread only.
    std::optional<KeyboardPicking> picking_;
    HWND foreground_ = nullptr;  // at arming: the picking ends when another takes its place
    hook::ModifierTracker modifiers_;
    UniqueHook hook_;
};

}  // namespace tamga
