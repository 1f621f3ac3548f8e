#pragma once
// The thread the keyboard hooks live on. The system calls a low-level hook
// through the message queue of the thread that installed it, so every key
// typed anywhere waits until that thread reads its queue. This thread does
// nothing but read it: a busy palette window (a click, a repaint, a display
// change) never delays a key, and the system never drops a hook for
// answering late. Hooks installed through `call` are called on it and must be
// removed through it; ending the thread removes them.
#include "message_thread.h"

namespace tamga {

class HookThread : public MessageThread {
public:
    // Typing must not wait behind the program's other work.
    HookThread() : MessageThread(THREAD_PRIORITY_HIGHEST) {}
};

}  // namespace tamga
