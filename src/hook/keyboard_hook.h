#pragma once
// The low-level keyboard hook that carries out the mapping core's decisions.
#include "key_mapper.h"

namespace tamga::hook {

// Installs the hook on the calling thread, which must run a message loop (the
// system calls the hook through it). A running hook is replaced, never doubled.
void start_keyboard_hook(MappingMode mode);

// Removes the hook; nothing happens when none runs.
void finish_keyboard_hook();

}  // namespace tamga::hook
