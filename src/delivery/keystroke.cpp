#include "keystroke.h"

#include "own_input_tag.h"

#include <vector>

namespace tamga {

namespace {

// Whether the target's program is in front with the target itself focused:
// only then does a key press land in the target.
bool in_front_with_focus(HWND target) {
    HWND top = target ? GetAncestor(target, GA_ROOT) : nullptr;
    if (!top || GetForegroundWindow() != top) return false;
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) && info.hwndFocus == target;
}

}  // namespace

bool wait_until_holding_keyboard(HWND target) {
    constexpr DWORD kWaitMs = 500;
    constexpr DWORD kLookEveryMs = 5;
    const DWORD asked = GetTickCount();
    for (int holding = 0; IsWindow(target);) {
        holding = in_front_with_focus(target) ? holding + 1 : 0;
        if (holding == 2) return true;
        if (GetTickCount() - asked > kWaitMs) break;
        Sleep(kLookEveryMs);
    }
    return false;
}

bool type_as_key_press(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : text)
        for (DWORD release : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | release;
            input.ki.dwExtraInfo = own_input_tag;
            inputs.push_back(input);
        }
    const auto count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace tamga
