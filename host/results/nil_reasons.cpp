#include "host/results/nil_reasons.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

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
                for (const CheckedQso& theirs : partner->second->qsos) {
                    if (theirs.qso == nullptr || BaseCall(theirs.qso->call) != ourCall) {
                        continue;
                    }
                    const int32_t d = std::abs(MinuteOf(theirs.time) - when);
                    if (d <= c.timeWindow && (nearest == nullptr || d < apart)) {
                        nearest = theirs.qso;
                        apart = d;
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
