#include "host/contest_period.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

#include "host/host_error.h"
#include "host/plugin_loader.h"
#include "platform/ole_date.h"

namespace host {
namespace {

// Half a second, in days: times that differ by less are the same minute.
constexpr double kHalfSecond = 0.5 / 86400.0;

StatsDate DayCount(double days) {
    StatsDate d;
    d.m_dt = days;
    return d;
}

// The week a time falls in, counted in Saturdays 12:00 UTC: day 0 of the day
// count, 30 December 1899, was a Saturday.
double WeekOf(double t) {
    return std::floor((t + kHalfSecond - 0.5) / 7.0);
}
double SaturdayNoonOfWeek(double week) {
    return week * 7.0 + 0.5;
}

bool AllDigits(const std::string& s, size_t from, size_t n) {
    if (from + n > s.size()) {
        return false;
    }
    for (size_t i = from; i < from + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) {
            return false;
        }
    }
    return true;
}

int Number(const std::string& s, size_t from, size_t n) {
    return std::stoi(s.substr(from, n));
}

double Limit(int year, int month, int day, int hour, int minute, int second) {
    double t = 0.0;
    plat::FieldsToOleDate(year, month, day, hour, minute, second, t);
    return t;
}

void CheckYears(const ContestPeriod& p) {
    if (p.start.m_dt < Limit(1900, 1, 1, 0, 0, 0) - kHalfSecond ||
        p.end.m_dt > Limit(9999, 12, 31, 23, 59, 59) + kHalfSecond) {
        throw InputError(std::string("the contest period must lie between 1900 and 9999") +
                         (p.fromQsos ? " (told from the log's QSOs; give --start)" : ""));
    }
}

}  // namespace

StatsDate ParseWhen(const std::string& text, const char* option) {
    const std::string quoted = std::string(option) + " '" + text + "'";
    int hour = 12;
    int minute = 0;
    const bool dateShape = AllDigits(text, 0, 4) && text.size() >= 10 && text[4] == '-' &&
                           AllDigits(text, 5, 2) && text[7] == '-' && AllDigits(text, 8, 2);
    bool shape = dateShape && text.size() == 10;
    if (dateShape && text.size() > 11 && (text[10] == ' ' || text[10] == 'T')) {
        const std::string clock = text.substr(11);
        if (clock.size() == 2 && AllDigits(clock, 0, 2)) {
            shape = true;
            hour = Number(clock, 0, 2);
            minute = 0;
        } else if (clock.size() == 5 && clock[2] == ':' && AllDigits(clock, 0, 2) &&
                   AllDigits(clock, 3, 2)) {
            shape = true;
            hour = Number(clock, 0, 2);
            minute = Number(clock, 3, 2);
        } else if (clock.size() == 4 && AllDigits(clock, 0, 4)) {
            shape = true;
            hour = Number(clock, 0, 2);
            minute = Number(clock, 2, 2);
        }
    }
    if (!shape) {
        throw InputError(quoted +
                         " is not YYYY-MM-DD, or YYYY-MM-DD followed by HH, HH:MM or HHMM (UTC)");
    }
    const int year = Number(text, 0, 4);
    const int month = Number(text, 5, 2);
    const int day = Number(text, 8, 2);
    if (month < 1 || month > 12) {
        throw InputError(quoted + ": there is no month " + std::to_string(month));
    }
    if (hour > 23) {
        throw InputError(quoted + ": there is no hour " + std::to_string(hour));
    }
    if (minute > 59) {
        throw InputError(quoted + ": there is no minute " + std::to_string(minute));
    }
    if (year < 1900) {
        throw InputError(quoted + ": the contest period must lie between 1900 and 9999");
    }
    const StatsDate date = MakeDate(year, month, day, hour, minute);
    if (date.m_status != plat::kDateValid) {
        throw InputError(quoted + ": the day " + text.substr(0, 10) + " does not exist");
    }
    return date;
}

std::string FormatWhen(const StatsDate& d) {
    return plat::FormatOleDate(d, "%Y-%m-%d %H:%M");
}

bool InPeriod(const ContestPeriod& period, double time) {
    return time >= period.start.m_dt - kHalfSecond && time < period.end.m_dt - kHalfSecond;
}

ContestPeriod ChoosePeriod(const std::string& start, const std::string& end,
                           const std::vector<double>& qsoTimes,
                           const std::vector<LogTime>& headerDates, const std::string& logName) {
    ContestPeriod p;
    if (!start.empty()) {
        p.start = ParseWhen(start, "--start");
    }
    if (!end.empty()) {
        p.end = ParseWhen(end, "--end");
    }
    if (!start.empty() && end.empty()) {
        p.end = DayCount(p.start.m_dt + 1.0);
    } else if (start.empty() && !end.empty()) {
        p.start = DayCount(p.end.m_dt - 1.0);
    } else if (start.empty() && end.empty()) {
        if (qsoTimes.empty()) {
            throw InputError(logName + ": the log holds no QSO to date the contest; give --start");
        }
        // For each week: the QSOs in its contest day, then all its QSOs.
        std::map<double, std::pair<size_t, size_t>> weeks;
        for (double t : qsoTimes) {
            const double week = WeekOf(t);
            auto& count = weeks[week];
            count.first += t < SaturdayNoonOfWeek(week) + 1.0 - kHalfSecond ? 1 : 0;
            ++count.second;
        }
        std::vector<double> headerWeeks;
        headerWeeks.reserve(headerDates.size());
        for (const LogTime& d : headerDates) {
            headerWeeks.push_back(WeekOf(MakeDate(d.year, d.month, d.day, 12, 0).m_dt));
        }
        auto named = [&](double week) {
            return std::find(headerWeeks.begin(), headerWeeks.end(), week) != headerWeeks.end();
        };
        auto best = weeks.begin();
        for (auto w = weeks.begin(); w != weeks.end(); ++w) {
            if (w->second > best->second ||
                (w->second == best->second && named(w->first) && !named(best->first))) {
                best = w;
            }
        }
        p.fromQsos = true;
        p.start = DayCount(SaturdayNoonOfWeek(best->first));
        p.end = DayCount(p.start.m_dt + 1.0);
        for (const LogTime& d : headerDates) {
            const double day = MakeDate(d.year, d.month, d.day, 12, 0).m_dt;
            if (day < p.start.m_dt - kHalfSecond || day > p.end.m_dt + kHalfSecond) {
                char date[16];
                std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year, d.month, d.day);
                p.warning = "the log's header names " + std::string(date) +
                            ", outside the contest period told from its QSOs";
                break;
            }
        }
    }
    if (p.end.m_dt < p.start.m_dt) {
        throw InputError("the contest ends (" + FormatWhen(p.end) + ") before it starts (" +
                         FormatWhen(p.start) + ")");
    }
    CheckYears(p);
    return p;
}

}  // namespace host
