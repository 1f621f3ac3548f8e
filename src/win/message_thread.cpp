#include "message_thread.h"

namespace tamga {
namespace {

constexpr UINT kCall = WM_APP + 1;

DWORD WINAPI thread_main(void* parameter) {
    const auto [ready, done] = *static_cast<const MessageThread::Start*>(parameter);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists from here
    SetEvent(ready);
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

MessageThread::MessageThread(int priority)
    : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    // The events outlive the thread's use of them: the destructor waits for it.
    start_ = {ready_.get(), done_.get()};
    thread_.reset(CreateThread(nullptr, 0, &thread_main, &start_, 0, &id_));
    if (thread_) SetThreadPriority(thread_.get(), priority);
}

MessageThread::~MessageThread() {
    if (!thread_) return;
    WaitForSingleObject(ready_.get(), INFINITE);  // a message needs the queue
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
}

void MessageThread::call(const std::function<void()>& work) const {
    if (thread_) WaitForSingleObject(ready_.get(), INFINITE);
    if (!thread_ || !PostThreadMessageW(id_, kCall, 0, reinterpret_cast<LPARAM>(&work))) {
        work();
        return;
    }
    WaitForSingleObject(done_.get(), INFINITE);
}

}  // namespace tamga
