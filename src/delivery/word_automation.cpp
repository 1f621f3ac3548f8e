#include "word_automation.h"

#include "com_ptr.h"

#include <windows.h>

namespace tamga {
namespace {

// The text of a failed automation call: the server's own description when it
// raised one, otherwise the system's text for the result code.
std::wstring describe_failure(HRESULT hr, const EXCEPINFO& info) {
    if (info.bstrDescription && SysStringLen(info.bstrDescription) > 0)
        return {info.bstrDescription, SysStringLen(info.bstrDescription)};
    HRESULT code = hr == DISP_E_EXCEPTION && FAILED(info.scode) ? info.scode : hr;
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) {
        wchar_t hex[32];
        wsprintfW(hex, L"OLE error %08X", static_cast<unsigned>(code));
        text = hex;
    }
    return text;
}

struct CallResult {
    HRESULT hr;
    std::wstring error;
};

CallResult invoke(IDispatch* object, const wchar_t* name, WORD flags, DISPPARAMS& params,
                  VARIANT* result) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    EXCEPINFO info{};
    if (SUCCEEDED(hr))
        hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info, nullptr);
    CallResult outcome{hr, {}};
    if (FAILED(hr)) outcome.error = describe_failure(hr, info);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return outcome;
}

}  // namespace

AutomationOutcome deliver_to_word(WordCall call, std::wstring_view text) {
    CLSID clsid;
    ComPtr<IUnknown> running;
    ComPtr<IDispatch> application;
    if (FAILED(CLSIDFromProgID(L"Word.Application", &clsid)) ||
        FAILED(GetActiveObject(clsid, nullptr, running.put())) ||
        FAILED(running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(application.put()))))
        return {AutomationOutcome::Kind::NotRunning, {}};

    DISPPARAMS no_arguments{};
    Variant selection_value;
    CallResult got = invoke(application.get(), L"Selection", DISPATCH_PROPERTYGET, no_arguments,
                            selection_value.get());
    if (FAILED(got.hr)) return {AutomationOutcome::Kind::Failed, got.error};
    VARIANT* v = selection_value.get();
    if (v->vt != VT_DISPATCH || !v->pdispVal)
        return {AutomationOutcome::Kind::Failed, describe_failure(DISP_E_TYPEMISMATCH, {})};
    IDispatch* selection = v->pdispVal;

    Variant ignored;
    CallResult done{};
    if (call == WordCall::Paste) {
        done = invoke(selection, L"Paste", DISPATCH_METHOD, no_arguments, ignored.get());
    } else {
        Bstr letter(text);
        VARIANTARG argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = letter.get();
        DISPPARAMS one_argument{&argument, nullptr, 1, 0};
        done = invoke(selection, L"TypeText", DISPATCH_METHOD, one_argument, ignored.get());
    }
    if (FAILED(done.hr)) return {AutomationOutcome::Kind::Failed, done.error};
    return {AutomationOutcome::Kind::Delivered, {}};
}

}  // namespace tamga
