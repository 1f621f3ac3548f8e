#include "clipboard_letter.h"

#include <cstring>
#include <string>

namespace tamga {
namespace {

HGLOBAL global_copy(const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    return memory;
}

// Sets one format; the clipboard owns the memory only when the call succeeds.
bool set_format(UINT format, const void* data, std::size_t size) {
    HGLOBAL memory = global_copy(data, size);
    if (memory && SetClipboardData(format, memory)) return true;
    if (memory) GlobalFree(memory);
    return false;
}

bool open_with_retries(HWND owner) {
    constexpr int kAttempts = 20;  // about 200 ms in all
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

PrivacyFormats register_privacy_formats() {
    return {RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
            RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
            RegisterClipboardFormatW(L"CanUploadToCloudClipboard")};
}

bool put_on_clipboard(HWND owner, std::wstring_view text, const PrivacyFormats& privacy) {
    if (!open_with_retries(owner)) return false;
    std::wstring terminated(text);
    bool ok = EmptyClipboard() &&
              set_format(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t));
    if (ok) {
        const DWORD no = 0;
        set_format(privacy.exclude_from_monitors, &no, sizeof no);
        set_format(privacy.exclude_from_history, &no, sizeof no);
        set_format(privacy.exclude_from_cloud, &no, sizeof no);
    }
    CloseClipboard();
    return ok;
}

}  // namespace tamga
