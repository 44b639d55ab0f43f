#include "host/cross_check/qso_status.h"

#include <algorithm>

#include "host/cross_check/call_match.h"
#include "host/readers/exchange_text.h"
#include "host/run_beside.h"

namespace host {
namespace {

const char* const kNames[kQsoStatuses] = {
    "counted",     "unreadable", "bad-call", "outside-period", "wrong-band", "wrong-mode",
    "no-exchange", "no-county",  "dupe",     "busted-call",    "ok",         "busted-exchange",
    "nil",         "no-log",     "unique",   "not-a-number"};

const LogQso& QsoOf(const std::vector<EntrantLog>& logs, const ContestLine& line) {
    return logs[line.log].log.qsos[line.qso];
}

bool Matched(const Matches& m, uint32_t line) {
    return m.kind[line] == MatchKind::kExact || m.kind[line] == MatchKind::kTheyBust;
}

// Whether one of our dupes of the line was matched by the other side, among
// the matched lines of its call, band and mode.
bool DupeMatched(const ContestLines::Range& matched, const ScoredOf& scored) {
    for (const uint32_t* j = matched.begin; j != matched.end; ++j) {
        if (scored(*j) == QsoStatus::kDupe) {
            return true;
        }
    }
    return false;
}
// The same among all lines of the call, band and mode, matched or not.
bool DupeMatched(const ContestLines::Range& group, const Matches& m, const ScoredOf& scored) {
    for (const uint32_t* j = group.begin; j != group.end; ++j) {
        if (Matched(m, *j) && scored(*j) == QsoStatus::kDupe) {
            return true;
        }
    }
    return false;
}

}  // namespace

const char* StatusName(QsoStatus s) {
    return kNames[static_cast<size_t>(s)];
}

std::string StatusKey(QsoStatus s) {
    std::string key = StatusName(s);
    for (char& c : key) {
        c = c == '-' ? '_' : c;
    }
    return key;
}

bool Stands(QsoStatus s, bool keepUniques) {
    return s == QsoStatus::kOk || s == QsoStatus::kNoLog ||
           (s == QsoStatus::kUnique && keepUniques);
}

QsoStatus StatusOfProblem(ProblemKind kind) {
    // Every kind is named, so that a new one is placed here before it builds.
    switch (kind) {
        case ProblemKind::kUnreadable:
            return QsoStatus::kUnreadable;
        case ProblemKind::kBadCall:
            return QsoStatus::kBadCall;
        case ProblemKind::kOutsidePeriod:
            return QsoStatus::kOutsidePeriod;
        case ProblemKind::kWrongBand:
            return QsoStatus::kWrongBand;
        case ProblemKind::kWrongMode:
            return QsoStatus::kWrongMode;
        case ProblemKind::kNoExchange:
            return QsoStatus::kNoExchange;
        case ProblemKind::kNoCounty:
            return QsoStatus::kNoCounty;
        case ProblemKind::kDupe:
            return QsoStatus::kDupe;
        case ProblemKind::kNotANumber:
            return QsoStatus::kNotANumber;
        case ProblemKind::kNoCountry:
            // Scored all the same: the cross-check decides.
            return QsoStatus::kCounted;
    }
    return QsoStatus::kCounted;  // not a kind at all
}

Verdict JudgeLine(const ContestLines& lines, const Matches& m, const std::vector<EntrantLog>& logs,
                  const ScoredOf& scored, uint32_t i, const GroupMatches* groups) {
    const std::vector<ContestLine>& all = lines.lines();
    Verdict v;
    v.status = scored(i);
    if (v.status != QsoStatus::kCounted) {
        return v;
    }
    const ContestLine& line = all[i];
    const MatchKind kind = m.kind[i];
    if (kind == MatchKind::kWeBust) {
        v.status = QsoStatus::kBustedCall;
        v.detail = logs[all[m.partner[i]].log].call;
    } else if (kind == MatchKind::kExact || kind == MatchKind::kTheyBust) {
        const LogQso& theirs = QsoOf(logs, all[m.partner[i]]);
        if (SameExchange(QsoOf(logs, line).exchRcvd, theirs.exchSent)) {
            v.status = QsoStatus::kOk;
        } else {
            v.status = QsoStatus::kBustedExchange;
            v.detail = NormalisedExchange(theirs.exchSent);
        }
    } else if (groups != nullptr
                   ? DupeMatched(groups->Of(i), scored)
                   : DupeMatched(lines.Find(line.log, line.call, line.bandMode), m, scored)) {
        v.status = QsoStatus::kOk;
    } else if (lines.LogOf(line.call) >= 0) {
        v.status = QsoStatus::kNil;
    } else {
        v.status = lines.WorkedBy(line.call) >= 2 ? QsoStatus::kNoLog : QsoStatus::kUnique;
    }
    return v;
}

GroupMatches::GroupMatches(const ContestLines& lines, const Matches& m, uint32_t log) {
    const ContestLines::Range sorted = lines.Sorted(log);
    const size_t count = static_cast<size_t>(sorted.end - sorted.begin);
    first_ = count == 0 ? 0 : *std::min_element(sorted.begin, sorted.end);
    begin_.assign(count, 0);
    end_.assign(count, 0);
    const std::vector<ContestLine>& all = lines.lines();
    const auto sameGroup = [&](uint32_t a, uint32_t b) {
        return all[a].call == all[b].call && all[a].bandMode == all[b].bandMode;
    };
    for (const uint32_t* group = sorted.begin; group != sorted.end;) {
        const uint32_t* next = group;
        const uint32_t from = static_cast<uint32_t>(matched_.size());
        while (next != sorted.end && sameGroup(*next, *group)) {
            if (Matched(m, *next)) {
                matched_.push_back(*next);
            }
            ++next;
        }
        const uint32_t to = static_cast<uint32_t>(matched_.size());
        for (const uint32_t* line = group; line != next; ++line) {
            if (m.kind[*line] == MatchKind::kNone) {
                begin_[*line - first_] = from;
                end_[*line - first_] = to;
            }
        }
        group = next;
    }
}

ContestLines::Range GroupMatches::Of(uint32_t line) const {
    return {matched_.data() + begin_[line - first_], matched_.data() + end_[line - first_]};
}

void CrossCheckLines(const ContestLines& lines, const Matches& m,
                     const std::vector<EntrantLog>& logs, const std::vector<QsoStatus>& scored,
                     uint32_t from, uint32_t to, std::vector<Verdict>& out) {
    const ScoredOf scoredOf = [&scored](uint32_t j) { return scored[j]; };
    // Each line's verdict is its own: half the lines on each core.
    auto judge = [&](uint32_t a, uint32_t b) {
        for (uint32_t i = a; i < b; ++i) {
            out[i] = JudgeLine(lines, m, logs, scoredOf, i);
        }
    };
    const uint32_t middle = from + (to - from) / 2;
    RunBeside([&] { judge(middle, to); }, [&] { judge(from, middle); });
}

std::vector<Verdict> CrossCheck(const ContestLines& lines, const Matches& m,
                                const std::vector<EntrantLog>& logs,
                                const std::vector<QsoStatus>& scored) {
    std::vector<Verdict> out(lines.lines().size());
    CrossCheckLines(lines, m, logs, scored, 0, static_cast<uint32_t>(out.size()), out);
    return out;
}

}  // namespace host
