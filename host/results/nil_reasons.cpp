#include "host/results/nil_reasons.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
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

// A not-in-log line of ours whose partner sent a log: the partner's line
// with our call nearest in time, once the partner's log was read.
struct Question {
    CheckedQso* line = nullptr;
    const CheckedLog* partner = nullptr;
    int32_t when = 0;  // our line's minute
    const LogQso* nearest = nullptr;
    int32_t apart = 0;
};

}  // namespace

void ExplainNotInLog(CheckedContest& c) {
    // The views point into the entrants' calls, which outlive this.
    std::unordered_map<std::string_view, size_t> byCall;
    for (size_t l = 0; l < c.logs.size(); ++l) {
        byCall.emplace(BaseCallView(c.logs[l].entrant->call), l);
    }
    // The questions to each partner's log by the call they are about (ours):
    // each partner's log is then read once, line by line, for all of them,
    // and its lines with none of those calls cost one look-up each.
    std::vector<Question> questions;
    std::vector<std::unordered_map<std::string_view, std::vector<size_t>>> asked(c.logs.size());
    const std::string none = "no QSO with you within " + std::to_string(c.timeWindow) + " minutes";
    for (CheckedLog& ours : c.logs) {
        const std::string_view ourCall = BaseCallView(ours.entrant->call);
        for (CheckedQso& q : ours.qsos) {
            if (q.qso == nullptr || q.verdict.status != QsoStatus::kNil) {
                continue;
            }
            const auto partner = byCall.find(BaseCallView(q.qso->call));
            if (partner == byCall.end()) {
                q.verdict.detail = none;
                continue;
            }
            Question question;
            question.line = &q;
            question.partner = &c.logs[partner->second];
            question.when = MinuteOf(q.time);
            asked[partner->second][ourCall].push_back(questions.size());
            questions.push_back(question);
        }
    }
    for (size_t p = 0; p < c.logs.size(); ++p) {
        if (asked[p].empty()) {
            continue;
        }
        // In the partner's file order: of two lines as near, the first.
        for (const CheckedQso& theirs : c.logs[p].qsos) {
            if (theirs.qso == nullptr) {
                continue;
            }
            const auto withUs = asked[p].find(BaseCallView(theirs.qso->call));
            if (withUs == asked[p].end()) {
                continue;
            }
            const int32_t minute = MinuteOf(theirs.time);
            for (size_t k : withUs->second) {
                Question& question = questions[k];
                const int32_t d = std::abs(minute - question.when);
                if (d <= c.timeWindow && (question.nearest == nullptr || d < question.apart)) {
                    question.nearest = theirs.qso;
                    question.apart = d;
                }
            }
        }
    }
    for (const Question& question : questions) {
        const LogQso* nearest = question.nearest;
        question.line->verdict.detail = nearest != nullptr
                                            ? question.partner->entrant->call + " logged you at " +
                                                  Clock(nearest->time) + " on " + nearest->band +
                                                  " " + nearest->mode
                                            : none;
    }
}

}  // namespace host
