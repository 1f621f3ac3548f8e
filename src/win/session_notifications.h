#pragma once
// Asks the system to tell a window when the user's session is locked,
// unlocked or switched to (WM_WTSSESSION_CHANGE), for the window's lifetime.
#include "handles.h"

namespace tamga {

class SessionNotifications {
public:
    explicit SessionNotifications(HWND window);
    ~SessionNotifications();
    SessionNotifications(const SessionNotifications&) = delete;
    SessionNotifications& operator=(const SessionNotifications&) = delete;

    // The session is the user's again after a lock, a switch of users or a
    // remote connection.
    static bool session_returned(WPARAM change);
    // The user left the session: locked it, switched away or disconnected.
    static bool session_left(WPARAM change);

private:
    HWND window_;
    UniqueLibrary library_;
    bool registered_ = false;
};

}  // namespace tamga
