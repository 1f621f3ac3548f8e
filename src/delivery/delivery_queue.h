#pragma once
// Hands clicked letters to the delivery thread and watches over it: a
// delivery that outlasts the time another program may take to answer (a
// word processor stuck in its call) is given up on with a warning beep, and
// the letters behind it are dropped rather than sent to the same program.
#include "delivery_thread.h"
#include "simple_timer.h"
#include "window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace tamga {

class DeliveryQueue : public Window {
public:
    DeliveryQueue();
    ~DeliveryQueue() override;

    // The route is chosen when the letter's turn comes, from what the target
    // is then; the clipboard is set then too, so a delivery still under way
    // never pastes a later letter. `target` is the one remembered: a window
    // focused in another program in front then takes its place.
    void deliver(std::uint32_t letter, HWND target, bool clipboard_mode);

    // Letters are likely to go to `target` next.
    void expect(HWND target);

    // An error the word processor raised; the letter is not delivered.
    std::function<void(std::wstring_view)> OnAutomationError;
    // A letter found a new target focused in front.
    std::function<void(HWND)> OnTargetSeen;

protected:
    virtual void FireTargetSeen(HWND target) {
        if (OnTargetSeen) OnTargetSeen(target);
    }
    virtual void FireAutomationError(std::wstring_view text) {
        if (OnAutomationError) OnAutomationError(text);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    void give_up();
    // Started with the first letter or target; after giving up, anew.
    bool thread_running();

    std::unique_ptr<DeliveryThread> thread_;
    // Letters are numbered across threads, so a late word from a thread
    // given up on is never taken for its successor's.
    std::uint64_t last_number_ = 0;
    std::uint64_t under_way_ = 0;
    TSimpleTimer give_up_timer_;
};

}  // namespace tamga
