#include "tray_icon_handler.h"

#include "shared_instance.h"
#include "tray_icon.h"

namespace tamga {

TTrayIconHandler::TTrayIconHandler() {
    // A top-level window that is never shown.
    create({.class_name = L"TamgalikTrayIconHandler", .style = WS_POPUP});
}

LRESULT TTrayIconHandler::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kTrayNotifyMessage:
            if (const auto icon = icons_.find(static_cast<UINT>(wparam)); icon != icons_.end())
                icon->second->handle_notification(static_cast<UINT>(lparam));
            return 0;
        // Nobody outside may close this window, and it agrees to the end of
        // the session; DestroyWindow from its owner still works.
        case WM_DESTROY:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
        case WM_QUIT:
        case WM_ENDSESSION:
        case WM_NCDESTROY:
            return 1;
    }
    return default_handling(message, wparam, lparam);
}

TrayIconSlot::TrayIconSlot(TTrayIcon& icon) : handler_(shared_instance<TTrayIconHandler>()) {
    id_ = handler_->next_id_++;
    handler_->icons_.emplace(id_, &icon);
}

TrayIconSlot::~TrayIconSlot() { handler_->icons_.erase(id_); }

}  // namespace tamga
