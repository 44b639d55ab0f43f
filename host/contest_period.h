// When the contest ran: read from --start and --end, or told from the
// times of the log's QSOs.
#pragma once

#include <string>
#include <vector>

#include "plugin/stats_exports.h"

namespace host {

struct ContestPeriod {
    StatsDate start;
    StatsDate end;
};

// "2026-12-05", "2026-12-05 12:00", "2026-12-05T1200"; a date alone means
// 12:00 UTC, when the contest starts and ends. Throws InputError naming the
// option for anything else.
StatsDate ParseWhen(const std::string& text, const char* option);

// The contest period from the options (either may be empty) and the QSO
// times (automation day counts). Throws InputError when it cannot be told
// or ends before it starts.
ContestPeriod ChoosePeriod(const std::string& start, const std::string& end,
                           const std::vector<double>& qsoTimes, const std::string& logName);

// "2026-12-05 12:00".
std::string FormatWhen(const StatsDate& d);

}  // namespace host
