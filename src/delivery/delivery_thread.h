#pragma once
// One long-lived thread makes every delivery, one letter at a time in click
// order: it reads what the target is, sets the clipboard, sends the
// messages, makes the automation calls and types the key presses. The
// palette's own thread only hands letters over, so no target, however slow
// or hung, makes the palette wait.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tamga {

struct Letter {
    std::uint32_t code;
    HWND target;  // remembered; the window focused in front now takes its place
    bool clipboard_mode;
};

struct DeliveryLine;

// What the thread tells the palette's thread, by message to one of its windows.
struct DeliveryMessages {
    HWND window;
    DWORD palette_thread;  // its windows are never a target
    UINT started;   // posted, wparam the letter's number
    UINT finished;  // posted, wparam the letter's number
    // Sent, wparam true to give the foreground to lparam's program whoever
    // has it, false to give it back only as return_foreground does. Done by
    // the palette's thread, so the palette lets go of the foreground before
    // the target takes it, in that order.
    UINT hand_back;
    UINT target_seen;  // posted, lparam the window focused in front, now the target
};

class DeliveryThread {
public:
    explicit DeliveryThread(const DeliveryMessages& messages);
    // Letters still waiting are dropped. A call under way is left to finish
    // on its own; the thread then ends without touching anything else.
    ~DeliveryThread();
    DeliveryThread(const DeliveryThread&) = delete;
    DeliveryThread& operator=(const DeliveryThread&) = delete;

    bool running() const;

    // `number` names the letter in the notifications.
    void deliver(std::uint64_t number, const Letter& letter);

    // The palette's target changed: what it is gets asked while no letter
    // waits, so its first letter need not wait for the answer.
    void expect(HWND target);

    // The text of an error the word processor raised for letter `number`,
    // once it is finished; asked once.
    std::optional<std::wstring> take_automation_error(std::uint64_t number);

private:
    std::shared_ptr<DeliveryLine> line_;
};

}  // namespace tamga
