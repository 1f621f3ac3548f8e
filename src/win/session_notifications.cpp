#include "session_notifications.h"

#include <wtsapi32.h>

namespace tamga {
namespace {

// Loaded from the system folder only: a library beside a downloaded program
// must never be taken for it.
HMODULE load_session_library() {
    return LoadLibraryExW(L"wtsapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <class Function>
Function entry(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

SessionNotifications::SessionNotifications(HWND window) : window_(window), library_(load_session_library()) {
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    if (auto register_window = entry<Register>(library_.get(), "WTSRegisterSessionNotification"))
        registered_ = register_window(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

SessionNotifications::~SessionNotifications() {
    using Unregister = BOOL(WINAPI*)(HWND);
    if (!registered_) return;
    if (auto unregister = entry<Unregister>(library_.get(), "WTSUnRegisterSessionNotification")) unregister(window_);
}

bool SessionNotifications::session_left(WPARAM change) {
    return change == WTS_SESSION_LOCK || change == WTS_CONSOLE_DISCONNECT || change == WTS_REMOTE_DISCONNECT;
}

bool SessionNotifications::session_returned(WPARAM change) {
    return change == WTS_SESSION_UNLOCK || change == WTS_CONSOLE_CONNECT || change == WTS_REMOTE_CONNECT;
}

}  // namespace tamga
