#pragma once
// A periodic timer without a window of its own: all timers share one hidden
// window that receives their ticks. A timer's address is its system timer id.
#include "window.h"

#include <functional>
#include <memory>
#include <set>

namespace tamga {

class TSimpleTimer;

// The hidden window shared by all live timers; it exists from the first timer
// to the last (see `shared_instance`).
class TSimpleTimerHandler : public Window {
public:
    TSimpleTimerHandler();

private:
    friend class TSimpleTimer;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    // A tick still queued for a timer that is gone must not reach it.
    std::set<TSimpleTimer*> timers_;
};

class TSimpleTimer {
public:
    using TimerEvent = std::function<void(TSimpleTimer& sender)>;

    TSimpleTimer() : TSimpleTimer(1000, nullptr) {}
    TSimpleTimer(UINT interval, TimerEvent handler);
    ~TSimpleTimer();
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    bool Active() const { return active_; }
    void SetActive(bool active);
    UINT Interval() const { return interval_; }
    // While active, 0 stops the ticks but keeps the timer active, so that a
    // later non-zero interval resumes them.
    void SetInterval(UINT interval);
    const TimerEvent& OnTimer() const { return on_timer_; }
    // An empty handler stops the ticks of an active timer the same way.
    void SetOnTimer(TimerEvent handler);

    // (Re)starts the system timer: the next tick comes one full interval from now.
    bool Start();
    // Kills the system timer; `clear` also makes the timer inactive.
    bool Stop(bool clear);

private:
    friend class TSimpleTimerHandler;
    UINT_PTR id() const { return reinterpret_cast<UINT_PTR>(this); }
    void tick();

    std::shared_ptr<TSimpleTimerHandler> handler_;
    bool active_ = false;
    UINT interval_;
    TimerEvent on_timer_;
};

}  // namespace tamga
