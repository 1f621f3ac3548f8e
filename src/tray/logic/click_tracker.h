#pragma once
// Left-click bookkeeping of the tray icon. While a double-click handler is set
// every press starts a wait of one double-click time; a click is complete only
// when that wait ends without a double-click. Without the wait a click
// completes at its release.
namespace tamga {

class ClickTracker {
public:
    void press() { pending_ = true; }

    // True when this release completes a click at once.
    bool release(bool waiting_for_double_click) {
        if (!pending_) return false;  // the release after a double-click
        pending_ = false;
        ready_ = waiting_for_double_click;
        return !waiting_for_double_click;
    }

    void double_click() {
        ready_ = false;
        double_clicked_ = true;
    }

    // The double-click wait is over: true when a single click was made during it.
    bool wait_over() {
        const bool click = ready_ && !double_clicked_;
        if (click) ready_ = false;
        double_clicked_ = false;
        return click;
    }

private:
    bool pending_ = false;         // pressed, not yet released
    bool ready_ = false;           // released, waiting for the double-click time
    bool double_clicked_ = false;  // a double-click came during the wait
};

}  // namespace tamga
