#pragma once
// Owners of the hook library's Win32 resources.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace tamga::hook {

struct Unhook {
    void operator()(HHOOK hook) const noexcept { UnhookWindowsHookEx(hook); }
};
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, Unhook>;

// A timer of the calling thread; its message loop runs the tick.
class ThreadTimer {
public:
    ThreadTimer(UINT period_ms, TIMERPROC tick) : id_(SetTimer(nullptr, 0, period_ms, tick)) {}
    ~ThreadTimer() {
        if (id_ != 0) KillTimer(nullptr, id_);
    }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

private:
    UINT_PTR id_;
};

}  // namespace tamga::hook
