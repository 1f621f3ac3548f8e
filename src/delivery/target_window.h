#pragma once
// Finding and addressing the window the user is typing in.
#include <windows.h>

#include <optional>
#include <string>

namespace tamga {

// The focused window of the program in the foreground, read without joining
// its input state. Empty while our own thread owns the foreground: the target
// remembered before must be kept then. A foreground program with no focused
// window (or no foreground at all) gives a null window.
std::optional<HWND> focused_window_of_foreground(DWORD own_thread);

// A document window of the word processor is recognised by the title of the
// first of its siblings, trimmed of blanks and control characters.
bool is_word_processor_document(HWND target);
std::wstring trimmed_first_sibling_title(HWND target);

// Sends without ever waiting on a hung target for long.
void send_to_target(HWND target, UINT message, WPARAM wparam);

// Gives the foreground back to the program of `target`; its top-level window
// then returns the focus to the target itself.
void return_foreground(HWND target);

}  // namespace tamga
