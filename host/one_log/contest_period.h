// When the contest ran: read from --start and --end, or told from the times
// of the log's QSOs. The contest runs 24 hours from a Saturday, 07:00 or
// 12:00 UTC.
#pragma once

#include <string>
#include <vector>

#include "host/readers/log_reader.h"
#include "plugin/stats_exports.h"
#include "scoring/rule_set.h"

namespace host {

// How the period was chosen, as reports name it.
extern const char* const kChosenByOptions;     // "options": --start, --end
extern const char* const kChosenByMostQsos;    // "most QSOs"
extern const char* const kChosenByTie;         // "12:00 on a tie": 07:00 held as many
extern const char* const kChosenByHeaderDate;  // "header date": among equal Saturdays
extern const char* const kChosenByEarliest;    // "earliest weekend": among equal Saturdays

struct ContestPeriod {
    StatsDate start;
    StatsDate end;
    bool fromQsos = false;  // told from the QSOs, not given
    std::string chosenBy;   // one of the kChosenBy texts
    std::string warning;    // another Saturday held as many QSOs, or the header names
                            // dates outside the period
};

// "2026-12-05" (12:00 UTC, when the contest starts and ends; 07:00 under
// the 2020 rules), or the date followed by a blank or T and "12", "12:00" or
// "1200". Throws InputError naming the option and what is wrong.
StatsDate ParseWhen(const std::string& text, const char* option, RuleSet rules = RuleSet::kClassic);

// The contest period from --start and --end (either may be empty) or, with
// neither, told from the QSO times: of the 24-hour periods that start on a
// Saturday at 07:00 or 12:00 UTC (07:00 alone under the 2020 rules), the
// one that holds the most QSOs; on one
// Saturday a tie goes to 12:00; among several Saturdays the one whose
// weekend a header date names, else the earliest (with a warning). A caller
// without a header passes no dates. Throws InputError when no QSO lies in
// such a period, when it ends before it starts, or when it reaches outside
// the years 1900 to 9999; logName starts the message for a log without QSOs.
ContestPeriod ChoosePeriod(const std::string& start, const std::string& end,
                           const std::vector<double>& qsoTimes,
                           const std::vector<LogTime>& headerDates, const std::string& logName,
                           RuleSet rules = RuleSet::kClassic);

// Whether a time lies in the period: from its start up to, not including,
// its end.
bool InPeriod(const ContestPeriod& period, double time);

// "2026-12-05 12:00".
std::string FormatWhen(const StatsDate& d);

}  // namespace host
