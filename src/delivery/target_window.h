#pragma once
// Finding and addressing the window the user is typing in.
#include "delivery_route.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tamga {

// The focused window of the program in the foreground, read without joining
// its input state. Empty while our own thread owns the foreground: the target
// remembered before must be kept then. Empty too while there is no foreground
// or the foreground program has no focused window: every switch between
// programs passes through such a moment, and a tick landing in it must not
// throw the target away (the next click would lose its letter).
// A frame focused while `remembered`, one of its children, was the target
// keeps that child too, and a new focus counts only once it has settled.
std::optional<HWND> focused_window_of_foreground(DWORD own_thread, HWND remembered);

// A document window of the word processor is recognised by the title of the
// first of its siblings, trimmed of blanks and control characters.
bool is_word_processor_document(HWND target);
std::wstring trimmed_first_sibling_title(HWND target);

// What the target is, for the choice of its route. A control that is not
// of an edit class is asked whether it takes edit messages; a program that
// does not answer within a moment is taken for one that does not.
TargetKind target_kind(HWND target);

// How long another program may take to answer before it is given up on.
inline constexpr UINT kAnswerTimeoutMs = 2000;

// Sends without ever waiting on a hung target for long. False when a target
// that still exists did not answer in time; nothing to send to (no target,
// or one gone) counts as answered, the send having no effect.
bool send_to_target(HWND target, UINT message, WPARAM wparam);

// Gives the foreground back to the program of `target`, whose top-level
// window then returns the focus to the target itself: when our own program
// has it (the user reached for the palette's menu, or brought it back from
// the tray), or a program in front has no window taking keys. Never taken
// from a program with a focused window: the user is typing there.
void return_foreground(HWND target);

// Gives the foreground to the program of `target` whoever has it.
void give_foreground(HWND target);

}  // namespace tamga
