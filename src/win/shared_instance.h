#pragma once
// A process-wide object shared by its users on the GUI thread: the first
// reference creates it, the last one destroys it.
#include <memory>

namespace tamga {

template <class T>
std::shared_ptr<T> shared_instance() {
    static std::weak_ptr<T> current;
    std::shared_ptr<T> instance = current.lock();
    if (!instance) {
        instance = std::make_shared<T>();
        current = instance;
    }
    return instance;
}

}  // namespace tamga
