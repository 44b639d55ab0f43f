#include "host/cross_check/contest_lines.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "host/cross_check/call_match.h"

namespace host {

int32_t MinutesOf(const LogTime& t) {
    // Days from the civil date (proleptic Gregorian), counted from 1900.
    const int y = t.year - (t.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (t.month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + t.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int days = era * 146097 + doe - 693901;  // 693901: 1900-01-01 from 0000-03-01
    return days * 1440 + t.hour * 60 + t.minute;
}

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

ContestLines::ContestLines(const std::vector<EntrantLog>& logs) {
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
            line.minute = MinutesOf(qsos[q].time);
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

void ContestLines::Correct(const std::vector<int>& offsetMinutes) {
    for (ContestLine& line : lines_) {
        line.minute -= offsetMinutes[line.log];
    }
    Sort();
}

void ContestLines::Sort() {
    order_.resize(lines_.size());
    for (uint32_t i = 0; i < order_.size(); ++i) {
        order_[i] = i;
    }
    std::sort(order_.begin(), order_.end(), [this](uint32_t x, uint32_t y) {
        const ContestLine& a = lines_[x];
        const ContestLine& b = lines_[y];
        return std::tie(a.log, a.call, a.bandMode, a.minute, a.qso) <
               std::tie(b.log, b.call, b.bandMode, b.minute, b.qso);
    });
    groups_.clear();
    groups_.reserve(order_.size() / 2);
    uint32_t from = 0;
    for (uint32_t k = 1; k <= order_.size(); ++k) {
        const ContestLine& first = lines_[order_[from]];
        if (k < order_.size()) {
            const ContestLine& b = lines_[order_[k]];
            if (b.log == first.log && b.call == first.call && b.bandMode == first.bandMode) {
                continue;
            }
        }
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
    Range w;
    w.begin = std::lower_bound(r.begin, r.end, minute - window,
                               [this](uint32_t x, int32_t t) { return lines_[x].minute < t; });
    w.end = std::upper_bound(w.begin, r.end, minute + window,
                             [this](int32_t t, uint32_t x) { return t < lines_[x].minute; });
    return w;
}

}  // namespace host
