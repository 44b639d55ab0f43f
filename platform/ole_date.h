// The automation date the host passes: a day count from 30 December 1899
// whose fraction is the time of day, with a validity status.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

enum OleDateStatus : int32_t { kDateValid = 0, kDateInvalid = 1, kDateNull = 2 };

// Laid out exactly as the host's date object: a 64-bit day count followed by
// a 32-bit status, padded to 16 bytes.
struct alignas(8) OleDate {
    double m_dt = 0.0;
    int32_t m_status = kDateValid;
};
static_assert(sizeof(OleDate) == 16, "automation date must be 16 bytes");
static_assert(alignof(OleDate) == 8, "automation date must be aligned to 8");
static_assert(offsetof(OleDate, m_status) == 8, "status follows the day count");

struct DateFields {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 0 = Sunday
    int dayOfYear = 0;  // 1..366
};

// Breaks a day count into calendar fields, rounded to the nearest second.
// Days before 30 December 1899 count their fraction forward from midnight.
// Fails for NaN, infinities and years outside 100..9999.
bool OleDateToFields(double dayCount, DateFields& out);

// Inverse of OleDateToFields for building test data and logs; returns false
// for fields out of range.
bool FieldsToOleDate(int year, int month, int day, int hour, int minute, int second,
                     double& dayCount);

// strftime-style formatting. A null date gives the empty text; an invalid
// date, or one that cannot be broken into fields, gives "Invalid DateTime".
std::string FormatOleDate(const OleDate& date, const char* pattern);

// The null date that stands in for a date pointer the host did not pass.
inline OleDate NullOleDate() {
    OleDate d;
    d.m_status = kDateNull;
    return d;
}

// Valid, and within the dates that can be broken into calendar fields.
bool IsUsableDate(const OleDate& date);

// Same status and, for valid dates, the same day count.
bool OleDatesEqual(const OleDate& a, const OleDate& b);

// Linear span to - from in days; both dates must be valid.
double OleDateSpanDays(const OleDate& from, const OleDate& to);

// The day count on a linear scale, where adding a day's fraction moves the
// time forward: day counts before the epoch carry their time forward from
// midnight, so -1.25 (29 December 1899, 06:00) lies at -0.75.
// OleDateFromLinear turns such a value back into a day count.
double OleDateLinear(double dayCount);
double OleDateFromLinear(double linearDays);

}  // namespace plat
