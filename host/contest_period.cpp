#include "host/contest_period.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/host_error.h"
#include "host/plugin_loader.h"
#include "platform/ole_date.h"

namespace host {
namespace {

StatsDate DayCount(double days) {
    StatsDate d;
    d.m_dt = days;
    return d;
}

// Day 0 of the day count, 30 December 1899, was a Saturday.
double SaturdayNoonAtOrBefore(double t) {
    return std::floor((t - 0.5) / 7.0) * 7.0 + 0.5;
}
double SundayNoonAtOrAfter(double t) {
    return std::ceil((t - 1.5) / 7.0) * 7.0 + 1.5;
}

}  // namespace

StatsDate ParseWhen(const std::string& text, const char* option) {
    int y = 0, mo = 0, d = 0, h = 12, mi = 0;
    char tail[8] = {};
    const int n =
        std::sscanf(text.c_str(), "%4d-%2d-%2d%*1[ T]%2d%*[:]%2d%7s", &y, &mo, &d, &h, &mi, tail);
    int n2 = 0;
    if (n < 5) {
        h = 12;
        mi = 0;
        int hhmm = 0;
        n2 = std::sscanf(text.c_str(), "%4d-%2d-%2d%*1[ T]%4d%7s", &y, &mo, &d, &hhmm, tail);
        if (n2 == 4) {
            h = hhmm / 100;
            mi = hhmm % 100;
        }
    }
    const bool shapeOk = (n == 5) || (n2 == 4) || (n == 3 && text.size() == 10);
    StatsDate date = MakeDate(y, mo, d, h, mi);
    if (!shapeOk || date.m_status != plat::kDateValid) {
        throw InputError(std::string(option) + " '" + text +
                         "' is not YYYY-MM-DD or YYYY-MM-DD HH:MM");
    }
    return date;
}

std::string FormatWhen(const StatsDate& d) {
    return plat::FormatOleDate(d, "%Y-%m-%d %H:%M");
}

ContestPeriod ChoosePeriod(const std::string& start, const std::string& end,
                           const std::vector<double>& qsoTimes, const std::string& logName) {
    ContestPeriod p;
    if (!start.empty()) {
        p.start = ParseWhen(start, "--start");
    }
    if (!end.empty()) {
        p.end = ParseWhen(end, "--end");
    }
    if (start.empty() && end.empty()) {
        if (qsoTimes.empty()) {
            throw InputError(logName + ": the log holds no QSO to date the contest; give --start");
        }
        const auto range = std::minmax_element(qsoTimes.begin(), qsoTimes.end());
        p.start = DayCount(SaturdayNoonAtOrBefore(*range.first));
        p.end = DayCount(std::max(p.start.m_dt + 1.0, SundayNoonAtOrAfter(*range.second)));
    } else if (end.empty()) {
        p.end = DayCount(p.start.m_dt + 1.0);
    } else if (start.empty()) {
        p.start = DayCount(p.end.m_dt - 1.0);
    }
    if (p.end.m_dt < p.start.m_dt) {
        throw InputError("the contest ends (" + FormatWhen(p.end) + ") before it starts (" +
                         FormatWhen(p.start) + ")");
    }
    return p;
}

}  // namespace host
