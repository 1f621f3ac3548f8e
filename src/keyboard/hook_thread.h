#pragma once
// The thread the keyboard hooks live on. The system calls a low-level hook
// through the message queue of the thread that installed it, so every key
// typed anywhere waits until that thread reads its queue. This thread does
// nothing but read it: a busy palette window (a click, a repaint, a display
// change) never delays a key, and the system never drops a hook for
// answering late.
#include "handles.h"

#include <functional>

namespace tamga {

class HookThread {
public:
    HookThread();
    // Ends the thread; the hooks it installed go with it.
    ~HookThread();
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

    // Runs `work` on the hook thread and returns once it is done. Hooks
    // installed there are called on that thread, which must be the one that
    // removes them.
    void call(const std::function<void()>& work) const;

    DWORD id() const { return id_; }

private:
    UniqueKernelHandle thread_;
    UniqueKernelHandle done_;
    DWORD id_ = 0;
};

}  // namespace tamga
