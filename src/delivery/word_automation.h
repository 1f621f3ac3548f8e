#pragma once
// Late-bound calls into a running word processor through its automation
// object "Word.Application": the letter goes into the current selection.
#include <optional>
#include <string>
#include <string_view>

namespace tamga {

enum class WordCall { Paste, TypeText };

struct AutomationOutcome {
    enum class Kind { Delivered, NotRunning, Failed } kind;
    std::wstring error;  // the error's text when Failed
};

// Pastes the clipboard, or types `text`, into the running word processor's
// selection. "Selection" is looked up anew on every call.
AutomationOutcome deliver_to_word(WordCall call, std::wstring_view text);

}  // namespace tamga
