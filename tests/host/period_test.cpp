// The contest period stats-host tells from a log's QSOs, and the order it
// replays them in.
#include <string>
#include <vector>

#include "stats_host_fixture.h"

namespace {

using stats_host_test::HostRun;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

// A Cabrillo log of DL1XYZ with one 20m QSO at each "YYYY-MM-DD HHMM", in
// CW or in the mode that follows the time ("2026-02-07 1300 FT8").
std::string LogOf(const std::vector<std::string>& times) {
    std::string log = "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n";
    int n = 0;
    for (const std::string& t : times) {
        ++n;
        const std::string mode = t.size() > 16 ? t.substr(16) : "CW";
        log += "QSO: 14025 " + mode + " " + t.substr(0, 15) + " DL1XYZ 599 " + std::to_string(n) +
               " OK" + std::to_string(n) + "A" + std::string(1, static_cast<char>('A' + n % 26)) +
               " 599 " + std::to_string(n) + "\n";
    }
    return log + "END-OF-LOG:\n";
}

TEST_F(StatsHost, TheDefaultPeriodIsTheSaturdayStartThatHoldsTheMostQsos) {
    // 2026-02-07 and 2026-02-14 are Saturdays.
    const struct {
        const char* name;
        std::vector<std::string> times;
        const char* start;     // the period chosen, or empty for a refusal
        const char* chosenBy;  // or the message of the refusal
        const char* warning;   // a text the warnings hold, or empty for none
    } kCases[] = {
        // A log of the 07:00 form: the 12:00 period would hold one QSO.
        {"from 07:00",
         {"2026-02-14 0700", "2026-02-14 0930", "2026-02-14 1159", "2026-02-15 0659"},
         "2026-02-14 07:00",
         "most QSOs",
         ""},
        {"one Saturday, a tie",
         {"2026-02-14 1300", "2026-02-15 0600"},
         "2026-02-14 12:00",
         "12:00 on a tie",
         ""},
        {"two Saturdays, the earliest",
         {"2026-02-07 0800", "2026-02-14 1300"},
         "2026-02-07 07:00",
         "earliest weekend",
         "the contest periods from 2026-02-07 07:00 and from 2026-02-14 12:00 hold 1 QSO each; "
         "the earlier one is scored, give --start '2026-02-14 12:00' for the other"},
        // Both starts of one Saturday hold one QSO, each another one.
        {"one Saturday, a tie of other QSOs",
         {"2026-02-14 0800", "2026-02-15 0900"},
         "2026-02-14 12:00",
         "12:00 on a tie",
         "the contest periods from 2026-02-14 12:00 and from 2026-02-14 07:00 hold 1 QSO each, 1 "
         "of them in one period only; the 12:00 one is scored, give --start '2026-02-14 07:00' "
         "for the other"},
        // A month's export: a weekend of FT8, then the contest.
        {"QSOs that cannot score",
         {"2026-02-07 1300 FT8", "2026-02-07 1301 FT8", "2026-02-07 1302 FT8", "2026-02-14 1300"},
         "2026-02-14 12:00",
         "12:00 on a tie",
         ""},
        {"no QSO that could score",
         {"2026-02-07 1300 FT8", "2026-02-14 1300 FT8", "2026-02-14 1301 FT8"},
         "2026-02-14 12:00",
         "12:00 on a tie",
         "no QSO of the log could score (80-10 m, CW or SSB)"},
        {"no QSO line",
         {},
         "",
         "could be used (0 QSO lines: 0 unreadable, 0 bad call); see --problems",
         ""},
        {"no Saturday period",
         {"2026-02-11 1200", "2026-02-15 1200"},
         "",
         "no QSO lies in a contest period (a Saturday from 07:00 or 12:00 UTC); give --start",
         ""},
    };
    for (const auto& c : kCases) {
        const HostRun r = Host("score '" + Write("period.log", LogOf(c.times)) + "' " + Out());
        if (std::string(c.start).empty()) {
            EXPECT_EQ(r.status, 2) << c.name;
            EXPECT_NE(r.err.find(c.chosenBy), std::string::npos) << c.name << ": " << r.err;
            EXPECT_EQ(r.err.find("no QSO to date"), std::string::npos) << c.name << ": " << r.err;
            continue;
        }
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
        // The closing line names the period and how it was chosen.
        EXPECT_NE(r.err.find(" in the contest period " + std::string(c.start) + " to "),
                  std::string::npos)
            << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(std::string(" (") + c.chosenBy + "), "), std::string::npos)
            << c.name << ": " << r.err;
        // The warning line holds the text, and there is none without one.
        const size_t at = r.err.find("warning:");
        EXPECT_EQ(at != std::string::npos, *c.warning != '\0') << c.name << ": " << r.err;
        if (at != std::string::npos) {
            const std::string line = r.err.substr(at, r.err.find('\n', at) - at);
            EXPECT_NE(line.find(c.warning), std::string::npos) << c.name << ": " << r.err;
        }
    }
}

TEST_F(StatsHost, QsosAreReplayedInTimeOrderAndProblemsKeepTheirLines) {
    // Sorted by band: the 40m QSOs stand first, and the 12:00 QSO with
    // YU1AAA on 20m is listed after its repeat at 12:30.
    const std::string log = Write("by-band.log",
                                  "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n"
                                  "QSO:  7025 CW 2026-02-14 1400 DL1XYZ 599 4 OK1AA 599 4\n"
                                  "QSO: 14025 CW 2026-02-14 1230 DL1XYZ 599 2 YU1AAA 599 BGD\n"
                                  "QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 1 YU1AAA 599 BGD\n"
                                  "QSO: 14026 CW 2026-02-14 1300 DL1XYZ 599 3 OK1AB 599 3\n"
                                  "END-OF-LOG:\n");
    const std::string problems = dir() + "/problems.txt";
    const HostRun r = Host("score '" + log + "' " + Out() + " --problems '" + problems + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Slurp(problems), log + ":4: dupe: YU1AAA 20m CW 2026-02-14 1230\n");
    // The last QSO in time is the 40m one, alone on its band in its hour.
    EXPECT_NE(r.out.find("Last QSO points:     2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(", 4 stored, replayed in time order (the log is not); problems:"),
              std::string::npos)
        << r.err;
    const HostRun sorted =
        Host("score '" + Write("sorted.log", LogOf({"2026-02-14 1200"})) + "' " + Out());
    EXPECT_EQ(sorted.err.find("replayed in time order"), std::string::npos) << sorted.err;
}

}  // namespace
