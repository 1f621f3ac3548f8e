#include "delivery_thread.h"

#include "clipboard_owner.h"
#include "com_apartment.h"
#include "delivery_route.h"
#include "handles.h"
#include "keystroke.h"
#include "target_window.h"
#include "word_automation.h"

#include <deque>
#include <map>
#include <mutex>
#include <utility>

namespace tamga {

// The system's own lock and wake-up: under wine they wake a waiting thread
// without a round trip through its server, which the threading library's
// semaphores take; a letter reaches the thread a quarter of a millisecond
// sooner.
class SystemLock {
public:
    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }
    SRWLOCK* native() { return &lock_; }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class SystemWake {
public:
    template <class Ready>
    void wait(std::unique_lock<SystemLock>& lock, Ready ready) {
        while (!ready()) SleepConditionVariableSRW(&wake_, lock.mutex()->native(), INFINITE, 0);
    }
    void notify_one() { WakeConditionVariable(&wake_); }

private:
    CONDITION_VARIABLE wake_ = CONDITION_VARIABLE_INIT;
};

// Shared by the palette and the thread: the thread keeps it alive through a
// call it was abandoned in.
struct DeliveryLine {
    explicit DeliveryLine(const DeliveryMessages& messages) : messages(messages) {}

    const DeliveryMessages messages;
    SystemLock mutex;
    SystemWake wake;
    std::deque<std::pair<std::uint64_t, Letter>> waiting;
    std::map<std::uint64_t, std::wstring> automation_errors;
    HWND upcoming = nullptr;  // the palette's next target, to be asked what it is
    bool closed = false;
};

namespace {

void warn() { MessageBeep(MB_ICONWARNING); }

class Deliverer {
public:
    explicit Deliverer(DeliveryLine& line) : line_(line) {}

    // Ends when the palette lets go of the line.
    void run() {
        while (const auto next = take()) {
            post(line_.messages.started, next->first);
            deliver(next->first, next->second);
            post(line_.messages.finished, next->first);
        }
    }

private:
    std::optional<std::pair<std::uint64_t, Letter>> take() {
        std::unique_lock lock(line_.mutex);
        for (;;) {
            line_.wake.wait(lock, [this] { return line_.closed || !line_.waiting.empty() || line_.upcoming; });
            if (line_.closed) return std::nullopt;
            if (!line_.waiting.empty()) break;
            // Nothing to deliver yet: what the next target is, asked before its first letter.
            const HWND upcoming = std::exchange(line_.upcoming, nullptr);
            lock.unlock();
            kind_of(upcoming);
            lock.lock();
        }
        auto next = line_.waiting.front();
        line_.waiting.pop_front();
        return next;
    }

    // What a window is does not change while it lives: asked once per target.
    TargetKind kind_of(HWND target) {
        if (known_.first != target || !IsWindow(target)) known_ = {target, target_kind(target)};
        return known_.second;
    }

    void post(UINT message, std::uint64_t number) {
        std::lock_guard lock(line_.mutex);
        if (!line_.closed) PostMessageW(line_.messages.window, message, static_cast<WPARAM>(number), 0);
    }

    void hand_back(HWND target, bool whoever_has_it) {
        {
            std::lock_guard lock(line_.mutex);
            if (line_.closed) return;
        }
        SendMessageW(line_.messages.window, line_.messages.hand_back, whoever_has_it, reinterpret_cast<LPARAM>(target));
    }

    // The target does not answer: the letters behind would wait on it too.
    void drop_waiting() {
        std::lock_guard lock(line_.mutex);
        line_.waiting.clear();
    }

    // Where the letter goes: the window focused in another program in
    // front, which then holds the keyboard, or else the one remembered. The
    // palette hands its letter over before looking.
    struct Destination {
        HWND target;
        bool holds_keyboard;
    };
    Destination destination(HWND remembered) {
        const auto focused = focused_window_of_foreground(line_.messages.palette_thread, remembered);
        if (!focused) return {remembered, false};
        if (*focused != remembered) {
            std::lock_guard lock(line_.mutex);
            if (!line_.closed)
                PostMessageW(line_.messages.window, line_.messages.target_seen, 0, reinterpret_cast<LPARAM>(*focused));
        }
        return {*focused, true};
    }

