#include "tests/windows/automation_object.h"

#include <oleauto.h>

#include "tests/windows/window_driver.h"

namespace testhost {
namespace {

// Our own class id for the stand-in host's object.
const CLSID kHostClsid = {
    0x6c3f2a51, 0x8e0b, 0x4d7a, {0x9c, 0x21, 0x5b, 0x7e, 0x3d, 0x91, 0x4a, 0x62}};
const wchar_t* const kProgId = L"Larq2.Application";

constexpr DISPID kDispFrequency = 2;
constexpr DISPID kDispGetFieldText = 8;
constexpr DISPID kDispRunMacro = 16;

// The one argument of a method, converted; false when it is missing or
// does not convert.
bool Argument(DISPPARAMS* params, VARTYPE type, VARIANT& out) {
    if (params == nullptr || params->cArgs != 1 || params->cNamedArgs != 0) {
        return false;
    }
    VariantInit(&out);
    return SUCCEEDED(VariantChangeType(&out, &params->rgvarg[0], 0, type));
}

}  // namespace

std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, &out[0], bytes, nullptr, nullptr);
    return out;
}

std::string ToUtf8(const std::wstring& text) {
    return Narrow(text, CP_UTF8);
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &out[0], chars);
    return out;
}

HRESULT AutomationObject::QueryInterface(REFIID riid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG AutomationObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

// The object lives on the test host's stack for the whole run: the count
// only tells who still holds it.
ULONG AutomationObject::Release() {
    return static_cast<ULONG>(InterlockedDecrement(&references_));
}

HRESULT AutomationObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT AutomationObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) {
        return E_INVALIDARG;
    }
    const std::wstring name = names[0];
    ids[0] = name == L"RunMacro"       ? kDispRunMacro
             : name == L"GetFieldText" ? kDispGetFieldText
             : name == L"Frequency"    ? kDispFrequency
                                       : DISPID_UNKNOWN;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT AutomationObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO*, UINT* badArgument) {
    if (GetCurrentThreadId() != homeThread) {
        ++foreignThreadCalls;
    }
    if (badArgument != nullptr) {
        *badArgument = 0;
    }
    VARIANT arg;
    switch (id) {
        case kDispRunMacro:
            if ((flags & DISPATCH_METHOD) == 0) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (!Argument(params, VT_BSTR, arg)) {
                return DISP_E_TYPEMISMATCH;
            }
            macros.push_back(ToUtf8(std::wstring(arg.bstrVal, SysStringLen(arg.bstrVal))));
            VariantClear(&arg);
            ++arrivedMacros;
            if (macroDelay != 0) {
                Pump(macroDelay);
            }
            if (result != nullptr) {
                VariantInit(result);
            }
            return S_OK;
        case kDispGetFieldText:
            if ((flags & DISPATCH_METHOD) == 0) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (!Argument(params, VT_I4, arg)) {
                return DISP_E_TYPEMISMATCH;
            }
            fieldsAsked.push_back(arg.lVal);
            if (field.kind == FieldAnswer::kFail) {
                return E_FAIL;
            }
            if (result != nullptr) {
                VariantInit(result);
                if (field.kind == FieldAnswer::kNumber) {
                    result->vt = VT_I4;
                    result->lVal = field.number;
                } else {
                    result->vt = VT_BSTR;
                    result->bstrVal =
                        SysAllocStringLen(field.text.data(), static_cast<UINT>(field.text.size()));
                }
            }
            return S_OK;
        case kDispFrequency:
            if ((flags & DISPATCH_PROPERTYGET) == 0) {
                return DISP_E_MEMBERNOTFOUND;
            }
            ++frequencyReads;
            if (frequencyFails) {
                return E_FAIL;
            }
            if (result != nullptr) {
                VariantInit(result);
                result->vt = VT_R8;
                result->dblVal = frequency;
            }
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

bool RegisterHostObject(AutomationObject& object, DWORD& cookie, std::string& error) {
    // The class id under the ProgID in HKEY_CLASSES_ROOT, where Wine's
    // CLSIDFromProgID looks (not in the per-user classes key).
    wchar_t clsidText[64];
    StringFromGUID2(kHostClsid, clsidText, 64);
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kProgId) + L"\\CLSID";
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        error = "cannot create the ProgID key (error " + std::to_string(status) + ")";
        return false;
    }
    status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsidText),
                            static_cast<DWORD>((lstrlenW(clsidText) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        error = "cannot write the ProgID's class id (error " + std::to_string(status) + ")";
        return false;
    }
    object.homeThread = GetCurrentThreadId();
    const HRESULT hr = RegisterActiveObject(static_cast<IDispatch*>(&object), kHostClsid,
                                            ACTIVEOBJECT_STRONG, &cookie);
    if (FAILED(hr)) {
        error = "RegisterActiveObject failed (" + std::to_string(static_cast<long>(hr)) + ")";
        return false;
    }
    return true;
}

void RevokeHostObject(DWORD cookie) {
    if (cookie != 0) {
        RevokeActiveObject(cookie, nullptr);
    }
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (std::wstring(kProgId) + L"\\CLSID").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgId);
}

}  // namespace testhost
