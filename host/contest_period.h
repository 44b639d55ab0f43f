// When the contest ran: read from --start and --end, or told from the times
// of the log's QSOs. The contest runs 24 hours from Saturday 12:00 UTC.
#pragma once

#include <string>
#include <vector>

#include "host/log_reader.h"
#include "plugin/stats_exports.h"

namespace host {

struct ContestPeriod {
    StatsDate start;
    StatsDate end;
    bool fromQsos = false;  // told from the QSOs, not given
    std::string warning;    // when the log's header names other dates
};

// "2026-12-05" (12:00 UTC, when the contest starts and ends), or the date
// followed by a blank or T and "12", "12:00" or "1200". Throws InputError
// naming the option and what is wrong.
StatsDate ParseWhen(const std::string& text, const char* option);

// The contest period from --start and --end (either may be empty) or, with
// neither, the 24 hours from a Saturday 12:00 UTC that hold the most QSOs;
// on a tie the one that holds a date of the log's header, else the earliest.
// Throws InputError when there is no QSO to tell it from, when it ends
// before it starts, or when it reaches outside the years 1900 to 9999.
ContestPeriod ChoosePeriod(const std::string& start, const std::string& end,
                           const std::vector<double>& qsoTimes,
                           const std::vector<LogTime>& headerDates, const std::string& logName);

// Whether a time lies in the period: from its start up to, not including,
// its end.
bool InPeriod(const ContestPeriod& period, double time);

// "2026-12-05 12:00".
std::string FormatWhen(const StatsDate& d);

}  // namespace host
