#pragma once
// Appends a line to the file named by an environment variable.

namespace tamga::peers {

// Nothing happens when the variable is unset or the file cannot be opened.
// Uses kernel32 only, so it is safe inside DllMain.
void append_line(const wchar_t* file_variable, const char* line);

}  // namespace tamga::peers
