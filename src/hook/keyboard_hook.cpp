#include "keyboard_hook.h"

#include "hook_handles.h"
#include "keyboard_layout.h"
#include "own_input_tag.h"

#include <windows.h>

#include <array>
#include <bitset>
#include <optional>

namespace tamga::hook {

namespace {

constexpr UINT watchdog_period_ms = 1000;

// After this long without a key event the system's modifier state is settled
// and replaces ours, repairing releases the hook never saw.
constexpr DWORD modifier_resync_idle_ms = 1000;

// Keys the watchdog compares with the system's view: the ones typing holds
// down most often.
constexpr auto watched_keys = [] {
    std::array<std::uint32_t, 10 + 26 + 3> keys{};
    std::size_t n = 0;
    for (std::uint32_t key = '0'; key <= '9'; ++key) keys[n++] = key;
    for (std::uint32_t key = 'A'; key <= 'Z'; ++key) keys[n++] = key;
    keys[n++] = vk::oem_7;
    keys[n++] = vk::space;
    keys[n++] = vk::back;
    return keys;
}();

// The key that types ' on a layout, looked up again only when the layout changes.
class ApostropheKey {
public:
    void fill(HKL layout, KeyEvent& event) {
        if (layout != layout_ || !known_) {
            const SHORT found = VkKeyScanExW(L'\'', layout);
            // Needing Ctrl or Alt (AltGr) makes it a character no pair can use.
            key_ = found == -1 || (HIBYTE(found) & 6) ? 0 : LOBYTE(found);
            shifted_ = found != -1 && (HIBYTE(found) & 1);
            layout_ = layout;
            known_ = true;
        }
        event.apostrophe_key = key_;
        event.apostrophe_shifted = shifted_;
    }

private:
    HKL layout_ = nullptr;
    bool known_ = false;
    std::uint32_t key_ = 0;
    bool shifted_ = false;
};

bool system_holds(std::uint32_t key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }

class KeyboardHook {
public:
    explicit KeyboardHook(MappingMode mode) : mode_(mode), watchdog_(watchdog_period_ms, &watchdog_tick) {
        install();
    }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    static LRESULT CALLBACK keyboard_proc(int code, WPARAM message, LPARAM data);
    static LRESULT CALLBACK mouse_proc(int code, WPARAM message, LPARAM data);
    static void CALLBACK watchdog_tick(HWND, UINT, UINT_PTR, DWORD);

private:
    bool on_key(const KBDLLHOOKSTRUCT& key, bool key_down);  // true: swallow the event
    void on_watchdog_tick();
    void install();
    bool hook_bypassed() const;

    MappingMode mode_;
    KeyMapper mapper_;
    ModifierTracker modifiers_;
    ApostropheKey apostrophe_;
    std::bitset<vk::count> seen_down_;  // keys whose last event here was a press
    DWORD last_key_tick_ = 0;
    UniqueHook keyboard_hook_;
    UniqueHook mouse_hook_;
    ThreadTimer watchdog_;
};

// The running hook. A low-level hook procedure gets no context pointer, so it
// lives here; only the thread that started it touches it.
std::optional<KeyboardHook> running_hook;

HMODULE this_module() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&KeyboardHook::keyboard_proc), &module);
    return module;
}

