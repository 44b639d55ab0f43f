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

uint32_t ContestLines::FindCall(const std::string& text) const {
    const auto found = callIds_.find(text);
    return found == callIds_.end() ? UINT32_MAX : found->second;
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
        const std::vector<LogQso>& qsos = logs[l].log.qsos;
        for (uint32_t q = 0; q < qsos.size(); ++q) {
            ContestLine line;
            line.log = l;
            line.qso = q;
            line.call = Intern(BaseCall(qsos[q].call));
            line.minute = MinuteOf(times[lines_.size()]);
            const auto bm = bandModes
                                .emplace(qsos[q].band + " " + qsos[q].mode,
                                         static_cast<uint16_t>(bandModes.size()))
                                .first;
            line.bandMode = bm->second;
            lines_.push_back(line);
        }
    }
    logOf_.assign(callTexts_.size(), -1);
    for (uint32_t l = 0; l < logs.size(); ++l) {
        logOf_[logCalls_[l]] = static_cast<int32_t>(l);
    }
    Sort();
    workedBy_.assign(callTexts_.size(), 0);
    for (size_t k = 0; k < order_.size(); ++k) {
        const ContestLine& a = lines_[order_[k]];
        if (k == 0 || lines_[order_[k - 1]].log != a.log || lines_[order_[k - 1]].call != a.call) {
            ++workedBy_[a.call];
        }
    }
}

void ContestLines::Retime(const std::vector<double>& times) {
    for (size_t i = 0; i < lines_.size(); ++i) {
        lines_[i].minute = MinuteOf(times[i]);
    }
    Sort();
}

void ContestLines::Sort() {
    // Sorted as plain keys side by side, not through the lines: a contest
    // has a million of them.
    struct Key {
        uint64_t group;
        int32_t minute;
        uint32_t index;  // lines_ are in (log, qso) order
        bool operator<(const Key& o) const {
            return std::tie(group, minute, index) < std::tie(o.group, o.minute, o.index);
        }
    };
    std::vector<Key> keys(lines_.size());
    for (uint32_t i = 0; i < keys.size(); ++i) {
        const ContestLine& a = lines_[i];
        keys[i] = {GroupKey(a.log, a.call, a.bandMode), a.minute, i};
    }
    std::sort(keys.begin(), keys.end());
    order_.resize(keys.size());
    minutes_.resize(keys.size());
    for (size_t k = 0; k < keys.size(); ++k) {
        order_[k] = keys[k].index;
        minutes_[k] = keys[k].minute;
    }
    groups_.clear();
    groups_.reserve(order_.size() / 2);
    uint32_t from = 0;
    for (uint32_t k = 1; k <= keys.size(); ++k) {
        if (k < keys.size() && keys[k].group == keys[from].group) {
            continue;
        }
        const ContestLine& first = lines_[order_[from]];
        groups_.emplace(GroupKey(first.log, first.call, first.bandMode), std::make_pair(from, k));
        from = k;
    }
}

ContestLines::Range ContestLines::Find(uint32_t log, uint32_t call, uint16_t bandMode) const {
    Range r;
    const auto found = groups_.find(GroupKey(log, call, bandMode));
    if (found != groups_.end()) {
        r.begin = order_.data() + found->second.first;
        r.end = order_.data() + found->second.second;
    }
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
