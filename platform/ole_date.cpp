#include "platform/ole_date.h"

#include <cmath>

namespace plat {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// Day counts of 1 January 100 and 31 December 9999, the range the platform
// can break into calendar fields.
constexpr double kMinDayCount = -657434.0;
constexpr double kMaxDayCount = 2958465.0;

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

// 1899-12-30 in days from 1970-01-01.
const long long kOleEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

// A date field (never negative) in decimal, with leading zeros to the width.
void AppendNumber(std::string& out, int value, int width) {
    char digits[16];
    int count = 0;
    unsigned rest = static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    for (int i = count; i < width; ++i) {
        out += '0';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

}  // namespace

bool OleDateToFields(double dayCount, DateFields& out) {
    if (!std::isfinite(dayCount) || dayCount < kMinDayCount - 1.0 ||
        dayCount > kMaxDayCount + 1.0) {
        return false;
    }
    // The whole days count toward zero; the fraction is always the time of
    // day forward from that day's midnight, also for days before the epoch.
    double whole = std::trunc(dayCount);
    long long seconds = std::llround(std::fabs(dayCount - whole) * kSecondsPerDay);
    if (seconds >= static_cast<long long>(kSecondsPerDay)) {
        seconds -= static_cast<long long>(kSecondsPerDay);
        whole += 1.0;
    }
    const long long days = static_cast<long long>(whole) + kOleEpoch;
    int y = 0;
    int m = 0;
    int d = 0;
    CivilFromDays(days, y, m, d);
    if (y < 100 || y > 9999) {
        return false;
    }
    out.year = y;
    out.month = m;
    out.day = d;
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>((seconds / 60) % 60);
    out.second = static_cast<int>(seconds % 60);
    // 1970-01-01 was a Thursday.
    out.dayOfWeek = static_cast<int>(((days % 7) + 7 + 4) % 7);
    out.dayOfYear = static_cast<int>(days - DaysFromCivil(y, 1, 1)) + 1;
    return true;
}

bool FieldsToOleDate(int year, int month, int day, int hour, int minute, int second,
                     double& dayCount) {
    static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59) {
        return false;
    }
    const int monthDays = kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
    if (day > monthDays) {
        return false;
    }
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kOleEpoch);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    dayCount = days < 0 ? days - time : days + time;
    return true;
}

std::string FormatOleDate(const OleDate& date, const char* pattern) {
    if (date.m_status == kDateNull) {
        return std::string();
    }
    DateFields f;
    if (date.m_status != kDateValid || !OleDateToFields(date.m_dt, f)) {
        return "Invalid DateTime";
    }
    std::string out;
    for (const char* p = pattern != nullptr ? pattern : ""; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '#' && p[1] != '\0') {
            ++p;  // the "no leading zeros" flag is accepted and ignored
        }
        switch (*p) {
            case 'Y':  // always four digits: 0100 for the year 100
                AppendNumber(out, f.year, 4);
                break;
            case 'y':
                AppendNumber(out, f.year % 100, 2);
                break;
            case 'm':
                AppendNumber(out, f.month, 2);
                break;
            case 'd':
                AppendNumber(out, f.day, 2);
                break;
            case 'H':
                AppendNumber(out, f.hour, 2);
                break;
            case 'I':
                AppendNumber(out, f.hour % 12 == 0 ? 12 : f.hour % 12, 2);
                break;
            case 'M':
                AppendNumber(out, f.minute, 2);
                break;
            case 'S':
                AppendNumber(out, f.second, 2);
                break;
            case 'j':
                AppendNumber(out, f.dayOfYear, 3);
                break;
            case 'w':
                AppendNumber(out, f.dayOfWeek, 1);
                break;
            case 'p':
                out += f.hour < 12 ? "AM" : "PM";
                break;
            case 'A':
                out += kDayNames[f.dayOfWeek];
                break;
            case 'a':
                out.append(kDayNames[f.dayOfWeek], 3);
                break;
            case 'B':
                out += kMonthNames[f.month - 1];
                break;
            case 'b':
                out.append(kMonthNames[f.month - 1], 3);
                break;
            case '%':
                out += '%';
                break;
            default:
                out += '%';
                out += *p;
                break;
        }
    }
    return out;
}

bool IsUsableDate(const OleDate& date) {
    DateFields unused;
    return date.m_status == kDateValid && OleDateToFields(date.m_dt, unused);
}

bool OleDatesEqual(const OleDate& a, const OleDate& b) {
    if (a.m_status != b.m_status) {
        return false;
    }
    if (a.m_status != kDateValid) {
        return true;
    }
    return a.m_dt == b.m_dt || (std::isnan(a.m_dt) && std::isnan(b.m_dt));
}

double OleDateSpanDays(const OleDate& from, const OleDate& to) {
    return OleDateLinear(to.m_dt) - OleDateLinear(from.m_dt);
}

double OleDateLinear(double dayCount) {
    return dayCount >= 0 ? dayCount : 2.0 * std::ceil(dayCount) - dayCount;
}

double OleDateFromLinear(double linearDays) {
    return linearDays >= 0 ? linearDays : 2.0 * std::floor(linearDays) - linearDays;
}

}  // namespace plat
