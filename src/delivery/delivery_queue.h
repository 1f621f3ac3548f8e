#pragma once
// Delivers clicked letters one at a time, in click order, without ever
// making the palette wait on another program: each delivery's waiting
// (a sent message, an automation call, the target's return to the front)
// runs beside the message loop, and clicks arriving meanwhile queue behind it.
#include "delivery_route.h"
#include "window.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace tamga {

struct BlockingDelivery;

class DeliveryQueue : public Window {
public:
    DeliveryQueue();
    ~DeliveryQueue() override;

    // The route is chosen now, from the target's windows and the mode; the
    // clipboard is set when the letter's turn comes, so a delivery still
    // under way never pastes a later letter.
    void deliver(std::uint32_t letter, HWND target, bool clipboard_mode);

    // An error the word processor raised; the letter is not delivered.
    std::function<void(std::wstring_view)> OnAutomationError;

protected:
    virtual void FireAutomationError(std::wstring_view text) {
        if (OnAutomationError) OnAutomationError(text);
    }

private:
    struct Letter {
        std::uint32_t code;
        HWND target;
        bool clipboard_mode;
        DeliveryRoute route;
    };

    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    void start_next();
    void begin();
    void begin_blocking();
    void on_blocking_done(WPARAM id);
    void on_foreground_wait();
    void give_up();
    void finish();

    std::deque<Letter> waiting_;
    std::optional<Letter> current_;
    std::shared_ptr<BlockingDelivery> blocking_;
    WPARAM blocking_id_ = 0;
    DWORD foreground_asked_at_ = 0;
};

}  // namespace tamga
