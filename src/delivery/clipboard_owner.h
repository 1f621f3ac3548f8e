#pragma once
// The owner of the letters the program puts on the clipboard: a hidden window
// on a thread of its own. Emptying the clipboard tells its owner and waits for
// the answer; this thread has nothing else to do, so neither the delivery
// that sets a letter nor another program that copies waits behind the
// palette's window or behind a delivery stuck in a call.
#include "clipboard_letter.h"
#include "message_thread.h"

#include <string_view>

namespace tamga {

class ClipboardOwner {
public:
    ClipboardOwner();
    ~ClipboardOwner();
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    // As put_on_clipboard; false too when the owner could not be made.
    bool put(std::wstring_view text) const;

private:
    const PrivacyFormats privacy_ = register_privacy_formats();
    MessageThread thread_;
    HWND window_ = nullptr;  // made and destroyed on the thread
};

}  // namespace tamga
