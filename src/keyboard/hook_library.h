#pragma once
// The keyboard-hook library shipped beside the program, and its three entry
// points.
#include "handles.h"
#include "hook_thread.h"

#include <optional>

namespace tamga {

enum class HookMode { Letters, Pairs };

class HookLibrary {
public:
    // Loads tamgahook.dll from the program's own folder only, so a copy
    // planted in the current directory or on the path never runs. A library
    // lacking any entry point counts as not loadable. Empty when not loadable.
    // Its hook is started and finished on `thread`, which outlives it.
    static std::optional<HookLibrary> load(const HookThread& thread);

    void start(HookMode mode) const {
        thread_->call([&] { (mode == HookMode::Letters ? start_letters_ : start_pairs_)(); });
    }
    void finish() const {
        thread_->call([&] { finish_(); });
    }

    // Leaves the library loaded until the process ends. For the exit path,
    // where the hook was never finished: unloading code the system may still
    // call for every key press would crash the process on its way out.
    void keep_until_process_end() { (void)module_.release(); }

private:
    using EntryPoint = void(__stdcall*)();
    HookLibrary(const HookThread& thread, UniqueLibrary module, EntryPoint letters, EntryPoint pairs,
                EntryPoint finish)
        : thread_(&thread), module_(std::move(module)), start_letters_(letters), start_pairs_(pairs), finish_(finish) {}

    const HookThread* thread_;
    UniqueLibrary module_;
    EntryPoint start_letters_;
    EntryPoint start_pairs_;
    EntryPoint finish_;
};

}  // namespace tamga
