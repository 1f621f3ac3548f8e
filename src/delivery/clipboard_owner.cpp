#include "clipboard_owner.h"

#include "clipboard_letter.h"

namespace tamga {
namespace {

constexpr UINT kPut = WM_APP + 1;
constexpr UINT kEnd = WM_APP + 2;

LRESULT CALLBACK owner_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kPut:
            return put_on_clipboard(window, *reinterpret_cast<const std::wstring_view*>(lparam));
        case kEnd:
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

struct Start {
    HANDLE ready;
    HWND window = nullptr;
};

DWORD WINAPI thread_main(void* parameter) {
    auto& start = *static_cast<Start*>(parameter);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const wchar_t* const class_name = L"TamgaClipboardOwner";
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = &owner_procedure;
    wc.hInstance = instance;
    wc.lpszClassName = class_name;
    RegisterClassExW(&wc);  // fails harmlessly once registered
    HWND window = CreateWindowExW(0, class_name, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    start.window = window;
    SetEvent(start.ready);
    if (!window) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace

ClipboardOwner::ClipboardOwner() {
    const UniqueKernelHandle ready(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    Start start{ready.get()};
    thread_.reset(CreateThread(nullptr, 0, &thread_main, &start, 0, nullptr));
    if (!thread_) return;
    WaitForSingleObject(ready.get(), INFINITE);
    window_ = start.window;
}

ClipboardOwner::~ClipboardOwner() {
    if (!thread_) return;
    if (window_) PostMessageW(window_, kEnd, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
}

bool ClipboardOwner::put(std::wstring_view text) const {
    return window_ && SendMessageW(window_, kPut, 0, reinterpret_cast<LPARAM>(&text)) != 0;
}

}  // namespace tamga
