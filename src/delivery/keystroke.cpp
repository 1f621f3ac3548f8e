#include "keystroke.h"

#include "delivery_route.h"
#include "own_input_tag.h"

#include <string>
#include <vector>

namespace tamga {
namespace {

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    if (window) GetClassNameW(window, name, 256);
    return name;
}

}  // namespace

bool keys_only_window(HWND target) {
    if (!target) return false;
    return takes_text_only_as_keys(class_of(target)) || takes_text_only_as_keys(class_of(GetAncestor(target, GA_ROOT)));
}

bool in_front_with_focus(HWND target) {
    HWND top = target ? GetAncestor(target, GA_ROOT) : nullptr;
    if (!top || GetForegroundWindow() != top) return false;
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) && info.hwndFocus == target;
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
