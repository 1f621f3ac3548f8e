// Records, one line each, the calls of the three entry points into the file
// named by TAMGA_HOOK_LOG, and how the library left the process: "unload"
// when freed (FreeLibrary), "exit" when the process ended with it loaded.
#include "append_line.h"

#include <windows.h>

namespace {

constexpr const wchar_t* log_variable = L"TAMGA_HOOK_LOG";

}  // namespace

extern "C" {

void WINAPI HookStart1() { tamga::peers::append_line(log_variable, "HookStart1"); }
void WINAPI HookStart2() { tamga::peers::append_line(log_variable, "HookStart2"); }
void WINAPI HookFinish() { tamga::peers::append_line(log_variable, "HookFinish"); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) tamga::peers::append_line(log_variable, reserved == nullptr ? "unload" : "exit");
    return TRUE;
}

}
