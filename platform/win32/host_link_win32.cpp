// The host link by COM late binding: the running "Larq2.Application" object
// from the running object table, called through IDispatch by dispatch id,
// in a single-threaded apartment of the thread that opens the link. While a
// call waits for the host, COM's modal loop keeps the thread's windows
// served.
#include <ole2.h>
#include <oleauto.h>
#include <windows.h>

#include <new>
#include <string>

#include "platform/host_link.h"

namespace plat {
namespace {

constexpr DISPID kDispRunMacro = 16;
constexpr DISPID kDispGetFieldText = 8;
constexpr DISPID kDispFrequency = 2;

// ANSI code page text to a new BSTR; null when it cannot be made.
BSTR ToBstr(const std::string& text) {
    const int length = static_cast<int>(text.size());
    if (length == 0) {
        return SysAllocStringLen(L"", 0);
    }
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (wide <= 0) {
        return nullptr;
    }
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (out != nullptr) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, out, wide);
    }
    return out;
}

// A BSTR (possibly null, which is empty text) to the ANSI code page.
bool FromBstr(BSTR text, std::string& out) {
    const int length = static_cast<int>(SysStringLen(text));
    if (length == 0) {
        out.clear();
        return true;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return false;
    }
    std::string converted(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &converted[0], bytes, nullptr, nullptr);
    out.swap(converted);
    return true;
}

// One late-bound call; `result` must be initialised and is filled on success.
bool Invoke(IDispatch* host, DISPID id, WORD flags, VARIANT* args, UINT argCount, VARIANT* result) {
    DISPPARAMS params = {};
    params.rgvarg = args;
    params.cArgs = argCount;
    EXCEPINFO exception = {};
    UINT badArgument = 0;
    const HRESULT hr = host->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                    &exception, &badArgument);
    // A failing object may describe the failure in strings that are ours to free.
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(hr);
}

}  // namespace

struct HostLink::Impl {
    IDispatch* host = nullptr;
    DWORD owner = 0;            // the thread that opened the link
    bool uninitialise = false;  // the link's CoInitialize is to be balanced

    bool Usable() const { return host != nullptr && GetCurrentThreadId() == owner; }
};

HostLink::HostLink() : impl_(new (std::nothrow) Impl) {}

HostLink::~HostLink() {
    if (impl_ != nullptr && impl_->Usable()) {
        Close();
    }
    delete impl_;
}

bool HostLink::Open() {
    if (impl_ == nullptr) {
        return false;
    }
    if (IsOpen()) {
        return impl_->Usable();
    }
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Larq2.Application", &clsid))) {
        return false;
    }
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE: already in an apartment of this kind, still to be balanced.
    // RPC_E_CHANGED_MODE: in another kind, which is not ours to leave.
    const bool uninitialise = SUCCEEDED(init);
    IUnknown* running = nullptr;
    IDispatch* host = nullptr;
    if (SUCCEEDED(GetActiveObject(clsid, nullptr, &running)) && running != nullptr) {
        if (FAILED(running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&host)))) {
            host = nullptr;
        }
        running->Release();
    }
    if (host == nullptr) {
        if (uninitialise) {
            CoUninitialize();
        }
        return false;
    }
    impl_->host = host;
    impl_->owner = GetCurrentThreadId();
    impl_->uninitialise = uninitialise;
    return true;
}

void HostLink::Close() {
    if (impl_ == nullptr || impl_->host == nullptr) {
        return;
    }
    const bool uninitialise = impl_->uninitialise && impl_->Usable();
    CloseLeavingApartment();
    if (uninitialise) {
        CoUninitialize();
    }
}

void HostLink::CloseLeavingApartment() {
    if (impl_ == nullptr || impl_->host == nullptr) {
        return;
    }
    if (impl_->Usable()) {
        impl_->host->Release();
    }
    impl_->host = nullptr;
    impl_->owner = 0;
    impl_->uninitialise = false;
}

bool HostLink::IsOpen() const {
    return impl_ != nullptr && impl_->host != nullptr;
}

bool HostLink::RunMacro(const std::string& macro) {
    if (impl_ == nullptr || !impl_->Usable()) {
        return false;
    }
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = ToBstr(macro);
    if (arg.bstrVal == nullptr) {
        return false;
    }
    VARIANT result;
    VariantInit(&result);
    const bool ok = Invoke(impl_->host, kDispRunMacro, DISPATCH_METHOD, &arg, 1, &result);
    VariantClear(&result);
    VariantClear(&arg);
    return ok;
}

bool HostLink::GetFieldText(int field, std::string& text) {
    if (impl_ == nullptr || !impl_->Usable()) {
        return false;
    }
    try {
        VARIANT arg;
        VariantInit(&arg);
        arg.vt = VT_I4;
        arg.lVal = field;
        VARIANT result;
        VariantInit(&result);
        bool ok = Invoke(impl_->host, kDispGetFieldText, DISPATCH_METHOD, &arg, 1, &result);
        ok = ok && result.vt == VT_BSTR && FromBstr(result.bstrVal, text);
        VariantClear(&result);
        return ok;
    } catch (...) {
        return false;
    }
}

bool HostLink::Frequency(double& hz) {
    if (impl_ == nullptr || !impl_->Usable()) {
        return false;
    }
    VARIANT result;
    VariantInit(&result);
    bool ok = Invoke(impl_->host, kDispFrequency, DISPATCH_PROPERTYGET, nullptr, 0, &result);
    ok = ok && SUCCEEDED(VariantChangeType(&result, &result, 0, VT_R8));
    if (ok) {
        hz = result.dblVal;
    }
    VariantClear(&result);
    return ok;
}

}  // namespace plat
