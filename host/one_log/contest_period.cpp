#include "host/one_log/contest_period.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "host/counted.h"
#include "host/host_error.h"
#include "host/plugin_host/plugin_loader.h"
#include "host/readers/log_fields.h"
#include "platform/ole_date.h"

namespace host {

const char* const kChosenByOptions = "options";
const char* const kChosenByMostQsos = "most QSOs";
const char* const kChosenByTie = "12:00 on a tie";
const char* const kChosenByHeaderDate = "header date";
const char* const kChosenByEarliest = "earliest weekend";

namespace {

// Half a second, in days: times that differ by less are the same minute.
constexpr double kHalfSecond = 0.5 / 86400.0;

StatsDate DayCount(double days) {
    StatsDate d;
    d.m_dt = days;
    return d;
}

// The contest's 24-hour periods start on a Saturday at one of these hours
// (UTC), as fractions of a day; the later start wins a tie on one Saturday.
constexpr double kStarts[] = {7.0 / 24.0, 12.0 / 24.0};
constexpr int kLaterStart = 1;

// The week a time falls in, counted in Saturdays from 00:00 UTC: day 0 of
// the day count, 30 December 1899, was a Saturday.
double WeekOf(double t) {
    return std::floor((t + kHalfSecond) / 7.0);
}

std::string DateOf(double t) {
    return plat::FormatOleDate(DayCount(t), "%Y-%m-%d");
}

// One 24-hour period from a Saturday start, and the QSOs it holds.
struct Candidate {
    double week = 0.0;
    int start = 0;  // index into kStarts
    size_t qsos = 0;
    bool startTie = false;  // the other start of the Saturday held as many
    double Begin() const { return week * 7.0 + kStarts[start]; }
};

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

// Both starts of the chosen Saturday hold as many QSOs, and the later was
// taken: when some QSOs lie in one period only, they are not the same QSOs,
// and the warning names the other start.
void WarnStartTie(ContestPeriod& p, const Candidate& chosen, const std::vector<double>& qsoTimes) {
    const double early = chosen.week * 7.0 + kStarts[0];
    const double late = chosen.week * 7.0 + kStarts[kLaterStart];
    size_t earlyOnly = 0;
    for (double t : qsoTimes) {
        earlyOnly += t >= early - kHalfSecond && t < late - kHalfSecond ? 1 : 0;
    }
    if (earlyOnly == 0) {
        return;
    }
    p.warning += (p.warning.empty() ? "" : "; ") + std::string("the contest periods from ") +
                 FormatWhen(DayCount(late)) + " and from " + FormatWhen(DayCount(early)) +
                 " hold " + Counted(chosen.qsos, "QSO") + " each, " + std::to_string(earlyOnly) +
                 " of them in one period only; the 12:00 one is scored, give --start '" +
                 FormatWhen(DayCount(early)) + "' for the other";
}

// The candidate periods that hold the most QSOs decide; among several
// Saturdays the one a header date names, else the earliest.
void ChooseFromQsos(ContestPeriod& p, const std::vector<double>& qsoTimes,
                    const std::vector<LogTime>& headerDates, RuleSet rules) {
    // The 2020 rules start the contest at 07:00 alone.
    const int starts = rules == RuleSet::k2020 ? 1 : 2;
    std::map<std::pair<double, int>, size_t> counts;
    for (double t : qsoTimes) {
        const double week = WeekOf(t);
        for (int s = 0; s < starts; ++s) {
            const double begin = week * 7.0 + kStarts[s];
            if (t >= begin - kHalfSecond && t < begin + 1.0 - kHalfSecond) {
                ++counts[{week, s}];
            }
        }
    }
    if (counts.empty()) {
        throw InputError(std::string("no QSO lies in a contest period (a Saturday from ") +
                         (starts == 1 ? "07:00" : "07:00 or 12:00") + " UTC); give --start");
    }
    size_t most = 0;
    for (const auto& c : counts) {
        most = std::max(most, c.second);
    }
    // The Saturdays whose best period holds the most QSOs, earliest first,
    // each with the start that wins on it.
    std::vector<Candidate> best;
    bool startTie = false;
    for (const auto& c : counts) {
        if (c.second != most) {
            continue;
        }
        if (!best.empty() && best.back().week == c.first.first) {
            best.back().start = kLaterStart;
            best.back().startTie = true;
            startTie = true;
        } else {
            best.push_back({c.first.first, c.first.second, c.second});
        }
    }
    Candidate chosen = best.front();
    p.chosenBy = startTie && chosen.start == kLaterStart ? kChosenByTie : kChosenByMostQsos;
    if (best.size() > 1) {
        p.chosenBy = kChosenByEarliest;
        for (const LogTime& d : headerDates) {
            const double week = WeekOf(MakeDate(d.year, d.month, d.day, 12, 0).m_dt);
            auto named = std::find_if(best.begin(), best.end(),
                                      [week](const Candidate& c) { return c.week == week; });
            if (named != best.end()) {
                chosen = *named;
                p.chosenBy = kChosenByHeaderDate;
                break;
            }
        }
    }
    p.fromQsos = true;
    p.start = DayCount(chosen.Begin());
    p.end = DayCount(chosen.Begin() + 1.0);
    if (p.chosenBy == std::string(kChosenByEarliest)) {
        const Candidate& other = best[1];
        p.warning = "the contest periods from " + FormatWhen(p.start) + " and from " +
                    FormatWhen(DayCount(other.Begin())) + " hold " + Counted(most, "QSO") +
                    " each; the earlier one is scored, give --start '" +
                    FormatWhen(DayCount(other.Begin())) + "' for the other";
    }
    if (chosen.startTie) {
        WarnStartTie(p, chosen, qsoTimes);
    }
    for (const LogTime& d : headerDates) {
        const double day = MakeDate(d.year, d.month, d.day, 12, 0).m_dt;
        if (day + 0.5 < p.start.m_dt + kHalfSecond || day - 0.5 > p.end.m_dt - kHalfSecond) {
            p.warning += (p.warning.empty() ? "" : "; ") + std::string("the log's header names ") +
                         DateOf(day) + ", outside the contest period told from its QSOs";
            break;
        }
    }
}

}  // namespace

StatsDate ParseWhen(const std::string& text, const char* option, RuleSet rules) {
    const std::string quoted = std::string(option) + " '" + text + "'";
    // The date as a Cabrillo log writes it, then the clock as HHMM.
    LogTime t;
    t.hour = rules == RuleSet::k2020 ? 7 : 12;
    const bool dateShape = text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
                           AllDigits(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2));
    if (dateShape) {
        // ParseDate reads the fields before it finds them out of range; the
        // messages below name which.
        ParseDate(text.substr(0, 10), t);
    }
    bool shape = dateShape && text.size() == 10;
    if (dateShape && text.size() > 11 && (text[10] == ' ' || text[10] == 'T')) {
        const std::string clock = text.substr(11);
        std::string hhmm;
        if (clock.size() == 2) {
            hhmm = clock + "00";
        } else if (clock.size() == 5 && clock[2] == ':') {
            hhmm = clock.substr(0, 2) + clock.substr(3, 2);
        } else if (clock.size() == 4) {
            hhmm = clock;
        }
        // ParseClock, too, reads the fields first.
        shape = hhmm.size() == 4 && AllDigits(hhmm);
        if (shape) {
            ParseClock(hhmm, t);
        }
    }
    if (!shape) {
        throw InputError(quoted +
                         " is not YYYY-MM-DD, or YYYY-MM-DD followed by HH, HH:MM or HHMM (UTC)");
    }
    if (t.month < 1 || t.month > 12) {
        throw InputError(quoted + ": there is no month " + std::to_string(t.month));
    }
    if (t.hour > 23) {
        throw InputError(quoted + ": there is no hour " + std::to_string(t.hour));
    }
    if (t.minute > 59) {
        throw InputError(quoted + ": there is no minute " + std::to_string(t.minute));
    }
    if (t.year < 1900) {
        throw InputError(quoted + ": the contest period must lie between 1900 and 9999");
    }
    const StatsDate date = MakeDate(t.year, t.month, t.day, t.hour, t.minute);
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
                           const std::vector<LogTime>& headerDates, const std::string& logName,
                           RuleSet rules) {
    ContestPeriod p;
    p.chosenBy = kChosenByOptions;
    if (!start.empty()) {
        p.start = ParseWhen(start, "--start", rules);
    }
    if (!end.empty()) {
        p.end = ParseWhen(end, "--end", rules);
    }
    if (!start.empty() && end.empty()) {
        p.end = DayCount(p.start.m_dt + 1.0);
    } else if (start.empty() && !end.empty()) {
        p.start = DayCount(p.end.m_dt - 1.0);
    } else if (start.empty() && end.empty()) {
        if (qsoTimes.empty()) {
            throw InputError(logName + ": the log holds no QSO to date the contest; give --start");
        }
        ChooseFromQsos(p, qsoTimes, headerDates, rules);
    }
    if (p.end.m_dt < p.start.m_dt) {
        throw InputError("the contest ends (" + FormatWhen(p.end) + ") before it starts (" +
                         FormatWhen(p.start) + ")");
    }
    CheckYears(p);
    return p;
}

}  // namespace host
