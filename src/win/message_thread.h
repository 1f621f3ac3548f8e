#pragma once
// A thread that does nothing but read its message queue: what the system
// sends through it (a hook's calls, a window's messages) is answered at once,
// whatever the program's other threads are doing.
#include "handles.h"

#include <functional>

namespace tamga {

class MessageThread {
public:
    // Starts the thread; its start-up goes on beside the caller's work.
    explicit MessageThread(int priority = THREAD_PRIORITY_NORMAL);
    // Ends the thread once the work under way is done.
    ~MessageThread();
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;

    // Runs `work` on the thread and returns once it is done, the thread's
    // start-up first. Without a thread (the system could not start one) it
    // runs on the caller's.
    void call(const std::function<void()>& work) const;

    // What the thread is given at its start.
    struct Start {
        HANDLE ready;
        HANDLE done;
    };

private:
    UniqueKernelHandle thread_;
    UniqueKernelHandle ready_;  // set once the thread reads its queue
    UniqueKernelHandle done_;
    Start start_{};
    DWORD id_ = 0;
};

}  // namespace tamga
