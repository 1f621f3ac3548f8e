#pragma once
// The routes whose call waits on the other program (a sent message, an
// automation call) run on a thread of their own, so the palette goes on
// answering the user however long the other program takes.
#include "delivery_route.h"
#include "word_automation.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

namespace tamga {

// Shared by the caller and the thread: a call the caller has given up on
// may still return much later, and then touches nothing but this.
struct BlockingDelivery {
    DeliveryRoute route = DeliveryRoute::Paste;
    HWND target = nullptr;
    std::uint32_t letter = 0;
    // Posted with wparam `id` once the call has returned.
    HWND notify = nullptr;
    UINT done_message = 0;
    WPARAM id = 0;

    // Written by the thread before `finished` is set.
    bool answered = false;  // the message routes: the target answered in time or is gone
    AutomationOutcome word{AutomationOutcome::Kind::NotRunning, {}};
    std::atomic<bool> finished{false};
};

// False when no thread could be started: nothing was delivered.
bool start_blocking_delivery(std::shared_ptr<BlockingDelivery> delivery);

}  // namespace tamga
