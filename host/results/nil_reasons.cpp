#include "host/results/nil_reasons.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "host/cross_check/call_match.h"
#include "host/cross_check/qso_times.h"

namespace host {
namespace {

// "14:35", the time as the other station logged it.
std::string Clock(const LogTime& t) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

}  // namespace

void ExplainNotInLog(CheckedContest& c) {
    std::unordered_map<std::string, const CheckedLog*> byCall;
    for (const CheckedLog& l : c.logs) {
        byCall.emplace(BaseCall(l.entrant->call), &l);
    }
    // The lines of a partner's log by the call they worked, in its order:
    // made for a log the first time a not-in-log names it, so that each
    // not-in-log looks at the few lines with our call, not at the whole log.
    using LinesByCall = std::unordered_map<std::string, std::vector<const CheckedQso*>>;
    std::unordered_map<const CheckedLog*, LinesByCall> indexes;
    auto linesOf = [&](const CheckedLog& log) -> const LinesByCall& {
        const auto known = indexes.find(&log);
        if (known != indexes.end()) {
            return known->second;
        }
        LinesByCall& index = indexes[&log];
        for (const CheckedQso& theirs : log.qsos) {
            if (theirs.qso != nullptr) {
                index[BaseCall(theirs.qso->call)].push_back(&theirs);
            }
        }
        return index;
    };
    for (CheckedLog& ours : c.logs) {
        const std::string ourCall = BaseCall(ours.entrant->call);
        for (CheckedQso& q : ours.qsos) {
            if (q.qso == nullptr || q.verdict.status != QsoStatus::kNil) {
                continue;
            }
            const auto partner = byCall.find(BaseCall(q.qso->call));
            const LogQso* nearest = nullptr;
            int32_t apart = 0;
            if (partner != byCall.end()) {
                const int32_t when = MinuteOf(q.time);
                const LinesByCall& theirLines = linesOf(*partner->second);
                const auto withUs = theirLines.find(ourCall);
                if (withUs != theirLines.end()) {
                    for (const CheckedQso* theirs : withUs->second) {
                        const int32_t d = std::abs(MinuteOf(theirs->time) - when);
                        if (d <= c.timeWindow && (nearest == nullptr || d < apart)) {
                            nearest = theirs->qso;
                            apart = d;
                        }
                    }
                }
            }
            q.verdict.detail =
                nearest != nullptr
                    ? partner->second->entrant->call + " logged you at " + Clock(nearest->time) +
                          " on " + nearest->band + " " + nearest->mode
                    : "no QSO with you within " + std::to_string(c.timeWindow) + " minutes";
        }
    }
}

}  // namespace host