    void deliver(std::uint64_t number, Letter letter) {
        const Destination destination = this->destination(letter.target);
        letter.target = destination.target;
        const std::wstring text(1, static_cast<wchar_t>(letter.code));
        const DeliveryRoute route = delivery_route(letter.clipboard_mode, kind_of(letter.target));
        if (route == DeliveryRoute::Keystroke) {
            type_into(letter.target, destination.holds_keyboard, text);
            // The clipboard holds the letter too, set after the key press so
            // the letter arrives at once.
            if (letter.clipboard_mode && !clipboard_holds(text)) warn();
            return;
        }
        if (letter.clipboard_mode && !clipboard_holds(text)) {
            // Pasting now would paste whatever another program left there.
            warn();
            hand_back(letter.target, false);
            return;
        }
        switch (route) {
            case DeliveryRoute::Paste:
            case DeliveryRoute::Character:
                if (!send_to_target(letter.target, route == DeliveryRoute::Paste ? WM_PASTE : WM_UNICHAR,
                                    route == DeliveryRoute::Paste ? 0 : letter.code)) {
                    warn();
                    drop_waiting();
                }
                hand_back(letter.target, false);
                break;
            case DeliveryRoute::WordPaste:
            case DeliveryRoute::WordTypeText: {
                const AutomationOutcome outcome =
                    deliver_to_word(route == DeliveryRoute::WordPaste ? WordCall::Paste : WordCall::TypeText, text);
                if (outcome.kind == AutomationOutcome::Kind::Delivered) {
                    hand_back(letter.target, false);
                } else if (outcome.kind == AutomationOutcome::Kind::Failed) {
                    std::lock_guard lock(line_.mutex);
                    line_.automation_errors[number] = outcome.error;
                }
                break;
            }
            case DeliveryRoute::Keystroke: break;
        }
    }

    // A key press lands wherever the keyboard is: never sent unless the
    // target itself has it.
    void type_into(HWND target, bool holds_keyboard, std::wstring_view text) {
        if (!holds_keyboard) {
            hand_back(target, true);
            if (!wait_until_holding_keyboard(target)) {
                warn();
                return;
            }
        }
        if (!type_as_key_press(text)) warn();
    }

    // The clipboard's owner is made with the first letter that needs it: a
    // palette used without clipboard mode never starts its thread.
    bool clipboard_holds(std::wstring_view text) {
        if (!clipboard_) clipboard_.emplace();
        return clipboard_->put(text);
    }

    DeliveryLine& line_;
    std::optional<ClipboardOwner> clipboard_;
    std::pair<HWND, TargetKind> known_{nullptr, TargetKind::Missing};
};

DWORD WINAPI thread_main(void* parameter) {
    const std::unique_ptr<std::shared_ptr<DeliveryLine>> line(static_cast<std::shared_ptr<DeliveryLine>*>(parameter));
    const ComApartment apartment(COINIT_MULTITHREADED);  // for the word processor; needs no message loop
    Deliverer(**line).run();
    return 0;
}

}  // namespace

DeliveryThread::DeliveryThread(const DeliveryMessages& messages) : line_(std::make_shared<DeliveryLine>(messages)) {
    auto parameter = std::make_unique<std::shared_ptr<DeliveryLine>>(line_);
    const UniqueKernelHandle thread(CreateThread(nullptr, 0, &thread_main, parameter.get(), 0, nullptr));
    if (thread)
        (void)parameter.release();  // the thread's own now
    else
        line_.reset();
}

DeliveryThread::~DeliveryThread() {
    if (!line_) return;
    {
        std::lock_guard lock(line_->mutex);
        line_->closed = true;
        line_->waiting.clear();
    }
    line_->wake.notify_one();
}

bool DeliveryThread::running() const { return line_ != nullptr; }

void DeliveryThread::deliver(std::uint64_t number, const Letter& letter) {
    {
        std::lock_guard lock(line_->mutex);
        line_->waiting.emplace_back(number, letter);
    }
    line_->wake.notify_one();
}

void DeliveryThread::expect(HWND target) {
    {
        std::lock_guard lock(line_->mutex);
        line_->upcoming = target;
    }
    line_->wake.notify_one();
}

std::optional<std::wstring> DeliveryThread::take_automation_error(std::uint64_t number) {
    std::lock_guard lock(line_->mutex);
    const auto found = line_->automation_errors.find(number);
    if (found == line_->automation_errors.end()) return std::nullopt;
    std::wstring error = std::move(found->second);
    line_->automation_errors.erase(found);
    return error;
}

}  // namespace tamga
