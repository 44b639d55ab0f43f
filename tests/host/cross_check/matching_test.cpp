// Which lines the cross-check pairs up: one-character slips of a call, the
// nearest line within the window, ties and one partner per line.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/cross_check/call_match.h"
#include "host/cross_check/checked_contest.h"
#include "host/cross_check/contest_lines.h"
#include "host/cross_check/matching.h"
#include "host/cross_check/qso_status.h"
#include "host/cross_check/qso_times.h"
#include "host/readers/exchange_text.h"
#include "host/readers/log_fields.h"
#include "tests/host/cross_check/in_memory_logs.h"

namespace {

using cross_check_test::Entrant;
using cross_check_test::Qso;
using host::EntrantLog;

bool Holds(const std::vector<std::string>& variants, const std::string& call) {
    return std::find(variants.begin(), variants.end(), call) != variants.end();
}

TEST(CallVariants, CallsOneCharacterApartAreFoundThroughTheVariants) {
    const struct {
        const char* a;
        const char* b;
        bool apart;
    } kCases[] = {
        {"OK1XYZ", "OK1XYA", true},     // the last character changed
        {"OK1XYZ", "QK1XYZ", true},     // the first changed
        {"OK1XYZ", "OK1XY", true},      // the last dropped
        {"OK1XYZ", "K1XYZ", true},      // the first dropped
        {"OK1XYZ", "OK1XXYZ", true},    // one added in the middle
        {"OK1XYZ", "OK1YXZ", true},     // two neighbours swapped
        {"OK1XYZ", "KO1XYZ", true},     // the first two swapped
        {"OK1XYZ", "OK1XZY", true},     // the last two swapped
        {"OK1XYZ", "OK1XYZ", false},    // the same call
        {"OK1XYZ", "OK1ZYX", false},    // two apart
        {"OK1XYZ", "OK1X", false},      // two dropped
        {"OK1XYZ", "OK1XYZAB", false},  // two added
        {"OK1XYZ", "KO1XZY", false},    // two swaps
        {"A", "", true},
    };
    for (const auto& c : kCases) {
        for (const auto& pair : {std::make_pair(c.a, c.b), std::make_pair(c.b, c.a)}) {
            const std::string a = pair.first;
            const std::string b = pair.second;
            EXPECT_EQ(host::OneCharApart(a, b), c.apart) << a << " " << b;
            if (!c.apart) {
                continue;
            }
            // What the matching looks calls up by: a deletion variant they
            // share, one of them a deletion variant of the other, or a swap.
            const std::vector<std::string> da = host::DeletionVariants(a);
            const std::vector<std::string> db = host::DeletionVariants(b);
            bool shared = false;
            for (const std::string& v : da) {
                shared = shared || Holds(db, v);
            }
            EXPECT_TRUE(shared || Holds(da, b) || Holds(db, a) || Holds(host::SwapVariants(a), b))
                << a << " " << b;
        }
    }
    // A swap of two equal neighbours is no variant.
    EXPECT_EQ(host::SwapVariants("OK1AAB"),
              (std::vector<std::string>{"KO1AAB", "O1KAAB", "OKA1AB", "OK1ABA"}));
}

TEST(Exchanges, AgreeAsNormalisedInAnyCaseAndSerialsAsNumbers) {
    const struct {
        const char* received;
        const char* sent;
        bool same;
    } kCases[] = {
        {"599 001", "599 1", true},        // serials compared as numbers
        {"5nn 001", "599 001", true},      // a report in small letters goes too
        {"599 nis", "59 NIS", true},       // words in any case
        {"  599  NIS ", "NIS", true},      // blanks around and between
        {"599 000", "599 0", true},        // all zeros is zero
        {"599 0", "599", false},           // a lone report is the exchange itself
        {"599 12", "599 21", false},       // other digits
        {"599 NIS", "599 NIŠ", false},     // a byte beyond ASCII is not a capital
        {"599 nis1", "599 NIS01", false},  // not all digits: compared as text
        {"", "   ", true},                 // nothing either side
        {"599 A", "599 AB", false},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(host::SameExchange(c.received, c.sent), c.same) << c.received << " / " << c.sent;
        EXPECT_EQ(host::SameExchange(c.sent, c.received), c.same) << c.sent << " / " << c.received;
        // The same answer as comparing the normalised texts the reports print.
        const std::string r = host::NormalisedExchange(c.received);
        const std::string s = host::NormalisedExchange(c.sent);
        const bool numbers = host::AllDigits(r) && host::AllDigits(s);
        if (!numbers) {
            EXPECT_EQ(r == s, c.same) << c.received << " / " << c.sent;
        }
    }
}

TEST(LoggedTimes, KeepTheirWidthsAndFieldsOutOfThem) {
    const struct {
        host::LogTime time;
        const char* text;
    } kCases[] = {
        {{2026, 2, 14, 12, 3, 59}, "2026-02-14 12:03"},
        {{0, 0, 0, 0, 0, 0}, "0000-00-00 00:00"},
        {{9999, 99, 99, 99, 99, 0}, "9999-99-99 99:99"},
        {{12026, 1, 2, 3, 4, 0}, "12026-01-02 03:04"},  // too long a year
        {{-1, 1, 2, 3, 4, 0}, "-001-01-02 03:04"},      // a negative one
        {{2026, 100, -5, 3, 4, 0}, "2026-100--5 03:04"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(host::LoggedTime(c.time), c.text);
        std::string appended = "at ";
        host::AppendLoggedTime(appended, c.time);
        EXPECT_EQ(appended, std::string("at ") + c.text);
    }
}

TEST(ContestLines, ACallGetsOneIdWhereverTheTwoHalvesOfTheLinesMeet) {
    // The lines are read in two halves, cut within a log as often as not:
    // whatever the cut, each worked call (portable suffix dropped) has one
    // id, and the logs that worked it are counted once each.
    for (int extra = 0; extra < 6; ++extra) {
        std::vector<host::LogQso> first = {Qso("DL1X", 0), Qso("OK2Y/P", 1), Qso("DL1X", 2)};
        for (int k = 0; k < extra; ++k) {
            first.push_back(Qso("SP" + std::to_string(k) + "Q", 3 + k));
        }
        const std::vector<EntrantLog> logs = {
            Entrant("YU1AA", first),
            Entrant("YU1BB", {Qso("OK2Y", 5), Qso("DL1X/P", 6), Qso("YU1AA", 7)}),
            Entrant("YU1CC", {Qso("DL1X", 8), Qso("SP0Q", 9)}),
        };
        host::QsoTimes times(logs);
        const host::ContestLines lines(logs, times.all());
        std::map<std::string, std::set<uint32_t>> ids;
        for (const host::ContestLine& l : lines.lines()) {
            const std::string& call = logs[l.log].log.qsos[l.qso].call;
            ids[call.substr(0, call.find('/'))].insert(l.call);
            EXPECT_EQ(lines.CallText(l.call), call.substr(0, call.find('/'))) << extra;
        }
        for (const auto& [call, found] : ids) {
            EXPECT_EQ(found.size(), 1u) << call << " " << extra;
        }
        EXPECT_EQ(lines.WorkedBy(*ids["DL1X"].begin()), 3u) << extra;
        EXPECT_EQ(lines.WorkedBy(*ids["OK2Y"].begin()), 2u) << extra;
        EXPECT_EQ(lines.LogOf(*ids["YU1AA"].begin()), 0) << extra;
        if (extra > 0) {
            EXPECT_EQ(lines.WorkedBy(*ids["SP0Q"].begin()), 2u) << extra;
        }
    }
}

// Each line as "A0>B1 exact" (log letter, QSO, its partner and the kind) or
// "A0" when unmatched.
std::vector<std::string> Described(const std::vector<EntrantLog>& logs, int window) {
    host::QsoTimes times(logs);
    const host::ContestLines lines(logs, times.all());
    const host::Matches m = host::MatchLines(lines, window);
    const char* const kKinds[] = {"", "exact", "they-bust", "we-bust"};
    std::vector<std::string> out;
    auto name = [&](uint32_t i) {
        const host::ContestLine& l = lines.lines()[i];
        return std::string(1, static_cast<char>('A' + l.log)) + std::to_string(l.qso);
    };
    for (uint32_t i = 0; i < lines.lines().size(); ++i) {
        out.push_back(m.partner[i] == UINT32_MAX ? name(i)
                                                 : name(i) + ">" + name(m.partner[i]) + " " +
                                                       kKinds[static_cast<int>(m.kind[i])]);
    }
    return out;
}

TEST(Matching, TheNearestFreeLineWithinTheWindowAndNeverOneTwice) {
    const std::string a = "DL1ABC";
    const std::string b = "OK1XYZ";
    const struct {
        const char* name;
        std::vector<EntrantLog> logs;
        int window;
        std::vector<std::string> lines;
    } kCases[] = {
        {"the nearest line",
         {Entrant(a, {Qso(b, 0), Qso(b, 2)}), Entrant(b, {Qso(a, 3)})},
         3,
         {"A0", "A1>B0 exact", "B0>A1 exact"}},
        {"a tie goes to the earlier line",
         {Entrant(a, {Qso(b, 0), Qso(b, 4)}), Entrant(b, {Qso(a, 2)})},
         3,
         {"A0>B0 exact", "A1", "B0>A0 exact"}},
        {"a tie goes to the line logged first, not the earlier time",
         {Entrant(a, {Qso(b, 4), Qso(b, 0)}), Entrant(b, {Qso(a, 2)})},
         3,
         {"A0>B0 exact", "A1", "B0>A0 exact"}},
        {"one partner each",
         {Entrant(a, {Qso(b, 0)}), Entrant(b, {Qso(a, 0), Qso(a, 1)})},
         3,
         {"A0>B0 exact", "B0>A0 exact", "B1"}},
        {"a taken line leaves the next nearest",
         {Entrant(a, {Qso(b, 0), Qso(b, 1)}), Entrant(b, {Qso(a, 0), Qso(a, 3)})},
         3,
         {"A0>B0 exact", "A1>B1 exact", "B0>A0 exact", "B1>A1 exact"}},
        {"the window is the largest difference",
         {Entrant(a, {Qso(b, 0), Qso(b, 10)}), Entrant(b, {Qso(a, 3), Qso(a, 14)})},
         3,
         {"A0>B0 exact", "A1", "B0>A0 exact", "B1"}},
        {"another band does not match",
         {Entrant(a, {Qso(b, 0, "40m")}), Entrant(b, {Qso(a, 0)})},
         3,
         {"A0", "B0"}},
        {"a portable suffix is the same station",
         {Entrant(a, {Qso(b + "/P", 0)}), Entrant(b, {Qso(a, 0)})},
         3,
         {"A0>B0 exact", "B0>A0 exact"}},
        {"a slip of their call",
         {Entrant(a, {Qso("OK1XYA", 0)}), Entrant(b, {Qso(a, 1)})},
         3,
         {"A0>B0 we-bust", "B0>A0 they-bust"}},
        {"an exact match before a slip",
         {Entrant(a, {Qso(b, 2)}), Entrant(b, {Qso(a, 0)}), Entrant("OK1XYA", {Qso(a, 2)})},
         3,
         {"A0>B0 exact", "B0>A0 exact", "C0"}},
        {"a slip takes only a line still free",
         {Entrant(a, {Qso(b, 0), Qso("OK1XYA", 1)}), Entrant(b, {Qso(a, 1)})},
         3,
         {"A0>B0 exact", "A1", "B0>A0 exact"}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Described(c.logs, c.window), c.lines) << c.name;
    }
}

}  // namespace

namespace {

using host::QsoStatus;

TEST(Verdicts, ALogJudgedOnItsOwnAgreesWithTheWholeContest) {
    // DL1ABC works OK1XYZ three times on 20m (the last two dupes) and once
    // on 40m; OK1XYZ logged only the second and the 40m one, so an
    // unmatched line stands when a dupe of it was matched. SP2ABC has no
    // log. Every scoring of DL1ABC's dupes is tried: a line judged from the
    // log's own groups must get the contest's verdict.
    const std::string a = "DL1ABC";
    const std::string b = "OK1XYZ";
    const std::vector<EntrantLog> logs = {
        Entrant(a, {Qso(b, 0), Qso(b, 10), Qso(b, 20), Qso(b, 30, "40m"), Qso("SP2ABC", 40)}),
        Entrant(b, {Qso(a, 10), Qso(a, 30, "40m")}),
    };
    host::QsoTimes times(logs);
    const host::ContestLines lines(logs, times.all());
    const host::Matches m = host::MatchLines(lines, 3);
    const host::GroupMatches groups(lines, m, 0);
    for (int dupes = 0; dupes < 4; ++dupes) {
        std::vector<QsoStatus> scored(lines.lines().size(), QsoStatus::kCounted);
        scored[1] = (dupes & 1) != 0 ? QsoStatus::kDupe : QsoStatus::kCounted;
        scored[2] = (dupes & 2) != 0 ? QsoStatus::kDupe : QsoStatus::kCounted;
        const std::vector<host::Verdict> contest = host::CrossCheck(lines, m, logs, scored);
        const host::ScoredOf of = [&](uint32_t i) { return scored[i]; };
        for (uint32_t i = 0; i < logs[0].log.qsos.size(); ++i) {
            const host::Verdict own = host::JudgeLine(lines, m, logs, of, i, &groups);
            EXPECT_EQ(own.status, contest[i].status) << "line " << i << ", dupes " << dupes;
            EXPECT_EQ(own.detail, contest[i].detail) << "line " << i << ", dupes " << dupes;
        }
        // The first line stands exactly when its matched dupe was scored a dupe.
        EXPECT_EQ(contest[0].status, (dupes & 1) != 0 ? QsoStatus::kOk : QsoStatus::kNil) << dupes;
    }
}

}  // namespace
