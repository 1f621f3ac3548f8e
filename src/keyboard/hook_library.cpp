#include "hook_library.h"

#include <string>

namespace tamga {

namespace {

std::wstring beside_program(const wchar_t* file_name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + file_name;
}

}  // namespace

std::optional<HookLibrary> HookLibrary::load(const HookThread& thread) {
    const std::wstring path = beside_program(L"tamgahook.dll");
    UniqueLibrary module(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module) return std::nullopt;
    auto entry = [&](const char* name) {
        return reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module.get(), name)));
    };
    EntryPoint letters = entry("HookStart1");
    EntryPoint pairs = entry("HookStart2");
    EntryPoint finish = entry("HookFinish");
    if (!letters || !pairs || !finish) return std::nullopt;
    return HookLibrary(thread, std::move(module), letters, pairs, finish);
}

}  // namespace tamga
