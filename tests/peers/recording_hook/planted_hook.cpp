// A library planted where only the program's own folder should be searched:
// the moment it is loaded it leaves the file named by TAMGA_PLANTED_MARKER.
// Its entry points do nothing.
#include "append_line.h"

#include <windows.h>

extern "C" {

void WINAPI HookStart1() {}
void WINAPI HookStart2() {}
void WINAPI HookFinish() {}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) tamga::peers::append_line(L"TAMGA_PLANTED_MARKER", "loaded");
    return TRUE;
}

}
