#include "host/plugin_host/plugin_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstring>

namespace host {
namespace {

struct ExportName {
    const char* plain;
    const char* decorated;
};

// The plain names and the aliases the host resolves on Windows.
constexpr ExportName kExports[] = {
    {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"},
    {"GetSetName", "?GetSetName@@YAPBDH@Z"},
    {"SetupSet0", "?SetupSet0@@YAXXZ"},
    {"setVersion", "?setVersion@@YAKPBD@Z"},
    {"ResetStats0", "?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z"},
    {"AddData0", "?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"RemoveData0", "?RemoveData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"CheckCall0", "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"},
    {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z"},
    {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z"},
    {"GetResult0", "?GetResult0@@YAPBDPAH@Z"},
};

void* OpenLibrary(const std::string& path, std::string& error) {
#if defined(_WIN32)
    HMODULE h = LoadLibraryA(path.c_str());
    if (h == nullptr) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    }
    return reinterpret_cast<void*>(h);
#else
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) {
        const char* why = dlerror();
        error = "cannot load " + path + ": " + (why != nullptr ? why : "unknown error");
    }
    return h;
#endif
}

void CloseLibrary(void* handle) {
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

void* Symbol(void* handle, const char* name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}

// Resolves one export. On Windows the host uses the decorated alias, and the
// plain name must lead to the same function.
void* Resolve(void* handle, const ExportName& name, std::string& error) {
#if defined(_WIN32)
    void* decorated = Symbol(handle, name.decorated);
    void* plain = Symbol(handle, name.plain);
    if (decorated == nullptr || plain == nullptr) {
        error =
            std::string("export missing: ") + (decorated == nullptr ? name.decorated : name.plain);
        return nullptr;
    }
    if (decorated != plain) {
        error = std::string("alias and plain name differ: ") + name.plain;
        return nullptr;
    }
    return decorated;
#else
    void* plain = Symbol(handle, name.plain);
    if (plain == nullptr) {
        error = std::string("export missing: ") + name.plain;
    }
    return plain;
#endif
}

template <typename Fn>
bool Bind(void* handle, int index, Fn& out, std::string& error) {
    void* address = Resolve(handle, kExports[index], error);
    if (address == nullptr) {
        return false;
    }
    static_assert(sizeof(Fn) == sizeof(void*), "function and data pointers differ in size");
    std::memcpy(&out, &address, sizeof out);
    return true;
}

}  // namespace

Plugin::~Plugin() {
    Unload();
}

bool Plugin::Load(const std::string& path) {
    Unload();
    error_.clear();
    handle_ = OpenLibrary(path, error_);
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok =
        Bind(handle_, 0, getNumberOfSets_, error_) && Bind(handle_, 1, getSetName_, error_) &&
        Bind(handle_, 2, setupSet0_, error_) && Bind(handle_, 3, setVersion_, error_) &&
        Bind(handle_, 4, resetStats0_, error_) && Bind(handle_, 5, addData0_, error_) &&
        Bind(handle_, 6, removeData0_, error_) && Bind(handle_, 7, checkCall0_, error_) &&
        Bind(handle_, 8, getExchgCount0_, error_) && Bind(handle_, 9, isValidExchg0_, error_) &&
        Bind(handle_, 10, getResult0_, error_);
    if (!ok) {
        Unload();
    }
    return ok;
}

void Plugin::Unload() {
    if (handle_ != nullptr) {
        CloseLibrary(handle_);
        handle_ = nullptr;
    }
}

int Plugin::Reset(const ContestRun& run) const {
    StatsDate start = run.start;
    StatsDate end = run.end;
    return resetStats0_(run.hostFolder.c_str(), run.reportRun, run.ownCall.c_str(), &start, &end,
                        "", "", "", "", "", "", "", "", "", run.ownDxcc.c_str(), 0, 0, 0, 0.0, 0.0,
                        "", run.ownContinent.c_str(), "");
}

namespace {

template <typename Fn>
int CallWithQso(Fn fn, const QsoFields& q) {
    StatsDate time = q.time;
    StatsDate other;
    return fn(q.ownCall.c_str(), q.call.c_str(), &time, &other, &other, &other, 0, q.frequencyHz,
              q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
              q.exchRcvd.c_str(), "", "", "", "", "", "", "", "", "", q.dxcc.c_str(), 0, 0, 0, 0.0,
              0.0, "", q.continent.c_str(), "", q.band.c_str(), "");
}

}  // namespace

int Plugin::Add(const QsoFields& qso) const {
    return CallWithQso(addData0_, qso);
}

int Plugin::Remove(const QsoFields& qso) const {
    return CallWithQso(removeData0_, qso);
}

CallCheckAnswer Plugin::Check(const CallCheck& c) const {
    // A sentinel pattern shows whether the plug-in wrote the buffer.
    char buffer[10];
    std::memset(buffer, 0x7f, sizeof buffer);
    char other[64] = {};
    CallCheckAnswer answer;
    answer.status = checkCall0_(c.call.c_str(), 0, 0, c.mode.c_str(), "", "", "", "", "", "", "",
                                "", "", c.dxcc.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "", "", "",
                                c.band, c.secondBand, c.wantExchange ? buffer : nullptr, other);
    if (c.wantExchange && buffer[0] != 0x7f) {
        answer.bufferWritten = true;
        answer.prevExchange.assign(buffer, strnlen(buffer, sizeof buffer));
    }
    return answer;
}

std::string Plugin::Result(int* hostValue) const {
    int value = 0;
    const char* text = getResult0_(&value);
    if (hostValue != nullptr) {
        *hostValue = value;
    }
    return text != nullptr ? std::string(text) : std::string();
}

StatsDate MakeDate(int year, int month, int day, int hour, int minute, int second) {
    StatsDate d;
    if (!plat::FieldsToOleDate(year, month, day, hour, minute, second, d.m_dt)) {
        d.m_status = plat::kDateInvalid;
    }
    return d;
}

}  // namespace host
