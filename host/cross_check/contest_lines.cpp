#include "host/cross_check/contest_lines.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <tuple>

#include "host/cross_check/call_match.h"
#include "host/cross_check/text_table.h"
#include "host/run_beside.h"

namespace host {

ContestLines::ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times)
    : ContestLines(logs, times, QsoCalls(logs)) {}

ContestLines::ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times,
                           const QsoCalls& calls) {
    logBegin_.reserve(logs.size() + 1);
    logBegin_.push_back(0);
    for (const EntrantLog& e : logs) {
        logBegin_.push_back(logBegin_.back() + static_cast<uint32_t>(e.log.qsos.size()));
    }
    lines_.resize(logBegin_.back());
    // The logs' own calls come first, then the worked ones in the order they
    // first come. Each distinct call as logged is taken once: a call's base
    // first comes with the first of the calls that share it.
    TextTable bases;
    for (const EntrantLog& e : logs) {
        logCalls_.push_back(bases.Intern(BaseCallView(e.call)).first);
    }
    std::vector<uint32_t> baseOf;
    baseOf.reserve(calls.calls().size());
    for (const std::string* call : calls.calls()) {
        baseOf.push_back(bases.Intern(BaseCallView(*call)).first);
    }
    callTexts_.reserve(bases.texts().size());
    for (const std::string_view text : bases.texts()) {
        callTexts_.emplace_back(text);
    }

    // A log keeps to one band and mode for runs of QSOs: the name of the
    // pair is looked up only when it changes.
    std::map<std::string, uint16_t> bandModes;
    const std::vector<uint32_t>& callOfQso = calls.ofQso();
    uint32_t i = 0;
    for (uint32_t l = 0; l < logs.size(); ++l) {
        const std::vector<LogQso>& qsos = logs[l].log.qsos;
        uint16_t bandMode = 0;
        for (uint32_t q = 0; q < qsos.size(); ++q, ++i) {
            ContestLine& line = lines_[i];
            line.log = l;
            line.qso = q;
            line.call = baseOf[callOfQso[i]];
            line.minute = MinuteOf(times[i]);
            if (q == 0 || qsos[q - 1].band != qsos[q].band || qsos[q - 1].mode != qsos[q].mode) {
                bandMode = bandModes
                               .emplace(qsos[q].band + " " + qsos[q].mode,
                                        static_cast<uint16_t>(bandModes.size()))
                               .first->second;
            }
            line.bandMode = bandMode;
        }
    }
    logOf_.assign(callTexts_.size(), -1);
    for (uint32_t l = 0; l < logs.size(); ++l) {
        logOf_[logCalls_[l]] = static_cast<int32_t>(l);
    }
    order_.resize(lines_.size());
    groups_.resize(lines_.size());
    minutes_.resize(lines_.size());
    // Each half of the logs is sorted, and the logs that worked each call
    // counted, beside the other.
    std::vector<uint32_t> workedBy[2];
    auto finish = [&](uint32_t from, uint32_t to, std::vector<uint32_t>& worked) {
        worked.assign(callTexts_.size(), 0);
        for (uint32_t l = from; l < to; ++l) {
            Sort(l);
        }
        for (uint32_t k = logBegin_[from]; k < logBegin_[to]; ++k) {
            const ContestLine& a = lines_[order_[k]];
            if (k == logBegin_[from] || lines_[order_[k - 1]].log != a.log ||
                lines_[order_[k - 1]].call != a.call) {
                ++worked[a.call];
            }
        }
    };
    const uint32_t half = static_cast<uint32_t>(HalfWay(logBegin_));
    const uint32_t logCount = static_cast<uint32_t>(logs.size());
    RunBeside([&] { finish(half, logCount, workedBy[1]); }, [&] { finish(0, half, workedBy[0]); });
    workedBy_ = std::move(workedBy[0]);
    for (size_t c = 0; c < workedBy_.size(); ++c) {
        workedBy_[c] += workedBy[1][c];
    }
}

void ContestLines::Retime(const std::vector<double>& times) {
    auto retime = [&](uint32_t from, uint32_t to) {
        for (uint32_t l = from; l < to; ++l) {
            bool changed = false;
            for (uint32_t i = logBegin_[l]; i < logBegin_[l + 1]; ++i) {
                const int32_t minute = MinuteOf(times[i]);
                changed = changed || minute != lines_[i].minute;
                lines_[i].minute = minute;
            }
            if (changed) {
                Sort(l);
            }
        }
    };
    const uint32_t half = static_cast<uint32_t>(HalfWay(logBegin_));
    const uint32_t logCount = static_cast<uint32_t>(logBegin_.size() - 1);
    RunBeside([&] { retime(half, logCount); }, [&] { retime(0, half); });
}

void ContestLines::Sort(uint32_t log) {
    struct Key {
        uint64_t group;
        int32_t minute;
        uint32_t index;
        bool operator<(const Key& o) const {
            return std::tie(group, minute, index) < std::tie(o.group, o.minute, o.index);
        }
    };
    const uint32_t begin = logBegin_[log];
    std::vector<Key> keys(logBegin_[log + 1] - begin);
    for (uint32_t k = 0; k < keys.size(); ++k) {
        const ContestLine& a = lines_[begin + k];
        keys[k] = {GroupKey(a.call, a.bandMode), a.minute, begin + k};
    }
    std::sort(keys.begin(), keys.end());
    for (uint32_t k = 0; k < keys.size(); ++k) {
        order_[begin + k] = keys[k].index;
        groups_[begin + k] = keys[k].group;
        minutes_[begin + k] = keys[k].minute;
    }
}

ContestLines::Range ContestLines::Find(uint32_t log, uint32_t call, uint16_t bandMode) const {
    const uint64_t* first = groups_.data() + logBegin_[log];
    const uint64_t* last = groups_.data() + logBegin_[log + 1];
    const auto found = std::equal_range(first, last, GroupKey(call, bandMode));
    Range r;
    r.begin = order_.data() + (found.first - groups_.data());
    r.end = order_.data() + (found.second - groups_.data());
    return r;
}

ContestLines::Range ContestLines::Within(Range r, int32_t minute, int window) const {
    if (r.begin == r.end) {
        return r;  // also the empty range of a group that has no lines
    }
    const int32_t* times = minutes_.data() + (r.begin - order_.data());
    const int32_t* timesEnd = times + (r.end - r.begin);
    const int32_t* from = std::lower_bound(times, timesEnd, minute - window);
    const int32_t* to = std::upper_bound(from, timesEnd, minute + window);
    Range w;
    w.begin = r.begin + (from - times);
    w.end = r.begin + (to - times);
    return w;
}

}  // namespace host
