#pragma once
// COM on the calling thread for the object's lifetime: the GUI thread's
// single-threaded apartment, or the multithreaded one for a worker thread
// that runs no message loop.
#include <objbase.h>

namespace tamga {

class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED)
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace tamga
