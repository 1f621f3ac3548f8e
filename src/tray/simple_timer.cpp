#include "simple_timer.h"

#include "shared_instance.h"

namespace tamga {

TSimpleTimerHandler::TSimpleTimerHandler() {
    // Top-level and never shown; its only business is WM_TIMER.
    create({.class_name = L"TamgalikTimerHandler", .style = WS_POPUP});
}

LRESULT TSimpleTimerHandler::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER) {
        if (const auto live = timers_.find(reinterpret_cast<TSimpleTimer*>(wparam)); live != timers_.end())
            (*live)->tick();
        return 0;
    }
    return default_handling(message, wparam, lparam);
}

TSimpleTimer::TSimpleTimer(UINT interval, TimerEvent handler)
    : handler_(shared_instance<TSimpleTimerHandler>()), interval_(interval) {
    SetOnTimer(std::move(handler));
    handler_->timers_.insert(this);
}

TSimpleTimer::~TSimpleTimer() {
    if (active_) Stop(true);
    handler_->timers_.erase(this);
}

void TSimpleTimer::SetActive(bool active) {
    if (active)
        Start();
    else
        Stop(true);
}

void TSimpleTimer::SetInterval(UINT interval) {
    if (interval == interval_) return;
    interval_ = interval;
    if (!active_) return;
    if (interval_ != 0)
        Start();
    else
        Stop(false);
}

void TSimpleTimer::SetOnTimer(TimerEvent handler) {
    on_timer_ = std::move(handler);
    if (!on_timer_ && active_) Stop(false);
}

bool TSimpleTimer::Start() {
    if (interval_ == 0) return false;
    if (active_) Stop(true);
    const bool started = SetTimer(handler_->hwnd(), id(), interval_, nullptr) != 0;
    if (started) active_ = true;
    return started;
}

bool TSimpleTimer::Stop(bool clear) {
    if (clear) active_ = false;
    return KillTimer(handler_->hwnd(), id()) != 0;
}

void TSimpleTimer::tick() {
    // A copy: the handler may replace itself or destroy this timer.
    if (TimerEvent handler = on_timer_) handler(*this);
}

}  // namespace tamga
