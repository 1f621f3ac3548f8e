#include "clipboard_owner.h"

namespace tamga {

ClipboardOwner::ClipboardOwner() {
    thread_.call([this] {
        window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    });
}

ClipboardOwner::~ClipboardOwner() {
    thread_.call([this] {
        if (window_) DestroyWindow(window_);
    });
}

bool ClipboardOwner::put(std::wstring_view text) const {
    bool put = false;
    thread_.call([&] { put = window_ && put_on_clipboard(window_, text, privacy_); });
    return put;
}

}  // namespace tamga
