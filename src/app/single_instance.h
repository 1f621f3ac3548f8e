#pragma once
// The named mutex that lets only one copy of the program run per session.
#include "handles.h"

namespace tamga {

class SingleInstance {
public:
    explicit SingleInstance(const wchar_t* name)
        : mutex_(CreateMutexW(nullptr, TRUE, name)), already_running_(GetLastError() == ERROR_ALREADY_EXISTS) {
        if (already_running_) mutex_.reset();
    }
    bool already_running() const { return already_running_; }

private:
    UniqueKernelHandle mutex_;
    bool already_running_;
};

}  // namespace tamga