// Sends the text from inside the hook callback: sending it later would let
// keys typed meanwhile overtake it.
bool send_text(const KeyDecision& decision) {
    std::array<INPUT, 2 * (KeyDecision::max_backspaces + KeyDecision::max_text)> inputs{};
    UINT count = 0;
    auto add = [&](WORD key, WORD scan, DWORD flags) {
        INPUT& input = inputs[count++];
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = scan;
        input.ki.dwFlags = flags;
        input.ki.dwExtraInfo = own_input_tag;
    };
    const auto back_scan = static_cast<WORD>(MapVirtualKeyW(VK_BACK, MAPVK_VK_TO_VSC));
    for (std::size_t i = 0; i < decision.backspaces && i < KeyDecision::max_backspaces; ++i) {
        add(VK_BACK, back_scan, 0);
        add(VK_BACK, back_scan, KEYEVENTF_KEYUP);
    }
    for (char16_t unit : decision.typed()) {
        add(0, unit, KEYEVENTF_UNICODE);
        add(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    return SendInput(count, inputs.data(), sizeof(INPUT)) != 0;
}

LRESULT CALLBACK KeyboardHook::keyboard_proc(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && running_hook) {
        // Wine's injected Unicode releases lack LLKHF_UP: the message tells.
        const bool key_down = message != WM_KEYUP && message != WM_SYSKEYUP;
        if (running_hook->on_key(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(data), key_down)) return 1;
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK KeyboardHook::mouse_proc(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && running_hook) {
        switch (message) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
            running_hook->mapper_.forget_pending_letter();
            break;
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

void CALLBACK KeyboardHook::watchdog_tick(HWND, UINT, UINT_PTR, DWORD) {
    if (running_hook) running_hook->on_watchdog_tick();
}

bool KeyboardHook::on_key(const KBDLLHOOKSTRUCT& key, bool key_down) {
    last_key_tick_ = GetTickCount();
    if (key.vkCode < vk::count) seen_down_[key.vkCode] = key_down;

    KeyEvent event;
    event.virtual_key = key.vkCode;
    event.key_down = key_down;
    event.mode = mode_;
    event.ours = key.dwExtraInfo == own_input_tag;
    event.injected = (key.flags & LLKHF_INJECTED) != 0;
    if (!event.ours && !event.injected) {
        const HWND foreground = GetForegroundWindow();
        const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(foreground, nullptr));
        event.language = layout_language(reinterpret_cast<std::uintptr_t>(layout));
        apostrophe_.fill(layout, event);
        event.window = reinterpret_cast<std::uintptr_t>(foreground);
        event.modifiers = modifiers_.held();
        // No event tells the toggle's state at the start; the system's does,
        // and reading it has no cache to lag behind.
        event.modifiers.caps_lock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    }
    modifiers_.observe(key.vkCode, key_down);

    const KeyDecision decision = mapper_.decide(event);
    switch (decision.action) {
    case KeyAction::Pass:
        return false;
    case KeyAction::Swallow:
        return true;
    case KeyAction::Emit:
        if (send_text(decision)) return true;
        // The text could not be sent (the foreground may refuse our input):
        // the key itself is better than nothing.
        mapper_.key_passed_after_all(key.vkCode);
        return false;
    }
    return false;
}

// The system silently removes a low-level hook that once answered too slowly.
// A key the system holds down whose press this hook never saw proves that
// input bypasses it: the system records a press only after the hooks let it
// through, so a press still on its way to this hook cannot be mistaken for one.
// (The time of the last input, GetLastInputInfo, cannot tell: mouse movement
// counts as input too.)
bool KeyboardHook::hook_bypassed() const {
    for (std::uint32_t key : watched_keys) {
        if (system_holds(key) && !seen_down_[key]) return true;
    }
    return false;
}

void KeyboardHook::on_watchdog_tick() {
    if (!keyboard_hook_ || hook_bypassed()) {
        install();
        return;
    }
    if (GetTickCount() - last_key_tick_ >= modifier_resync_idle_ms) modifiers_.resync(system_holds);
}

void KeyboardHook::install() {
    // The old hook goes first so that no event ever reaches two of them.
    mouse_hook_.reset();
    keyboard_hook_.reset();
    const HMODULE module = this_module();
    keyboard_hook_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, &keyboard_proc, module, 0));
    // Only pairs care about clicks, which may move the caret between two keys.
    if (mode_ == MappingMode::Pairs) mouse_hook_.reset(SetWindowsHookExW(WH_MOUSE_LL, &mouse_proc, module, 0));

    modifiers_.resync(system_holds);
    for (std::uint32_t key : watched_keys) seen_down_[key] = system_holds(key);
    last_key_tick_ = GetTickCount();
}

}  // namespace

// emplace removes the running hook before the new one is installed.
void start_keyboard_hook(MappingMode mode) { running_hook.emplace(mode); }

void finish_keyboard_hook() { running_hook.reset(); }

}  // namespace tamga::hook
