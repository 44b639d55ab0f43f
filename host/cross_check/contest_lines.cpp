#include "host/cross_check/contest_lines.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "host/cross_check/call_match.h"

namespace host {

uint32_t ContestLines::Intern(const std::string& call) {
    const auto found = callIds_.find(call);
    if (found != callIds_.end()) {
        return found->second;
    }
    const uint32_t id = static_cast<uint32_t>(callTexts_.size());
    callIds_.emplace(call, id);
    callTexts_.push_back(call);
    return id;
}

ContestLines::ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times) {
    std::map<std::string, uint16_t> bandModes;
    size_t total = 0;
    for (const EntrantLog& e : logs) {
        total += e.log.qsos.size();
    }
    lines_.reserve(total);
    for (uint32_t l = 0; l < logs.size(); ++l) {
        logCalls_.push_back(Intern(BaseCall(logs[l].call)));
    }
    for (uint32_t l = 0; l < logs.size(); ++l) {
        logBegin_.push_back(static_cast<uint32_t>(lines_.size()));
        const std::vector<LogQso>& qsos = logs[l].log.qsos;
        const LogQso* previous = nullptr;
        for (uint32_t q = 0; q < qsos.size(); ++q) {
            ContestLine line;
            line.log = l;
            line.qso = q;
            line.call = Intern(BaseCall(qsos[q].call));
            line.minute = MinuteOf(times[lines_.size()]);
            // A log keeps to one band and mode for runs of QSOs: the name of
            // the pair is looked up only when it changes.
            if (previous != nullptr && previous->band == qsos[q].band &&
                previous->mode == qsos[q].mode) {
                line.bandMode = lines_.back().bandMode;
            } else {
                line.bandMode = bandModes
                                    .emplace(qsos[q].band + " " + qsos[q].mode,
                                             static_cast<uint16_t>(bandModes.size()))
                                    .first->second;
            }
            previous = &qsos[q];
            lines_.push_back(line);
        }
    }
    logBegin_.push_back(static_cast<uint32_t>(lines_.size()));
    logOf_.assign(callTexts_.size(), -1);
    for (uint32_t l = 0; l < logs.size(); ++l) {
        logOf_[logCalls_[l]] = static_cast<int32_t>(l);
    }
    order_.resize(lines_.size());
    groups_.resize(lines_.size());
    minutes_.resize(lines_.size());
    for (uint32_t l = 0; l < logs.size(); ++l) {
        Sort(l);
    }
    workedBy_.assign(callTexts_.size(), 0);
    for (size_t k = 0; k < order_.size(); ++k) {
        const ContestLine& a = lines_[order_[k]];
        if (k == 0 || lines_[order_[k - 1]].log != a.log || lines_[order_[k - 1]].call != a.call) {
            ++workedBy_[a.call];
        }
    }
}

void ContestLines::Retime(const std::vector<double>& times) {
    for (uint32_t l = 0; l + 1 < logBegin_.size(); ++l) {
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
