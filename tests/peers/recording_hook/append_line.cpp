#include "append_line.h"

#include <windows.h>

#include <cstring>
#include <iterator>

namespace tamga::peers {

void append_line(const wchar_t* file_variable, const char* line) {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableW(file_variable, path, static_cast<DWORD>(std::size(path)));
    if (length == 0 || length >= std::size(path)) return;
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
}

}  // namespace tamga::peers
