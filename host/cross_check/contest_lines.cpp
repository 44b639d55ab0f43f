#include "host/cross_check/contest_lines.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "host/cross_check/call_match.h"
#include "host/run_beside.h"

namespace host {

namespace {

// The calls and band-mode pairs that one run of logs' lines brings new, read
// beside another run: each new name gets its place among the run's new
// names, made an id when the runs are joined in order, so that every id is
// the one reading all the lines one after another gives (the order in which
// each name first comes).
struct NewNames {
    static constexpr uint32_t kNew = 0x80000000u;  // marks a call's place among calls
    std::unordered_map<std::string_view, uint32_t> calls;
    std::vector<std::string_view> callOrder;
    std::map<std::string, uint32_t> bandModes;
    std::vector<const std::string*> bandModeOrder;
    std::vector<uint32_t> callIds;      // the id of each place in callOrder
    std::vector<uint16_t> bandModeIds;  // the id of each place in bandModeOrder
};

// Gives a line read with names its final call and band-mode ids.
void Name(ContestLine& line, const NewNames& names, uint32_t bandModePlace) {
    if ((line.call & NewNames::kNew) != 0) {
        line.call = names.callIds[line.call & ~NewNames::kNew];
    }
    line.bandMode = names.bandModeIds[bandModePlace];
}

}  // namespace

ContestLines::ContestLines(const std::vector<EntrantLog>& logs, const std::vector<double>& times) {
    logBegin_.reserve(logs.size() + 1);
    logBegin_.push_back(0);
    for (const EntrantLog& e : logs) {
        logBegin_.push_back(logBegin_.back() + static_cast<uint32_t>(e.log.qsos.size()));
    }
    lines_.resize(logBegin_.back());
    // The logs' own calls come first. The views point into the logs, which
    // outlive this constructor.
    std::unordered_map<std::string_view, uint32_t> ids;
    for (const EntrantLog& e : logs) {
        const std::string_view call = BaseCallView(e.call);
        const auto known = ids.emplace(call, static_cast<uint32_t>(callTexts_.size()));
        if (known.second) {
            callTexts_.emplace_back(call);
        }
        logCalls_.push_back(known.first->second);
    }
    // Each half of the lines is read on its own thread; a line's call is
    // the id of a log's call or its place among its half's new calls, and
    // its band-mode pair's place is kept aside until the halves are joined.
    std::vector<uint32_t> bandModePlaces(lines_.size());
    NewNames names[2];
    // The halves are cut by lines, not by logs, so that one long log is
    // shared too; a half may start within a log.
    auto read = [&](uint32_t from, uint32_t to, NewNames& fresh) {
        uint32_t l = static_cast<uint32_t>(
            std::upper_bound(logBegin_.begin(), logBegin_.end(), from) - logBegin_.begin() - 1);
        const LogQso* previous = nullptr;
        uint32_t bandMode = 0;
        for (uint32_t i = from; i < to; ++i) {
            while (i >= logBegin_[l + 1]) {
                ++l;
                previous = nullptr;
            }
            const uint32_t q = i - logBegin_[l];
            const LogQso& qso = logs[l].log.qsos[q];
            ContestLine& line = lines_[i];
            line.log = l;
            line.qso = q;
            const std::string_view call = BaseCallView(qso.call);
            const auto known = ids.find(call);
            if (known != ids.end()) {
                line.call = known->second;
            } else {
                const auto added =
                    fresh.calls.emplace(call, static_cast<uint32_t>(fresh.callOrder.size()));
                if (added.second) {
                    fresh.callOrder.push_back(call);
                }
                line.call = NewNames::kNew | added.first->second;
            }
            line.minute = MinuteOf(times[i]);
            // A log keeps to one band and mode for runs of QSOs: the name of
            // the pair is looked up only when it changes.
            if (previous == nullptr || previous->band != qso.band || previous->mode != qso.mode) {
                const auto added = fresh.bandModes.emplace(
                    qso.band + " " + qso.mode, static_cast<uint32_t>(fresh.bandModeOrder.size()));
                if (added.second) {
                    fresh.bandModeOrder.push_back(&added.first->first);
                }
                bandMode = added.first->second;
            }
            bandModePlaces[i] = bandMode;
            previous = &qso;
        }
    };
    const uint32_t total = static_cast<uint32_t>(lines_.size());
    RunBeside([&] { read(total / 2, total, names[1]); }, [&] { read(0, total / 2, names[0]); });

    // The halves joined in order: each new name an id, as it first came.
    // The first half's new calls are new to the contest; the second half's
    // may be among them.
    for (const std::string_view call : names[0].callOrder) {
        names[0].callIds.push_back(static_cast<uint32_t>(callTexts_.size()));
        callTexts_.emplace_back(call);
    }
    for (const std::string_view call : names[1].callOrder) {
        const auto first = names[0].calls.find(call);
        if (first != names[0].calls.end()) {
            names[1].callIds.push_back(names[0].callIds[first->second]);
        } else {
            names[1].callIds.push_back(static_cast<uint32_t>(callTexts_.size()));
            callTexts_.emplace_back(call);
        }
    }
    std::map<std::string, uint16_t> bandModes;
    for (NewNames& fresh : names) {
        for (const std::string* pair : fresh.bandModeOrder) {
            fresh.bandModeIds.push_back(
                bandModes.emplace(*pair, static_cast<uint16_t>(bandModes.size())).first->second);
        }
    }
    logOf_.assign(callTexts_.size(), -1);
    for (uint32_t l = 0; l < logs.size(); ++l) {
        logOf_[logCalls_[l]] = static_cast<int32_t>(l);
    }
    order_.resize(lines_.size());
    groups_.resize(lines_.size());
    minutes_.resize(lines_.size());
    // Each half's lines take their ids beside the other's; then each half
    // of the logs is sorted, and the logs that worked each call counted.
    RunBeside(
        [&] {
            for (uint32_t i = total / 2; i < total; ++i) {
                Name(lines_[i], names[1], bandModePlaces[i]);
            }
        },
        [&] {
            for (uint32_t i = 0; i < total / 2; ++i) {
                Name(lines_[i], names[0], bandModePlaces[i]);
            }
        });
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
