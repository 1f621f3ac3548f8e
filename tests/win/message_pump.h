#pragma once
// Running the test thread's messages: until a condition holds (with a
// deadline), or for a while.
#include <windows.h>

#include <chrono>

namespace tamga::testing {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline void dispatch_pending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// False when the deadline passes first.
template <class Condition>
bool pump_until(Condition done, Clock::duration limit = 10s) {
    const auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        dispatch_pending();
    }
    return true;
}

inline void pump_for(Clock::duration span) {
    const auto end = Clock::now() + span;
    pump_until([&] { return Clock::now() >= end; }, span + 1s);
}

}  // namespace tamga::testing
