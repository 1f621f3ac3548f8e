#include "hook_thread.h"

namespace tamga {
namespace {

constexpr UINT kCall = WM_APP + 1;

struct Start {
    HANDLE ready;
    HANDLE done;
};

// A bare message loop: the hooks' calls, their timers and the calls made on
// the thread's behalf, nothing else.
DWORD WINAPI thread_main(void* parameter) {
    const HANDLE done = static_cast<Start*>(parameter)->done;
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists from here
    SetEvent(static_cast<Start*>(parameter)->ready);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == kCall) {
            (*reinterpret_cast<const std::function<void()>*>(msg.lParam))();
            SetEvent(done);
            continue;
        }
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

HookThread::HookThread() : done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    const UniqueKernelHandle ready(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    Start start{ready.get(), done_.get()};
    thread_.reset(CreateThread(nullptr, 0, &thread_main, &start, 0, &id_));
    if (!thread_) return;
    // Typing must not wait behind the program's other work.
    SetThreadPriority(thread_.get(), THREAD_PRIORITY_HIGHEST);
    WaitForSingleObject(ready.get(), INFINITE);
}

HookThread::~HookThread() {
    if (!thread_) return;
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
}

void HookThread::call(const std::function<void()>& work) const {
    // Without a thread of their own, the hooks live on the caller's.
    if (!thread_ || !PostThreadMessageW(id_, kCall, 0, reinterpret_cast<LPARAM>(&work))) {
        work();
        return;
    }
    WaitForSingleObject(done_.get(), INFINITE);
}

}  // namespace tamga
