#include "message_thread.h"

namespace tamga {
namespace {

constexpr UINT kCall = WM_APP + 1;

struct Start {
    HANDLE ready;
    HANDLE done;
};

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

MessageThread::MessageThread(int priority) : done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    const UniqueKernelHandle ready(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    Start start{ready.get(), done_.get()};
    thread_.reset(CreateThread(nullptr, 0, &thread_main, &start, 0, &id_));
    if (!thread_) return;
    SetThreadPriority(thread_.get(), priority);
    WaitForSingleObject(ready.get(), INFINITE);
}

MessageThread::~MessageThread() {
    if (!thread_) return;
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
}

void MessageThread::call(const std::function<void()>& work) const {
    if (!thread_ || !PostThreadMessageW(id_, kCall, 0, reinterpret_cast<LPARAM>(&work))) {
        work();
        return;
    }
    WaitForSingleObject(done_.get(), INFINITE);
}

}  // namespace tamga
