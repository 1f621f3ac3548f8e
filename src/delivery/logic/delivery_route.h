#pragma once
// The route a clicked letter takes to the target window.
#include <string_view>

namespace tamga {

enum class DeliveryRoute {
    Paste,         // the clipboard holds the letter; WM_PASTE to the target
    Character,     // WM_UNICHAR with the letter to the target
    WordPaste,     // "Paste" on the word processor's "Selection"
    WordTypeText,  // "TypeText" on the word processor's "Selection"
    Keystroke,     // one Unicode key press into the target holding the keyboard
};

// What the target window is, as far as the route depends on it.
enum class TargetKind {
    Missing,       // no target yet, or it has gone: a message to it does nothing
    WordDocument,  // a document window of the word processor
    EditControl,   // the system's edit or rich edit control, or a control declaring itself one
    Other,         // any other window: browsers, toolkits that draw their own fields, ...
};

// The system's edit control and the rich edit family, by the class the
// control was made from. Names compare without regard to case, as the
// system compares class names.
bool is_edit_class(std::wstring_view window_class);

// Edit controls are known to paste and to take WM_UNICHAR; most other
// windows ignore both, but every window that reads the keyboard takes a key
// press. A missing target keeps the message routes: sending to no window
// does nothing, where a key press would land wherever the keyboard is.
constexpr DeliveryRoute delivery_route(bool clipboard_mode, TargetKind target) {
    switch (target) {
        case TargetKind::WordDocument: return clipboard_mode ? DeliveryRoute::WordPaste : DeliveryRoute::WordTypeText;
        case TargetKind::Other: return DeliveryRoute::Keystroke;
        case TargetKind::Missing:
        case TargetKind::EditControl: break;
    }
    return clipboard_mode ? DeliveryRoute::Paste : DeliveryRoute::Character;
}

}  // namespace tamga
