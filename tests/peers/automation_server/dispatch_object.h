#pragma once
// IDispatch answered from a fixed list of member names, resolved without
// regard to case as automation clients expect; no type information.
//
// The objects live as long as the server's main function. Reference counts
// are kept for the COM runtime but never free anything: the runtime's own
// references are cut with CoDisconnectObject before an object goes.
#include <oaidl.h>
#include <objbase.h>

#include <string>
#include <utility>
#include <vector>

namespace tamga::peers {

class DispatchObject : public IDispatch {
public:
    explicit DispatchObject(std::vector<std::wstring> members) : members_(std::move(members)) {}
    virtual ~DispatchObject() { CoDisconnectObject(static_cast<IDispatch*>(this), 0); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return DISP_E_BADINDEX;
    }

    // Named arguments are not supported: only the member name resolves.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (std::size_t m = 0; i == 0 && m < members_.size(); ++m)
                if (CompareStringOrdinal(names[0], -1, members_[m].c_str(), -1, TRUE) == CSTR_EQUAL)
                    ids[0] = static_cast<DISPID>(m + 1);
            if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* error, UINT*) override {
        if (id < 1 || static_cast<std::size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
        const DISPPARAMS none{};
        return invoke_member(members_[id - 1], flags, params ? *params : none, result, error);
    }

protected:
    virtual HRESULT invoke_member(const std::wstring& name, WORD flags, const DISPPARAMS& params, VARIANT* result,
                                  EXCEPINFO* error) = 0;

private:
    std::vector<std::wstring> members_;
    ULONG references_ = 0;
};

}  // namespace tamga::peers
