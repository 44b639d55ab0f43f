// Every read QSO of every used log in one compact table, and the index the
// cross-check looks partners up in: the lines of one log that worked one
// call on one band and mode, in time order.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/cross_check/contest_folder.h"
#include "host/cross_check/qso_times.h"

namespace host {

struct ContestLine {
    uint32_t log = 0;       // index into the used logs
    uint32_t qso = 0;       // index into that log's QSOs
    uint32_t call = 0;      // the worked call (portable suffix dropped), interned
    int32_t minute = 0;     // its time as MinuteOf counts it
    uint16_t bandMode = 0;  // interned band and mode
};

class ContestLines {
  public:
    // times: each QSO's time, as QsoTimes::all() lists them.
    ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times);

    const std::vector<ContestLine>& lines() const { return lines_; }
    // The interned base call of each used log.
    uint32_t LogCall(uint32_t log) const { return logCalls_[log]; }
    // The used log of an interned call, or -1.
    int32_t LogOf(uint32_t call) const { return call < logOf_.size() ? logOf_[call] : -1; }
    const std::string& CallText(uint32_t call) const { return callTexts_[call]; }
    // The interned call of a text, or UINT32_MAX for a call nobody worked or sent.
    uint32_t FindCall(const std::string& text) const;
    // How many used logs worked the call, on any band or mode.
    uint32_t WorkedBy(uint32_t call) const { return workedBy_[call]; }

    // Takes the lines' times anew (after the clocks were corrected) and
    // re-sorts the index.
    void Retime(const std::vector<double>& times);

    // The lines of log that worked call on bandMode, sorted by time:
    // indexes into lines().
    struct Range {
        const uint32_t* begin = nullptr;
        const uint32_t* end = nullptr;
    };
    Range Find(uint32_t log, uint32_t call, uint16_t bandMode) const;
    // The part of a range found above whose times lie within window minutes
    // of minute.
    Range Within(Range r, int32_t minute, int window) const;

  private:
    uint32_t Intern(const std::string& call);
    void Sort();
    static uint64_t GroupKey(uint32_t log, uint32_t call, uint16_t bandMode) {
        return (uint64_t{log} << 44) | (uint64_t{call} << 16) | bandMode;
    }

    std::vector<ContestLine> lines_;
    std::vector<uint32_t> order_;   // line indexes sorted by (log, call, bandMode, minute, qso)
    std::vector<int32_t> minutes_;  // the time of each line of order_
    // (log, call, bandMode) -> where its lines begin and end in order_.
    std::unordered_map<uint64_t, std::pair<uint32_t, uint32_t>> groups_;
    std::vector<uint32_t> logCalls_;
    std::vector<int32_t> logOf_;
    std::vector<std::string> callTexts_;
    std::vector<uint32_t> workedBy_;
    std::unordered_map<std::string, uint32_t> callIds_;
};

}  // namespace host
