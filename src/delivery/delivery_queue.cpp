#include "delivery_queue.h"

#include "target_window.h"

namespace tamga {
namespace {

constexpr UINT kLetterStarted = WM_APP + 1;
constexpr UINT kLetterFinished = WM_APP + 2;
constexpr UINT kHandBack = WM_APP + 3;
constexpr UINT kTargetSeen = WM_APP + 4;
// A sent message gives up on its own after the answer time; this covers an
// automation call, which has no bound of its own.
constexpr UINT kGiveUpMs = kAnswerTimeoutMs + 200;

}  // namespace

DeliveryQueue::DeliveryQueue() : give_up_timer_(kGiveUpMs, [this](TSimpleTimer&) { give_up(); }) {
    create({.class_name = L"TamgaDeliveryQueue", .parent = HWND_MESSAGE});
}

DeliveryQueue::~DeliveryQueue() = default;

bool DeliveryQueue::thread_running() {
    if (!thread_ || !thread_->running())
        thread_ = std::make_unique<DeliveryThread>(DeliveryMessages{hwnd(), GetCurrentThreadId(), kLetterStarted, kLetterFinished, kHandBack, kTargetSeen});
    return thread_->running();
}

void DeliveryQueue::expect(HWND target) {
    if (thread_running()) thread_->expect(target);
}

void DeliveryQueue::deliver(std::uint32_t letter, HWND target, bool clipboard_mode) {
    if (!thread_running()) {
        MessageBeep(MB_ICONWARNING);  // no thread could be started: nothing is delivered
        return;
    }
    thread_->deliver(++last_number_, {letter, target, clipboard_mode});
}

void DeliveryQueue::give_up() {
    give_up_timer_.SetActive(false);
    MessageBeep(MB_ICONWARNING);
    thread_.reset();
}

LRESULT DeliveryQueue::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kLetterStarted:
            under_way_ = wparam;
            give_up_timer_.SetActive(true);
            return 0;
        case kLetterFinished:
            if (wparam == under_way_) give_up_timer_.SetActive(false);
            if (thread_)
                if (const auto error = thread_->take_automation_error(wparam)) FireAutomationError(*error);
            return 0;
        case kTargetSeen:
            FireTargetSeen(reinterpret_cast<HWND>(lparam));
            return 0;
        case kHandBack:
            if (wparam)
                give_foreground(reinterpret_cast<HWND>(lparam));
            else
                return_foreground(reinterpret_cast<HWND>(lparam));
            return 0;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
