// The stand-in host's automation object: "Larq2.Application" as the plug-in
// reaches it, an IDispatch called by dispatch id (16 RunMacro, 8
// GetFieldText, 2 Frequency) without a type library. It lives on the test
// host's main thread (a single-threaded apartment), which must pump
// messages for the plug-in's calls to arrive.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

namespace testhost {

// What GetFieldText answers: text, a number (not text) or a failure.
struct FieldAnswer {
    enum Kind { kText, kNumber, kFail } kind = kText;
    std::wstring text;
    long number = 0;
};

// COM interfaces have no virtual destructor: objects are released, never
// deleted through them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AutomationObject final : public IDispatch {
  public:
    AutomationObject() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT* badArgument) override;

    // The script's answers.
    FieldAnswer field;
    double frequency = 14025000.0;
    bool frequencyFails = false;
    // How long RunMacro takes to answer, pumping this thread's messages all
    // the while (so other calls may arrive meanwhile), in milliseconds.
    DWORD macroDelay = 0;
    // Every macro in the order it arrived (UTF-8), and the fields asked for.
    std::vector<std::string> macros;
    // How many macros have arrived, also for other threads than the host's.
    std::atomic<size_t> arrivedMacros{0};
    std::vector<long> fieldsAsked;
    int frequencyReads = 0;
    // Calls that arrived on another thread than the one that registered the
    // object: always 0 when the calls cross the apartment as they should.
    int foreignThreadCalls = 0;
    DWORD homeThread = GetCurrentThreadId();

  private:
    LONG references_ = 1;
};
#pragma GCC diagnostic pop

// Registers the ProgID under HKEY_CLASSES_ROOT and puts the object into the
// running object table; false with a message on failure.
bool RegisterHostObject(AutomationObject& object, DWORD& cookie, std::string& error);
// Takes it out of the table and removes the ProgID key.
void RevokeHostObject(DWORD cookie);

// Wide text in a code page (CP_UTF8, CP_ACP ...).
std::string Narrow(const std::wstring& text, UINT codePage);
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace testhost
