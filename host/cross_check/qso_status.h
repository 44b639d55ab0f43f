// The verdict on each QSO line of a checked log: what the scoring found
// first, then what the other logs say.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/cross_check/contest_lines.h"
#include "host/cross_check/matching.h"
#include "host/problems.h"

namespace host {

enum class QsoStatus : uint8_t {
    kCounted,  // scored cleanly; the cross-check decides
    kUnreadable,
    kBadCall,
    kOutsidePeriod,
    kWrongBand,
    kWrongMode,
    kNoExchange,
    kNoCounty,
    kDupe,
    kBustedCall,
    kOk,
    kBustedExchange,
    kNil,
    kNoLog,
    kUnique,
    kNotANumber,  // 2020 rules: a serial number that is no number
};
constexpr size_t kQsoStatuses = 16;

// "busted-call"; and the JSON key, "busted_call".
const char* StatusName(QsoStatus s);
std::string StatusKey(QsoStatus s);

// Whether the QSO stays in the checked score.
bool Stands(QsoStatus s, bool keepUniques);

// The status a problem of the scoring gives, or kCounted for one that does
// not keep the QSO from being cross-checked.
QsoStatus StatusOfProblem(ProblemKind kind);

struct Verdict {
    QsoStatus status = QsoStatus::kCounted;
    std::string detail;
};

// Per line of lines(): the final verdict. scored holds the status the
// scoring gave each line.
std::vector<Verdict> CrossCheck(const ContestLines& lines, const Matches& matches,
                                const std::vector<EntrantLog>& logs,
                                const std::vector<QsoStatus>& scored);
// The same for the lines [from, to) alone, into out.
void CrossCheckLines(const ContestLines& lines, const Matches& matches,
                     const std::vector<EntrantLog>& logs, const std::vector<QsoStatus>& scored,
                     uint32_t from, uint32_t to, std::vector<Verdict>& out);

// The status the scoring gave a line.
using ScoredOf = std::function<QsoStatus(uint32_t line)>;

// For each line of one log that is not matched itself: the matched lines of
// the log that worked the same call on the same band and mode, one of which
// may be its dupe. Worked out for the whole log in one pass.
class GroupMatches {
  public:
    GroupMatches(const ContestLines& lines, const Matches& matches, uint32_t log);
    // The lines for a line of the log; none for a matched line.
    ContestLines::Range Of(uint32_t line) const;

  private:
    uint32_t first_;               // the log's first line
    std::vector<uint32_t> begin_;  // per line of the log: where its lines start in matched_
    std::vector<uint32_t> end_;
    std::vector<uint32_t> matched_;
};

// One line's verdict. It reads the scoring of the line itself and, when
// the line is not matched, of the lines GroupMatches gives it (found here
// when groups is null): a log's verdicts can be given while its lines are
// still being scored.
Verdict JudgeLine(const ContestLines& lines, const Matches& matches,
                  const std::vector<EntrantLog>& logs, const ScoredOf& scored, uint32_t line,
                  const GroupMatches* groups = nullptr);

}  // namespace host
