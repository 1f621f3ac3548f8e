// A stand-in for the word processor's automation object: it registers itself
// as the running "Word.Application" and records every call it receives in a
// log file, one line per call ("Selection", "Paste", "TypeText <text>").
//
//   automation_server LOG [--fail-typing DESCRIPTION] [--hang-in-paste MS]
//
//   --fail-typing    "TypeText" raises an automation error with DESCRIPTION as
//                    its text (it is still recorded)
//   --hang-in-paste  "Paste" is recorded, then sleeps MS milliseconds without
//                    answering anyone, like a word processor stuck in it
//
// Registered until its hidden window (class "AutomationServerStandIn") gets
// WM_CLOSE. Each run registers a new class id: a run that was killed leaves
// its entry in the running object table behind, and a later run under the
// same id would be shadowed by it.
#include "dispatch_object.h"
#include "line_log.h"
#include "handles.h"

#include <oleauto.h>
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

namespace tamga::peers {
namespace {

class Selection final : public DispatchObject {
public:
    Selection(const LineLog& log, std::optional<std::wstring> typing_failure, DWORD paste_hang_ms)
        : DispatchObject({L"TypeText", L"Paste"}),
          log_(log),
          typing_failure_(std::move(typing_failure)),
          paste_hang_ms_(paste_hang_ms) {}

protected:
    HRESULT invoke_member(const std::wstring& name, WORD flags, const DISPPARAMS& params, VARIANT*,
                          EXCEPINFO* error) override {
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (name == L"Paste") {
            if (params.cArgs != 0) return DISP_E_BADPARAMCOUNT;
            log_.write(L"Paste");
            Sleep(paste_hang_ms_);
            return S_OK;
        }
        if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, &params.rgvarg[0], 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
        log_.write(L"TypeText " + std::wstring(text.bstrVal, SysStringLen(text.bstrVal)));
        VariantClear(&text);
        if (!typing_failure_) return S_OK;
        if (error) {
            *error = EXCEPINFO{};
            error->bstrSource = SysAllocString(L"Word.Application stand-in");
            error->bstrDescription = SysAllocString(typing_failure_->c_str());
            error->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }

private:
    const LineLog& log_;
    std::optional<std::wstring> typing_failure_;
    DWORD paste_hang_ms_;
};

class Application final : public DispatchObject {
public:
    Application(const LineLog& log, Selection& selection)
        : DispatchObject({L"Selection"}), log_(log), selection_(selection) {}

protected:
    HRESULT invoke_member(const std::wstring&, WORD flags, const DISPPARAMS&, VARIANT* result,
                          EXCEPINFO*) override {
        if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        if (!result) return E_INVALIDARG;
        log_.write(L"Selection");
        selection_.AddRef();
        result->vt = VT_DISPATCH;
        result->pdispVal = &selection_;
        return S_OK;
    }

private:
    const LineLog& log_;
    Selection& selection_;
};

class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    explicit operator bool() const { return ok_; }

private:
    bool ok_;
};

inline void close_key(HKEY key) { RegCloseKey(key); }
using UniqueKey = UniqueHandle<HKEY, close_key>;

// Where clients look the programmatic identifier up (per-user classes are
// not consulted for it).
bool register_prog_id(const CLSID& clsid) {
    wchar_t text[40];
    if (!StringFromGUID2(clsid, text, 40)) return false;
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Word.Application\\CLSID", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(raw);
    const DWORD bytes = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
           ERROR_SUCCESS;
}

class RunningObject {
public:
    RunningObject(IUnknown* object, const CLSID& clsid) {
        // Anything but S_OK (MK_S_MONIKERALREADYREGISTERED too) means clients
        // would not reach this object.
        registered_ = RegisterActiveObject(object, clsid, ACTIVEOBJECT_STRONG, &cookie_) == S_OK;
    }
    ~RunningObject() {
        if (registered_) RevokeActiveObject(cookie_, nullptr);
    }
    RunningObject(const RunningObject&) = delete;
    RunningObject& operator=(const RunningObject&) = delete;
    explicit operator bool() const { return registered_; }

private:
    DWORD cookie_ = 0;
    bool registered_ = false;
};

LRESULT CALLBACK server_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace
}  // namespace tamga::peers

int wmain(int argc, wchar_t** argv) {
    using namespace tamga::peers;
    if (argc < 2) return 2;
    std::optional<std::wstring> typing_failure;
    DWORD paste_hang_ms = 0;
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--fail-typing" && i + 1 < argc) typing_failure = argv[++i];
        else if (option == L"--hang-in-paste" && i + 1 < argc) paste_hang_ms = std::wcstoul(argv[++i], nullptr, 10);
        else return 2;
    }

    ComApartment com;
    LineLog log(argv[1]);
    if (!com || !log) return 2;
    CLSID clsid;
    if (FAILED(CoCreateGuid(&clsid)) || !register_prog_id(clsid)) return 3;

    Selection selection(log, std::move(typing_failure), paste_hang_ms);
    Application application(log, selection);
    RunningObject running(static_cast<IDispatch*>(&application), clsid);
    if (!running) return 4;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = server_window_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"AutomationServerStandIn";
    RegisterClassW(&window_class);
    tamga::UniqueWindow window(CreateWindowExW(0, L"AutomationServerStandIn", L"Word.Application stand-in", 0, 0,
                                               0, 0, 0, nullptr, nullptr, instance, nullptr));
    if (!window) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
