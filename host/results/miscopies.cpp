#include "host/results/miscopies.h"

#include <unordered_map>

namespace host {

void FindMiscopies(CheckedContest& c) {
    std::unordered_map<std::string, CheckedLog*> byCall;
    for (CheckedLog& l : c.logs) {
        l.standing.copiedWrong.clear();
        byCall.emplace(l.entrant->call, &l);
    }
    for (const CheckedLog& theirs : c.logs) {
        for (const CheckedQso& q : theirs.qsos) {
            if (q.qso == nullptr) {
                continue;
            }
            const bool call = q.verdict.status == QsoStatus::kBustedCall;
            if (!call && q.verdict.status != QsoStatus::kBustedExchange) {
                continue;
            }
            // A busted call names the station worked; a busted exchange was
            // logged under the right call.
            const auto ours = byCall.find(call ? q.verdict.detail : q.qso->call);
            if (ours == byCall.end() || ours->second == &theirs) {
                continue;
            }
            std::string text = theirs.entrant->call + " (line " + std::to_string(q.line) + ")  " +
                               LoggedTime(q.qso->time) + "  " + q.qso->band + " " + q.qso->mode +
                               "  ";
            if (call) {
                text += "logged your call as " + q.qso->call;
            } else {
                text +=
                    "logged your exchange as " + q.qso->exchRcvd + ", you sent " + q.verdict.detail;
            }
            ours->second->standing.copiedWrong.push_back(text);
        }
    }
}

}  // namespace host
