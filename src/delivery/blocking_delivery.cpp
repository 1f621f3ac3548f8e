#include "blocking_delivery.h"

#include "com_apartment.h"
#include "handles.h"
#include "target_window.h"

#include <string>

namespace tamga {
namespace {

void run(BlockingDelivery& delivery) {
    const std::wstring text(1, static_cast<wchar_t>(delivery.letter));
    switch (delivery.route) {
        case DeliveryRoute::Paste:
            delivery.answered = send_to_target(delivery.target, WM_PASTE, 0);
            break;
        case DeliveryRoute::Character:
            delivery.answered = send_to_target(delivery.target, WM_UNICHAR, delivery.letter);
            break;
        case DeliveryRoute::WordPaste:
        case DeliveryRoute::WordTypeText: {
            // A multithreaded apartment needs no message loop on this thread.
            const ComApartment apartment(COINIT_MULTITHREADED);
            delivery.word =
                deliver_to_word(delivery.route == DeliveryRoute::WordPaste ? WordCall::Paste : WordCall::TypeText, text);
            break;
        }
        case DeliveryRoute::Keystroke:
            break;  // typed by the caller's thread
    }
}

DWORD WINAPI thread_main(void* parameter) {
    const std::unique_ptr<std::shared_ptr<BlockingDelivery>> owned(
        static_cast<std::shared_ptr<BlockingDelivery>*>(parameter));
    BlockingDelivery& delivery = **owned;
    run(delivery);
    delivery.finished.store(true, std::memory_order_release);
    PostMessageW(delivery.notify, delivery.done_message, delivery.id, 0);
    return 0;
}

}  // namespace

bool start_blocking_delivery(std::shared_ptr<BlockingDelivery> delivery) {
    auto parameter = std::make_unique<std::shared_ptr<BlockingDelivery>>(std::move(delivery));
    const UniqueKernelHandle thread(CreateThread(nullptr, 0, &thread_main, parameter.get(), 0, nullptr));
    if (!thread) return false;
    (void)parameter.release();  // the thread's own now
    return true;
}

}  // namespace tamga
