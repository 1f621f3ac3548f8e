#pragma once
// The route a clicked letter takes to the target window.
#include <string_view>

namespace tamga {

enum class DeliveryRoute {
    Paste,         // the clipboard holds the letter; WM_PASTE to the target
    Character,     // WM_UNICHAR with the letter to the target
    WordPaste,     // "Paste" on the word processor's "Selection"
    WordTypeText,  // "TypeText" on the word processor's "Selection"
    Keystroke,     // the target's program in front, then one Unicode key press
};

// Whether a window of this class belongs to a program that takes text only
// as keyboard input (browser engines, Electron, Qt, WPF, terminals, ...).
// Class names compare without regard to case, as the system compares them.
bool takes_text_only_as_keys(std::wstring_view window_class);

// The word processor's document keeps its automation route; a window that
// takes text only as keys gets the key press; every other window gets the
// message routes.
constexpr DeliveryRoute delivery_route(bool clipboard_mode, bool word_document, bool keys_only) {
    if (word_document) return clipboard_mode ? DeliveryRoute::WordPaste : DeliveryRoute::WordTypeText;
    if (keys_only) return DeliveryRoute::Keystroke;
    return clipboard_mode ? DeliveryRoute::Paste : DeliveryRoute::Character;
}

}  // namespace tamga
