#include "palette_keys.h"

#include "main_form.h"
#include "resource.h"

#include <utility>

namespace tamga {
namespace {

// Ctrl+Shift+F7 arms the palette and Ctrl+Shift+F8 switches keyboard
// changing: no system Win key, no language switching (Alt+Shift, Ctrl+Shift
// alone), no AltGr (Ctrl+Alt), and no everyday shortcut of editors or browsers.
constexpr UINT kModifiers = MOD_CONTROL | MOD_SHIFT;
constexpr UINT kArmingKey = VK_F7;
constexpr UINT kSwitchingKey = VK_F8;
constexpr const wchar_t* kArmingKeyName = L"Ctrl+Shift+F7";
constexpr const wchar_t* kSwitchingKeyName = L"Ctrl+Shift+F8";
constexpr int kArmingId = 1;
constexpr int kSwitchingId = 2;

constexpr UINT kMoved = WM_APP + 20;
constexpr UINT kType = WM_APP + 21;
constexpr UINT kEnded = WM_APP + 22;

constexpr ArmingKey kArming{kArmingKey, {.shift = true, .ctrl = true}};

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

PaletteKeys::PaletteKeys(TForm1& palette, const HookThread& thread)
    : palette_(palette),
      arming_key_(palette.hwnd(), kArmingId, kModifiers, kArmingKey),
      switching_key_(palette.hwnd(), kSwitchingId, kModifiers, kSwitchingKey),
      hook_(thread, {palette.hwnd(), kMoved, kType, kEnded}, kArming) {}

std::vector<std::wstring> PaletteKeys::taken_keys() const {
    std::vector<std::wstring> taken;
    if (!arming_key_.registered())
        taken.push_back(std::wstring(kArmingKeyName) +
                        L" is taken by another program. To pick a letter with the keys, bring the palette to the "
                        L"front (K\u00F6rsiti\u015F) and use the arrows and Enter.");
    if (!switching_key_.registered())
        taken.push_back(std::wstring(kSwitchingKeyName) +
                        L" is taken by another program. Switch keyboard changing from the menu.");
    return taken;
}

bool PaletteKeys::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_HOTKEY:
            if (wparam == kArmingId) arm();
            if (wparam == kSwitchingId) palette_.command(ID_TILTAXTINIOZGERTISH1);
            return true;
        case kMoved:
            if (hook_armed_) select(static_cast<int>(wparam));
            return true;
        case kType:
            last_picked_ = static_cast<int>(wparam);
            palette_.type_letter(last_picked_);
            ended();
            return true;
        case kEnded:
            ended();
            return true;
        case WM_ACTIVATE:
            // In front, the selection shows from the first key on, as the
            // system's focus marks do.
            if (LOWORD(wparam) == WA_INACTIVE && in_front_) ended();
            return false;  // activation goes on as usual
        case WM_KEYDOWN:
        case WM_KEYUP:
            key_in_front(wparam, lparam, message == WM_KEYDOWN);
            return true;
    }
    return false;
}

// Pressed again, the arming key ends the picking: the hook holds it back
// then, so it arrives here only with no picking under way or with the
// palette itself in front.
void PaletteKeys::arm() {
    if (in_front_) {
        const bool was_armed = in_front_->armed();
        ended();
        if (!was_armed) start_in_front();
        return;
    }
    if (hook_armed_) {
        end();
        return;
    }
    hook_armed_ = true;
    armed_foreground_ = GetForegroundWindow();
    if (!IsWindowVisible(palette_.hwnd())) {
        palette_.tray_icon().ShowMainWindowInactive();
        shown_for_picking_ = true;
    }
    select(last_picked_);
    hook_.arm(last_picked_);
}

void PaletteKeys::start_in_front() {
    in_front_.emplace(last_picked_, kArming, KeySet{});
    select(last_picked_);
}

void PaletteKeys::key_in_front(WPARAM key, LPARAM flags, bool down) {
    if (hook_armed_) return;
    const bool repeat = (flags & (1 << 30)) != 0;
    if (down && !repeat && (!in_front_ || !in_front_->armed())) start_in_front();
    if (!in_front_ || key >= hook::vk::count) return;
    const PickingDecision decision = in_front_->decide(
        {static_cast<std::uint32_t>(key), down,
         {held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU), held(VK_LWIN) || held(VK_RWIN)}});
    switch (decision.effect) {
        case PickingEffect::None: break;
        case PickingEffect::Moved: select(decision.position); break;
        case PickingEffect::Type:
            last_picked_ = decision.position;
            select(0);
            // The letter goes to the window typed in last, which gets the
            // foreground back with it.
            palette_.type_letter(last_picked_);
            break;
        case PickingEffect::Ended: select(0); break;
    }
}

void PaletteKeys::clicked(int position) {
    last_picked_ = position;
    end();
}

void PaletteKeys::end() {
    if (hook_armed_) hook_.end();
    ended();
}

void PaletteKeys::tick() {
    if (hook_armed_ && GetForegroundWindow() != armed_foreground_) end();
}

void PaletteKeys::ended() {
    select(0);
    in_front_.reset();
    hook_armed_ = false;
    if (std::exchange(shown_for_picking_, false)) palette_.tray_icon().HideMainWindow();
}

void PaletteKeys::select(int position) {
    if (selected_ == position) return;
    if (selected_) palette_.shown_button(selected_).set_selected(false);
    selected_ = position;
    if (selected_) palette_.shown_button(selected_).set_selected(true);
}

}  // namespace tamga
