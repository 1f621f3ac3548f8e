#include "delivery_queue.h"

#include "blocking_delivery.h"
#include "clipboard_letter.h"
#include "keystroke.h"
#include "target_window.h"

#include <string>

namespace tamga {
namespace {

constexpr UINT kBlockingDone = WM_APP + 1;
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT_PTR kForegroundTimer = 2;
// A blocking call's own wait is bounded by the answer time; this covers the
// thread's start and the automation object's lookup as well.
constexpr UINT kGiveUpMs = kAnswerTimeoutMs + 200;
// How long the target's program may take to come back to the front.
constexpr DWORD kForegroundWaitMs = 500;
constexpr UINT kForegroundPollMs = 10;

std::wstring text_of(std::uint32_t letter) { return std::wstring(1, static_cast<wchar_t>(letter)); }

void warn() { MessageBeep(MB_ICONWARNING); }

}  // namespace

DeliveryQueue::DeliveryQueue() {
    create({.class_name = L"TamgaDeliveryQueue", .parent = HWND_MESSAGE});
}

DeliveryQueue::~DeliveryQueue() = default;

void DeliveryQueue::deliver(std::uint32_t letter, HWND target, bool clipboard_mode) {
    const DeliveryRoute route = delivery_route(clipboard_mode, is_word_processor_document(target), keys_only_window(target));
    waiting_.push_back({letter, target, clipboard_mode, route});
    start_next();
}

// Letters whose delivery ends at once (a busy clipboard, a gone target) let
// the next one start in the same turn.
void DeliveryQueue::start_next() {
    while (!current_ && !waiting_.empty()) {
        current_ = waiting_.front();
        waiting_.pop_front();
        begin();
    }
}

void DeliveryQueue::begin() {
    const Letter& letter = *current_;
    if (letter.clipboard_mode && !put_on_clipboard(hwnd(), text_of(letter.code))) {
        // Pasting now would paste whatever another program left there.
        warn();
        return_foreground(letter.target);
        finish();
        return;
    }
    if (letter.route != DeliveryRoute::Keystroke) {
        begin_blocking();
        return;
    }
    // A key press goes wherever the keyboard is: never type unless the
    // target itself has it.
    if (!IsWindow(letter.target)) {
        warn();
        finish();
        return;
    }
    return_foreground(letter.target);
    foreground_asked_at_ = GetTickCount();
    SetTimer(hwnd(), kForegroundTimer, kForegroundPollMs, nullptr);
    on_foreground_wait();
}

void DeliveryQueue::begin_blocking() {
    const Letter& letter = *current_;
    blocking_ = std::make_shared<BlockingDelivery>();
    blocking_->route = letter.route;
    blocking_->target = letter.target;
    blocking_->letter = letter.code;
    blocking_->notify = hwnd();
    blocking_->done_message = kBlockingDone;
    blocking_->id = ++blocking_id_;
    if (!start_blocking_delivery(blocking_)) {
        warn();
        finish();
        return;
    }
    SetTimer(hwnd(), kGiveUpTimer, kGiveUpMs, nullptr);
}

void DeliveryQueue::on_blocking_done(WPARAM id) {
    // A call given up on may still come back: it is no longer ours.
    if (!blocking_ || id != blocking_id_ || !blocking_->finished.load(std::memory_order_acquire)) return;
    const std::shared_ptr<BlockingDelivery> done = blocking_;
    const HWND target = current_->target;
    finish();
    if (done->route == DeliveryRoute::Paste || done->route == DeliveryRoute::Character) {
        if (!done->answered) {
            // The target does not answer; the letters behind would wait on it too.
            warn();
            waiting_.clear();
        }
        return_foreground(target);
    } else {
        switch (done->word.kind) {
            case AutomationOutcome::Kind::Delivered: return_foreground(target); break;
            case AutomationOutcome::Kind::NotRunning: break;
            case AutomationOutcome::Kind::Failed: FireAutomationError(done->word.error); break;
        }
    }
    start_next();
}

void DeliveryQueue::on_foreground_wait() {
    if (!current_ || current_->route != DeliveryRoute::Keystroke) return;
    const Letter letter = *current_;
    if (!IsWindow(letter.target)) {
        warn();
    } else if (in_front_with_focus(letter.target)) {
        if (!type_as_key_press(text_of(letter.code))) warn();
    } else if (GetTickCount() - foreground_asked_at_ < kForegroundWaitMs) {
        return;  // not yet
    } else {
        warn();  // another window has the keyboard: typing now would put the letter there
    }
    finish();
    start_next();
}

// The word processor hangs in its call (or a send outlasted its own bound):
// the thread is left to it, and the letters behind are dropped rather than
// sent to the same hung program.
void DeliveryQueue::give_up() {
    if (!blocking_) return;
    warn();
    waiting_.clear();
    finish();
}

void DeliveryQueue::finish() {
    KillTimer(hwnd(), kGiveUpTimer);
    KillTimer(hwnd(), kForegroundTimer);
    blocking_.reset();
    current_.reset();
}

LRESULT DeliveryQueue::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kBlockingDone:
            on_blocking_done(wparam);
            return 0;
        case WM_TIMER:
            if (wparam == kGiveUpTimer) give_up();
            if (wparam == kForegroundTimer) on_foreground_wait();
            return 0;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
