// The report each entrant receives, as text (OUT/ubn/<CALL>.txt) and in the
// pieces its page on the published site lays out as tables: the scores and
// the standing, the warnings, the figures per band, the multipliers lost,
// every QSO that did not stand by kind, who copied the entrant wrong and
// what the scoring found.
#pragma once

#include <string>
#include <vector>

#include "host/cross_check/checked_contest.h"

namespace host {

// One kind of QSO that did not stand (or, for uniques, may stand).
struct QsoSection {
    QsoStatus status;
    std::string title;   // "Not in log: ... (they do not count)"
    std::string detail;  // what a line's detail means, "you worked"; "" for none
};

// The kinds, in the report's order.
std::vector<QsoSection> QsoSections(bool keepUniques);

// The lines above the warnings: the claimed and checked score, the error
// rate, the category and the ranks.
std::vector<std::string> SummaryLines(const CheckedLog& l);
// Whether a clock offset was found and applied.
std::string ClockLine(const CheckedLog& l);
// "DXCC DL (Germany)", "county BGD".
std::string MultiplierName(const LostMultiplier& m);
// "  line 12  2026-02-14 12:03  20m CW  DL1ABC"; the line number alone for a
// line that could not be read.
std::string QsoLineText(const CheckedQso& q);
// The same, appended to out.
void AppendQsoLineText(std::string& out, const CheckedQso& q);
// A line's detail as its section explains it: "you worked DL1ABD".
std::string QsoDetail(const QsoSection& s, const CheckedQso& q);

extern const char* const kCopiedWrongTitle;
extern const char* const kLostMultipliersTitle;
extern const char* const kProblemsTitle;

// The report of one log, as text.
std::string EntrantReport(const CheckedLog& l, bool keepUniques);

}  // namespace host
