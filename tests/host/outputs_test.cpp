// What a score run writes: never over its own inputs, all of it or a clear
// refusal, and with --report a Cabrillo file whose header comes from the
// log, the options and the same station's saved answers.
#include <filesystem>
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

TEST_F(StatsHost, NoOutputOverwritesAnInputOrAnotherOutput) {
    namespace fs = std::filesystem;
    const std::string log = Write("MY.log", kLog);
    fs::create_directories(dir() + "/sub");
    fs::create_symlink(log, dir() + "/link.log");
    fs::create_hard_link(log, dir() + "/hard.log");
    fs::create_directories(dir() + "/out");
    const std::string inOut = Write("out/DL1XYZ.cbr", kLog);
    const std::string cty = STATS_HOST_TEST_DATA "/cty.dat";
    const struct {
        std::string log;
        std::string options;
        std::string message;
    } kCases[] = {
        {log, "--problems '" + log + "'", "--problems would overwrite the log"},
        {log, "--html '" + dir() + "/sub/../MY.log'", "--html would overwrite the log"},
        {log, "--json '" + dir() + "/link.log'", "--json would overwrite the log"},
        {log, "--json '" + dir() + "/hard.log'", "--json would overwrite the log"},
        {log, "--problems '" + cty + "'", "--problems would overwrite the country file"},
        {inOut, "--report", "the Cabrillo file would overwrite the log"},
        {log, "--html '" + dir() + "/a.txt' --problems '" + dir() + "/sub/../a.txt'",
         "--html and --problems are the same file"},
        {log, "--json '" + dir() + "/out/Plugins/DI-VE-RI.ini'",
         "--json and the plug-in's settings are the same file"},
        {log, "--page '" + dir() + "/link.log'", "--page would overwrite the log"},
        {log, "--json '" + dir() + "/a.txt' --page '" + dir() + "/a.txt'",
         "--json and --page are the same file"},
    };
    const std::string before = Slurp(log);
    for (const auto& c : kCases) {
        const HostRun r = Host("score '" + c.log + "' " + Out() + " " + c.options);
        EXPECT_EQ(r.status, 2) << c.options;
        EXPECT_NE(r.err.find(c.message + "; nothing was written"), std::string::npos)
            << c.options << ": " << r.err;
        EXPECT_EQ(Slurp(log), before) << c.options;
        EXPECT_EQ(Slurp(inOut), kLog) << c.options;
        EXPECT_FALSE(fs::exists(dir() + "/out/Larq2.ini")) << c.options;
        EXPECT_FALSE(fs::exists(dir() + "/a.txt")) << c.options;
    }
}

TEST_F(StatsHost, AnOutputThatCannotBeWrittenEndsTheRunWithStatusTwo) {
    const std::string log = Write("MY.log", kLog);
    const struct {
        const char* options;
        const char* message;
    } kCases[] = {
        {"", "standard output: cannot write the result: No space left on device"},
        {"--html /dev/full", "/dev/full: cannot write the HTML page: No space left on device"},
        {"--json /dev/full", "/dev/full: cannot write the JSON summary: No space left on device"},
        {"--problems /dev/full",
         "/dev/full: cannot write the problems list: No space left on device"},
        {"--page /dev/full", "/dev/full: cannot write the page: No space left on device"},
    };
    for (const auto& c : kCases) {
        // Standard output goes to the full device for the first case; the
        // shell leaves before the fixture's own redirections.
        const std::string err = dir() + "/err.txt";
        const std::string out = *c.options == '\0' ? "/dev/full" : dir() + "/out.txt";
        const HostRun r = Host("score '" + log + "' " + Out() + " " + c.options + " >" + out +
                               " 2>'" + err + "'; exit $?; :");
        EXPECT_EQ(r.status, 2) << c.options << ": " << Slurp(err);
        EXPECT_NE(Slurp(err).find(c.message), std::string::npos) << c.options << ": " << Slurp(err);
    }
}

TEST_F(StatsHost, TheCabrilloHeaderTakesTheLogThenTheOptionsThenThisCallsSavedAnswers) {
    const std::string log = Write(
        "MY.log", std::string(kLog).replace(
                      std::string(kLog).find("QSO:"), 0,
                      "CATEGORY-POWER: QRP\nCATEGORY-BAND: 20M\nNAME: Log Name\nCLUB: Log Club\n"
                      "ADDRESS: Street 1\nADDRESS: Floor 2\nEMAIL: dl@example.org\n"
                      "CATEGORY-STATION: BALLOON\nSOAPBOX: one\nSOAPBOX: two\n"));
    HostRun r =
        Host("score '" + log + "' " + Out() + " --report --header 'NAME=Ana Test' --header CLUB=");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string cbr = Slurp(dir() + "/out/DL1XYZ.cbr");
    for (const char* line : {"CATEGORY-POWER: QRP\r\n", "CATEGORY-BAND: 20M\r\n",
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
    for (const char* line :
         {"NAME: \r\n", "ADDRESS: \r\n", "EMAIL: \r\n", "OPERATORS: YU1XYZ\r\n", "SOAPBOX: \r\n"}) {
        EXPECT_NE(cbr.find(line), std::string::npos) << line << cbr;
    }

    // --header values are checked against the form's lists; the run decides
    // the call and the contest.
    const struct {
        const char* header;
        const char* message;
    } kRefused[] = {
        {"CATEGORY-POWER=QRO",
         "--header CATEGORY-POWER='QRO': the form's CATEGORY-POWER is one "
         "of HIGH LOW QRP"},
        {"LOCATION=XX", "the form's LOCATION is one of DX --/-- AL"},
        {"CALLSIGN=YU1ZZZ", "--header CALLSIGN: the run decides it"},
        {"CONTEST=OTHER", "--header CONTEST: the run decides it"},
    };
    for (const auto& c : kRefused) {
        r = Host("score '" + bare + "' " + Out() + " --report --header " + c.header);
        EXPECT_EQ(r.status, 2) << c.header;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.header << ": " << r.err;
    }
    r = Host("score '" + bare + "' " + Out() + " --report --header CATEGORY-POWER=low");
    EXPECT_NE(Slurp(dir() + "/out/DL1XYZ.cbr").find("CATEGORY-POWER: LOW\r\n"), std::string::npos);
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
        // One "Output" box for the one Cabrillo file.
        EXPECT_EQ(r.out.find("Output:"), r.out.rfind("Output:")) << r.out;
    }
}

}  // namespace
