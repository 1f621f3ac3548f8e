// The library's three entry points. The program calls them on a thread of
// their own that runs a message loop: the hook is called through it.
#include "keyboard_hook.h"

#include <windows.h>

extern "C" {

// Letter mode: the number row gives the special letters.
void WINAPI HookStart1() { tamga::hook::start_keyboard_hook(tamga::hook::MappingMode::Letters); }

// Pair mode: two-key sequences of the older Latin spelling give the letters.
void WINAPI HookStart2() { tamga::hook::start_keyboard_hook(tamga::hook::MappingMode::Pairs); }

// Stops either mode; harmless when nothing runs.
void WINAPI HookFinish() { tamga::hook::finish_keyboard_hook(); }

}
