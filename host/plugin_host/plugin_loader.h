// Loads the plug-in the way the logging program does and resolves its
// exports, and offers the calls with named fields instead of positional
// argument lists. Used by the stand-in host, the test host and the tests.
#pragma once

#include <string>

#include "plugin/stats_exports.h"

namespace host {

// One QSO as the host hands it to AddData0 / RemoveData0.
struct QsoFields {
    std::string ownCall;
    std::string call;
    StatsDate time;
    unsigned frequencyHz = 0;
    std::string mode;
    std::string rstSent;
    std::string rstRcvd;
    std::string exchSent;
    std::string exchRcvd;
    std::string dxcc;
    std::string continent;
    std::string band;
    int line = 0;  // where the QSO stands in its log file, for the problems named
};

// The arguments of a contest-run start.
struct ContestRun {
    std::string hostFolder;
    int reportRun = 0;
    std::string ownCall;
    StatsDate start;
    StatsDate end;
    std::string ownDxcc;
    std::string ownContinent;
};

// The arguments of a call check. Null band pointers and buffer are allowed.
struct CallCheck {
    std::string call;
    std::string mode;
    std::string dxcc;
    const char* band = nullptr;
    const char* secondBand = nullptr;
    bool wantExchange = true;
};

struct CallCheckAnswer {
    int status = -1;
    std::string prevExchange;  // what the plug-in left in the 10-byte buffer
    bool bufferWritten = false;
};

class Plugin {
  public:
    Plugin() = default;
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Loads the library at path and resolves every export; on failure returns
    // false with a message in error().
    bool Load(const std::string& path);
    void Unload();
    bool loaded() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }

    int GetNumberOfSets() const { return getNumberOfSets_(); }
    const char* GetSetName(int index) const { return getSetName_(index); }
    void SetupSet() const { setupSet0_(); }
    unsigned long SetVersion(const char* version) const { return setVersion_(version); }
    int Reset(const ContestRun& run) const;
    int Add(const QsoFields& qso) const;
    int Remove(const QsoFields& qso) const;
    CallCheckAnswer Check(const CallCheck& check) const;
    int GetExchgCount() const { return getExchgCount0_("", "", ""); }
    int IsValidExchange(const char* exchange) const {
        return isValidExchg0_(exchange, "", "", "", 0, 0, 0);
    }
    std::string Result(int* hostValue = nullptr) const;

    // Raw entry points, for callers that need the exact argument lists.
    GetNumberOfSetsFn getNumberOfSets_ = nullptr;
    GetSetNameFn getSetName_ = nullptr;
    SetupSet0Fn setupSet0_ = nullptr;
    SetVersionFn setVersion_ = nullptr;
    ResetStats0Fn resetStats0_ = nullptr;
    AddData0Fn addData0_ = nullptr;
    RemoveData0Fn removeData0_ = nullptr;
    CheckCall0Fn checkCall0_ = nullptr;
    GetExchgCount0Fn getExchgCount0_ = nullptr;
    IsValidExchg0Fn isValidExchg0_ = nullptr;
    GetResult0Fn getResult0_ = nullptr;

  private:
    void* handle_ = nullptr;
    std::string error_;
};

// Builds a valid date from calendar fields (UTC as the host logs it).
StatsDate MakeDate(int year, int month, int day, int hour, int minute, int second = 0);

}  // namespace host
