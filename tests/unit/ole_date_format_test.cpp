// Dates as the plug-in writes them into its file names, summaries and
// bad-QSO lines: every numeric field with its leading zeros, from the first
// year the platform can show to the last.
#include <gtest/gtest.h>

#include <string>

#include "platform/ole_date.h"

namespace {

plat::OleDate Date(int year, int month, int day, int hour, int minute, int second) {
    plat::OleDate date;
    EXPECT_TRUE(plat::FieldsToOleDate(year, month, day, hour, minute, second, date.m_dt));
    return date;
}

TEST(FormatOleDate, NumericFieldsKeepTheirWidth) {
    struct Case {
        plat::OleDate date;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {Date(2026, 2, 5, 7, 8, 9), "%Y-%m-%d %H%M%S", "2026-02-05 070809"},
        {Date(2026, 2, 5, 7, 8, 9), "%d.%m|%y|%j|%w|%I%p", "05.02|26|036|4|07AM"},
        {Date(2026, 12, 6, 0, 0, 0), "%d_%m_%Y %I%p", "06_12_2026 12AM"},
        {Date(2026, 12, 31, 23, 59, 59), "%j %H:%M:%S %I%p", "365 23:59:59 11PM"},
        {Date(100, 1, 1, 0, 0, 0), "%Y %y %j", "0100 00 001"},
        {Date(9999, 12, 31, 12, 0, 0), "%Y %y %j %#d", "9999 99 365 31"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plat::FormatOleDate(c.date, c.pattern), c.expected) << c.pattern;
    }
}

}  // namespace
