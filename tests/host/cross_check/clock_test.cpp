// How far each log's clock ran off, and the times every later step reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "host/cross_check/clock_offsets.h"
#include "host/cross_check/contest_lines.h"
#include "host/cross_check/qso_times.h"
#include "platform/ole_date.h"
#include "tests/host/cross_check/in_memory_logs.h"

namespace {

using cross_check_test::Entrant;
using cross_check_test::Qso;
using host::EntrantLog;

// DL1ABC works one station after another, each once, and logs each QSO
// the given minutes after its partner does: only DL1ABC's log pairs up
// often enough to be told an offset.
std::vector<EntrantLog> Contest(const std::vector<int>& late) {
    std::vector<EntrantLog> logs = {Entrant("DL1ABC", {})};
    for (size_t i = 0; i < late.size(); ++i) {
        const std::string call = "OK" + std::to_string(i + 1) + "AA";
        const int minute = 100 + 20 * static_cast<int>(i);
        logs[0].log.qsos.push_back(Qso(call, minute + late[i]));
        logs.push_back(Entrant(call, {Qso("DL1ABC", minute)}));
    }
    return logs;
}

// The offsets applied, and in found the offsets found.
std::vector<int> Offsets(const std::vector<EntrantLog>& logs, int window,
                         std::vector<int>* found = nullptr) {
    const host::QsoTimes times(logs);
    const host::ContestLines lines(logs, times.all());
    return host::ClockOffsets(lines, logs.size(), window, found);
}

TEST(ClockOffsets, TheRoundedMedianOfFiveClearPairsOrMoreBeyondTheWindow) {
    const struct {
        const char* name;
        std::vector<int> late;
        int found;    // DL1ABC's
        int applied;  // with a window of 3 minutes
    } kCases[] = {
        {"five pairs", {10, 10, 9, 11, 10}, 10, 10},
        {"four pairs are too few", {10, 10, 10, 10}, 0, 0},
        {"an even count rounds half away from zero", {10, 10, 10, 11, 11, 11}, 11, 11},
        {"slow", {-10, -10, -10, -11, -11, -11}, -11, -11},
        {"the median, not the mean", {5, 5, 5, 50, 50}, 5, 5},
        {"the window absorbs what lies within it", {3, 3, 3, -3, 3}, 3, 0},
        {"and no more", {-4, -4, -4, -4, -4}, -4, -4},
        {"60 minutes and the window at most", {63, 63, 63, 63, 63}, 63, 63},
        {"further is no pair", {64, 64, 64, 64, 64}, 0, 0},
    };
    for (const auto& c : kCases) {
        std::vector<int> found;
        const std::vector<int> applied = Offsets(Contest(c.late), 3, &found);
        std::vector<int> expected(applied.size(), 0);
        expected[0] = c.found;
        EXPECT_EQ(found, expected) << c.name;
        expected[0] = c.applied;
        EXPECT_EQ(applied, expected) << c.name;
    }
    // A pair is clear only when each side has one candidate: a second line
    // with the fifth station leaves four pairs.
    std::vector<EntrantLog> logs = Contest({10, 10, 10, 10, 10});
    logs[0].log.qsos.push_back(Qso("OK5AA", 190));
    EXPECT_EQ(Offsets(logs, 3)[0], 0);
}

// A logged time as a day count.
double Day(int year, int month, int day, int hour, int minute, int second = 0) {
    double d = 0.0;
    EXPECT_TRUE(plat::FieldsToOleDate(year, month, day, hour, minute, second, d));
    return d;
}

TEST(QsoTimes, MinutesCountOnOneLinearScale) {
    // A time within a minute counts as the minute it began, also before the
    // day count's epoch, where the day's fraction runs the other way.
    const struct {
        double earlier;
        double later;
        int32_t minutes;
    } kCases[] = {
        {Day(2026, 2, 14, 12, 0), Day(2026, 2, 14, 12, 0, 59), 0},
        {Day(2026, 2, 14, 12, 0, 59), Day(2026, 2, 14, 12, 1), 1},
        {Day(2026, 2, 14, 23, 59), Day(2026, 2, 15, 0, 0), 1},
        {Day(1899, 12, 29, 23, 59), Day(1899, 12, 30, 0, 0), 1},
        {Day(1899, 12, 29, 5, 59, 30), Day(1899, 12, 29, 6, 0), 1},
        {Day(1899, 12, 28, 23, 0), Day(1899, 12, 29, 1, 0), 120},
        {Day(100, 1, 1, 0, 0), Day(100, 1, 1, 0, 1), 1},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(host::MinuteOf(c.later) - host::MinuteOf(c.earlier), c.minutes)
            << plat::FormatOleDate({c.earlier, plat::kDateValid}, "%Y-%m-%d %H:%M:%S");
    }
    // Beyond the minutes that fit, every time is the last of them.
    EXPECT_EQ(host::MinuteOf(Day(9999, 12, 31, 23, 59)), std::numeric_limits<int32_t>::max());
}

TEST(QsoTimes, EachLogIsMovedBackByItsOwnOffset) {
    std::vector<EntrantLog> logs = {Entrant("DL1ABC", {Qso("OK1AA", 5), Qso("OK1AB", 70)}),
                                    Entrant("OK1AA", {Qso("DL1ABC", 5)}), Entrant("OK1AB", {})};
    logs[1].log.qsos[0].time = {1899, 12, 29, 6, 10, 0};
    host::QsoTimes times(logs);
    times.Correct({20, -5, 0});
    std::vector<std::string> corrected;
    for (double day : times.all()) {
        corrected.push_back(plat::FormatOleDate({day, plat::kDateValid}, "%Y-%m-%d %H:%M"));
    }
    EXPECT_EQ(corrected, (std::vector<std::string>{"2026-02-14 11:45", "2026-02-14 12:50",
                                                   "1899-12-29 06:15"}));
    EXPECT_EQ(times.First(1), 2u);
    EXPECT_EQ(times.First(3), 3u);
    EXPECT_EQ(times.Of(1)[0], times.all()[2]);
}

}  // namespace
