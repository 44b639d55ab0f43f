// What a score run writes: with --report a Cabrillo file whose header comes
// from the log, the options and the same station's saved answers, and pages
// with the figures of the same replay.
#include <string>

#include "stats_host_fixture.h"

namespace {

using stats_host_test::HostRun;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

const char* const kLog =
    "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n"
    "QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 001 YU1AAA 599 BGD\n"
    "QSO: 14026 CW 2026-02-14 1205 DL1XYZ 599 002 OK1AA 599 005\n"
    "QSO: 10110 CW 2026-02-14 1210 DL1XYZ 599 003 OK1AB 599 006\n"
    "QSO: 14027 CW 2026-02-14 12 DL1XYZ 599 004 OK1AC 599 007\n"
    "END-OF-LOG:\n";

TEST_F(StatsHost, TheCabrilloHeaderTakesTheLogThenTheOptionsThenThisCallsSavedAnswers) {
    const std::string log = Write(
        "MY.log", std::string(kLog).replace(
                      std::string(kLog).find("QSO:"), 0,
                      "CATEGORY-POWER: QRP\nCATEGORY-BAND: 20M\nNAME: Log Name\nCLUB: Log Club\n"
                      "ADDRESS: Street 1\nADDRESS: Floor 2\nEMAIL: dl@example.org\n"
                      "CATEGORY-STATION: BALLOON\nSOAPBOX: one\nSOAPBOX: two\n"));
    // Values of the form's lists are taken in any case.
    HostRun r =
        Host("score '" + log + "' " + Out() +
             " --report --header 'NAME=Ana Test' --header CLUB= --header CATEGORY-POWER=low");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string cbr = Slurp(dir() + "/out/DL1XYZ.cbr");
    for (const char* line : {"CATEGORY-POWER: LOW\r\n", "CATEGORY-BAND: 20M\r\n",
                             "NAME: Ana Test\r\n", "CLUB: \r\n", "ADDRESS: Street 1, Floor 2\r\n",
                             "EMAIL: dl@example.org\r\n", "CATEGORY-STATION: FIXED\r\n",
                             "SOAPBOX: one\r\nSOAPBOX: two\r\n", "OPERATORS: DL1XYZ\r\n"}) {
        EXPECT_NE(cbr.find(line), std::string::npos) << line << cbr;
    }
    EXPECT_NE(r.err.find("warning: the log's CATEGORY-STATION: 'BALLOON' is none of EXPEDITION "
                         "FIXED HQ MOBILE PORTABLE ROVER SCHOOL; the form keeps 'FIXED'"),
              std::string::npos)
        << r.err;
    // Lines 5 (30m) and 6 (no time) are not in the file, for their reasons.
    EXPECT_NE(
        r.err.find("; 2 QSO lines of 4 not in DL1XYZ.cbr: not passed: 1 unreadable, 0 bad call, 0 "
                   "outside the period; refused by the plug-in: 1 wrong band, 0 wrong "
                   "mode, 0 no exchange\n"),
        std::string::npos)
        << r.err;

    // The same station again, with a bare log: its saved answers fill in.
    const std::string bare = Write("BARE.log", kLog);
    r = Host("score '" + bare + "' " + Out() + " --report");
    cbr = Slurp(dir() + "/out/DL1XYZ.cbr");
    EXPECT_NE(cbr.find("NAME: Ana Test\r\n"), std::string::npos) << cbr;
    // Another station in the same folder gets none of them.
    const std::string other =
        Write("YU.log",
              "START-OF-LOG: 3.0\nCALLSIGN: YU1XYZ\n"
              "QSO: 14025 CW 2026-02-14 1200 YU1XYZ 599 BGD OK1AA 599 005\nEND-OF-LOG:\n");
    r = Host("score '" + other + "' " + Out() + " --report");
    ASSERT_EQ(r.status, 0) << r.err;
    cbr = Slurp(dir() + "/out/YU1XYZ.cbr");
    EXPECT_NE(cbr.find("NAME: \r\n"), std::string::npos) << cbr;
}

TEST_F(StatsHost, ThePageShowsTheSummaryOfTheSameReplay) {
    const std::string log = Write("MY.log", kLog);
    const std::string html = dir() + "/page.html";
    for (const char* report : {"", " --report"}) {
        const HostRun r = Host("score '" + log + "' " + Out() + report + " --html '" + html + "'");
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string page = Slurp(html);
        for (const char* rate : {"QSO rate:", "pts rate:"}) {
            const size_t at = r.out.find(rate);
            ASSERT_NE(at, std::string::npos) << r.out;
            const size_t from = r.out.find_first_not_of(' ', at + std::string(rate).size());
            const std::string figures = r.out.substr(from, r.out.find('\n', from) - from);
            EXPECT_NE(page.find(" " + figures + "</center>"), std::string::npos)
                << report << " " << figures << "\n"
                << page;
        }
        // One "Output" box for the one Cabrillo file of --report, none
        // without: the page adds none.
        size_t boxes = 0;
        for (size_t at = r.out.find("Output:"); at != std::string::npos;
             at = r.out.find("Output:", at + 1)) {
            ++boxes;
        }
        EXPECT_EQ(boxes, *report != '\0' ? 1u : 0u) << report << "\n" << r.out;
    }
}

}  // namespace
