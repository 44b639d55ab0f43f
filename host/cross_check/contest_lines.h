// Every read QSO of every used log in one compact table, and the index the
// cross-check looks partners up in: the lines of one log that worked one
// call on one band and mode, in time order.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/cross_check/contest_folder.h"
#include "host/cross_check/qso_calls.h"
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
    // times: each QSO's time, as QsoTimes::all() lists them; calls: each
    // QSO's call, numbered (made here when not given).
    ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times);
    ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times,
                 const QsoCalls& calls);

    const std::vector<ContestLine>& lines() const { return lines_; }
    // The interned base call of each used log.
    uint32_t LogCall(uint32_t log) const { return logCalls_[log]; }
    // The used log of an interned call, or -1.
    int32_t LogOf(uint32_t call) const { return call < logOf_.size() ? logOf_[call] : -1; }
    const std::string& CallText(uint32_t call) const { return callTexts_[call]; }
    // How many calls are interned: the logs' own and the worked ones.
    size_t CallCount() const { return callTexts_.size(); }
    // How many used logs worked the call, on any band or mode.
    uint32_t WorkedBy(uint32_t call) const { return workedBy_[call]; }

    // Takes the lines' times anew (after the clocks were corrected) and
    // re-sorts the index of each log whose times changed.
    void Retime(const std::vector<double>& times);

    // The lines of log that worked call on bandMode, sorted by time:
    // indexes into lines().
    struct Range {
        const uint32_t* begin = nullptr;
        const uint32_t* end = nullptr;
    };
    Range Find(uint32_t log, uint32_t call, uint16_t bandMode) const;
    // All lines of the log, so sorted: those of one call on one band and
    // mode stand together.
    Range Sorted(uint32_t log) const {
        return {order_.data() + logBegin_[log], order_.data() + logBegin_[log + 1]};
    }
    // The part of a range found above whose times lie within window minutes
    // of minute.
    Range Within(Range r, int32_t minute, int window) const;

  private:
    // Sorts the index of one log's lines.
    void Sort(uint32_t log);
    static uint64_t GroupKey(uint32_t call, uint16_t bandMode) {
        return (uint64_t{call} << 16) | bandMode;
    }

    std::vector<ContestLine> lines_;  // in (log, qso) order
    // Where each log's lines begin in lines_ (and in order_), and one past
    // the last log's.
    std::vector<uint32_t> logBegin_;
    // Each log's line indexes sorted by (call, bandMode, minute, qso), the
    // logs one after another as in lines_: a log is sorted on its own, a
    // few hundred lines at a time, and found by binary search.
    std::vector<uint32_t> order_;
    std::vector<uint64_t> groups_;  // the GroupKey of each line of order_
    std::vector<int32_t> minutes_;  // the time of each line of order_
    std::vector<uint32_t> logCalls_;
    std::vector<int32_t> logOf_;
    std::vector<std::string> callTexts_;
    std::vector<uint32_t> workedBy_;
};

}  // namespace host
