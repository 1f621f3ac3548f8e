#pragma once
// A file of UTF-8 lines that a test reads while the stand-in still runs: each
// line is written through at once, and the file exists (maybe empty) from the
// start so "nothing happened" can be read too.
#include "handles.h"

#include <string>
#include <string_view>

namespace tamga::peers {

class LineLog {
public:
    explicit LineLog(const wchar_t* path) {
        const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) file_.reset(file);
    }

    explicit operator bool() const { return file_ != nullptr; }

    void write(std::wstring_view line) const {
        std::wstring text(line);
        text += L'\n';
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                            nullptr);
        DWORD written = 0;
        WriteFile(file_.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }

private:
    UniqueKernelHandle file_;
};

}  // namespace tamga::peers
