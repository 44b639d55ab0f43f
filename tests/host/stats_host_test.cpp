// stats-host run as a process, as an operator runs it, against the built
// plug-in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "stats_host_fixture.h"

namespace {
using stats_host_test::HostRun;
using stats_host_test::JsonReader;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

const char* const kSmallLog =
    "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n"
    "QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 001 YU1AAA 599 BGD\n"
    "QSO: 14026 CW 2026-02-14 1201 DL1XYZ 599 002 DL2BBB 599 005\n"
    "QSO: 14027 CW 2026-02-14 1202 DL1XYZ 599 003 W1CCC 599 010\n"
    "QSO:  7025 CW 2026-02-14 1300 DL1XYZ 599 004 YU1AAA 599 BGD\n"
    "QSO:  7026 CW 2026-02-14 1301 DL1XYZ 599 005 YU1AAA 599 BGD\n"
    "QSO:  7027 CW 2026-02-14 13 DL1XYZ 599 006 OK1AA 599 007\n"
    "QSO: 10110 CW 2026-02-14 1302 DL1XYZ 599 007 OK1AB 599 008\n"
    "QSO: 14030 CW 2026-02-14 1303 DL1XYZ 599 008 YU7ZZ 599 123\n"
    "END-OF-LOG:\n";

TEST_F(StatsHost, ScoresALogAndListsEveryProblemWithItsLine) {
    const std::string log = Write("small.log", kSmallLog);
    const std::string problems = dir() + "/problems.txt";
    const HostRun r = Host("score '" + log + "' " + Out() + " --problems '" + problems + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Contestant: DL1XYZ"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("14.02-15.02.2026"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Score: 25*(4+2) = 150\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_NE(r.err.find(log + ":8: time '13' is not HHMM"), std::string::npos) << r.err;
    EXPECT_NE(
        r.err.find("7 QSOs read, 7 in the contest period 2026-02-14 12:00 to 2026-02-15 12:00 "
                   "(12:00 on a tie), 6 stored; problems: 1 unreadable, 0 bad call, "
                   "0 outside period, 0 no country, 1 wrong band, 0 wrong mode, "
                   "0 no exchange, 1 no county, 1 dupe (listed in " +
                   problems + ")"),
        std::string::npos)
        << r.err;
    const std::string bad = Slurp(dir() + "/out/BadQSO_DozudODODER_15_02_2026.txt");
    EXPECT_NE(bad.find("YU1AAA  599  BGD   DUPE !!!"), std::string::npos) << bad;
    EXPECT_EQ(Slurp(problems),
              log + ":7: dupe: YU1AAA 40m CW 2026-02-14 1301\n" + log +
                  ":8: unreadable: time '13' is not HHMM\n" + log +
                  ":9: wrong band: OK1AB 30m CW 2026-02-14 1302\n" + log +
                  ":10: no county: YU7ZZ 20m CW 2026-02-14 1303, exchange '123'\n");
}

TEST_F(StatsHost, ThePeriodIsTheBusiestSaturdayNoonDayUnlessGiven) {
    // One QSO a week early and one two days late do not move the period.
    const std::string log =
        Write("early.log", std::string(kSmallLog).replace(
                               std::string(kSmallLog).find("END-OF-LOG:"), 11,
                               "QSO: 14030 CW 2026-02-07 1500 DL1XYZ 599 009 JA1AA 599 011\n"
                               "QSO: 14031 CW 2026-02-17 0900 DL1XYZ 599 010 JA1AB 599 012\n"
                               "END-OF-LOG:\n"));
    HostRun r = Host("score '" + log + "' " + Out());
    EXPECT_NE(r.out.find("14.02-15.02.2026"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Score: 25*(4+2) = 150\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("2 QSOs outside the contest period 2026-02-14 12:00 to 2026-02-15 "
                         "12:00 (first 2026-02-07 1500, last 2026-02-17 0900), not scored"),
              std::string::npos)
        << r.err;
    r = Host("score '" + log + "' " + Out() + " --all-qsos");
    EXPECT_NE(r.out.find("Score: 33*(5+2) = 231\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("scored all the same (--all-qsos)"), std::string::npos) << r.err;

    r = Host("score '" + log + "' " + Out() + " --start 2026-02-07");
    EXPECT_NE(r.out.find("07.02-08.02.2026"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Score: 4*(1+0) = 4\n"), std::string::npos) << r.out;
    r = Host("score '" + log + "' " + Out() + " --end '2026-02-16 12:00'");
    EXPECT_NE(r.out.find("15.02-16.02.2026"), std::string::npos) << r.out;
    // An hour alone, HH:MM and HHMM are read as times of day.
    for (const char* start : {"2026-02-14 13", "2026-02-14 13:00", "2026-02-14 1300"}) {
        r = Host("score '" + log + "' " + Out() + " --start '" + start + "'");
        EXPECT_EQ(r.status, 0) << start << r.err;
        EXPECT_NE(r.err.find("5 QSOs outside the contest period 2026-02-14 13:00 to 2026-02-15 "
                             "13:00 (first 2026-02-07 1500, last 2026-02-17 0900)"),
                  std::string::npos)
            << start << r.err;
    }
}

TEST_F(StatsHost, AHeaderDateBreaksATieBetweenPeriodsAndIsCheckedAgainstTheChoice) {
    const std::string qsos =
        "QSO: 14025 CW 2026-02-07 1500 DL1XYZ 599 001 OK1AA 599 001\n"
        "QSO: 14025 CW 2026-02-14 1500 DL1XYZ 599 002 OK1AB 599 002\n";
    const std::string header = "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n";
    HostRun r = Host("score '" + Write("tie.log", header + qsos) + "' " + Out());
    EXPECT_NE(r.out.find("07.02-08.02.2026"), std::string::npos) << r.out;
    r = Host("score '" + Write("named.log", header + "X-START-DATE: 2026-02-14\n" + qsos) + "' " +
             Out());
    EXPECT_NE(r.out.find("14.02-15.02.2026"), std::string::npos) << r.out;
    EXPECT_EQ(r.err.find("warning: the log's header"), std::string::npos) << r.err;
    r = Host("score '" + Write("other.log", header + "X-START-DATE: 2026-02-21\n" + qsos) + "' " +
             Out());
    EXPECT_NE(r.err.find("the log's header names 2026-02-21, outside the contest "
                         "period told from its QSOs"),
              std::string::npos)
        << r.err;
}

TEST_F(StatsHost, DatesAndOptionsThatCannotBeReadAreRefusedWithTheReason) {
    const std::string log = Write("small.log", kSmallLog);
    const std::string score = "score '" + log + "' ";
    const struct {
        const char* options;
        const char* message;
    } kCases[] = {
        {"--start 2026-13-01", "--start '2026-13-01': there is no month 13"},
        {"--start 2026-02-30", "--start '2026-02-30': the day 2026-02-30 does not exist"},
        {"--start '2026-02-14 1'", "--start '2026-02-14 1' is not YYYY-MM-DD"},
        {"--start '2026-02-14 25:00'", "--start '2026-02-14 25:00': there is no hour 25"},
        {"--start 9999-12-31", "the contest period must lie between 1900 and 9999"},
        {"--end 1899-12-31", "the contest period must lie between 1900 and 9999"},
        {"--start 10000-01-01", "--start '10000-01-01' is not YYYY-MM-DD"},
        {"--start --all-qsos", "--start needs a value, not the option --all-qsos"},
        {"--start", "--start needs a value"},
        {"--cty /tmp", "/tmp: is a folder, not a country file"},
        {"--end 2026-02-01 --start 2026-02-07", "the contest ends (2026-02-01 12:00) before"},
        {"--json a.json --json b.json", "--json is given twice; give it once"},
        {"--all-qsos --all-qsos", "--all-qsos is given twice"},
        {"--call DL1XYZ --call DL1ABC", "--call is given twice"},
    };
    for (const auto& c : kCases) {
        const bool ownCty = std::string(c.options).find("--cty") != std::string::npos;
        const HostRun r = Host(score + (ownCty ? OutDir() : Out()) + " " + c.options);
        EXPECT_EQ(r.status, 2) << c.options;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.options << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.options;
    }
}

TEST_F(StatsHost, AnOutputFolderTheRunCannotWriteStopsItBeforeTheReplay) {
    const std::string log = Write("small.log", kSmallLog);
    // The bad-QSO file's name is taken by a folder that cannot be replaced.
    std::filesystem::create_directories(dir() + "/out/BadQSO_DozudODODER_15_02_2026.txt/x");
    HostRun r = Host("score '" + log + "' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("BadQSO_DozudODODER_15_02_2026.txt: cannot replace the bad-QSO file"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("Score"), std::string::npos) << r.out;
    std::filesystem::remove_all(dir() + "/out");

    // An earlier run's files in a folder that has become read-only. Root
    // writes anywhere, so the run is made as another user.
    r = Host("score '" + log + "' " + Out());
    ASSERT_EQ(r.status, 0) << r.err;
    std::string as;
    if (geteuid() == 0) {
        if (std::system("setpriv --version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "running as root without setpriv to drop the rights";
        }
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    std::filesystem::permissions(dir(), std::filesystem::perms(0755));
    std::filesystem::permissions(dir() + "/out", std::filesystem::perms(0555));
    std::filesystem::permissions(dir() + "/out/Plugins", std::filesystem::perms(0555));
    r = Host("score '" STATS_HOST_TEST_DATA "/logs/01-basic.log' " + Out(), as);
    std::filesystem::permissions(dir() + "/out", std::filesystem::perms(0755));
    std::filesystem::permissions(dir() + "/out/Plugins", std::filesystem::perms(0755));
    EXPECT_EQ(r.status, 2) << r.out << r.err;
    EXPECT_NE(r.err.find(dir() + "/out: cannot write into the output folder"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("Bad QSO"), std::string::npos) << r.out;
}

TEST_F(StatsHost, ReportRunWritesTheCabrilloFileWithTheHeaderAnswers) {
    const std::string log = Write("small.log", kSmallLog);
    const std::string html = dir() + "/page.html";
    const HostRun r = Host(
        "score '" + log + "' " + Out() +
        " --report --header 'NAME=Ana Test' --header CATEGORY-POWER=LOW --html '" + html + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Output: File produced: DL1XYZ.cbr"), std::string::npos) << r.out;
    const std::string cbr = Slurp(dir() + "/out/DL1XYZ.cbr");
    EXPECT_NE(cbr.find("NAME: Ana Test\r\n"), std::string::npos) << cbr;
    EXPECT_NE(cbr.find("CATEGORY-POWER: LOW\r\n"), std::string::npos) << cbr;
    EXPECT_NE(cbr.find("CLAIMED-SCORE: 150\r\n"), std::string::npos) << cbr;
    // Every stored QSO is in the file, the dupe and the YU station without a
    // county too, in log order.
    size_t qsoLines = 0;
    for (size_t at = cbr.find("\r\nQSO: "); at != std::string::npos;
         at = cbr.find("\r\nQSO: ", at + 1)) {
        ++qsoLines;
    }
    EXPECT_EQ(qsoLines, 6u) << cbr;
    EXPECT_NE(cbr.find("\r\nQSO: 14030 CW 2026-02-14 1303 DL1XYZ        599 008    YU7ZZ"
                       "         599 123\r\nEND-OF-LOG:"),
              std::string::npos)
        << cbr;
    const std::string page = Slurp(html);
    EXPECT_EQ(page.rfind("<html>", 0), 0u);
    EXPECT_NE(page.find("25 * (4 + 2) = 150"), std::string::npos) << page;
    EXPECT_NE(r.out.find("Score: 25*(4+2) = 150"), std::string::npos) << r.out;

    const HostRun unknown = Host("score '" + log + "' " + Out() + " --report --header NICK=x");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("has no field NICK"), std::string::npos) << unknown.err;
}

TEST_F(StatsHost, CheckAnswersForACallAfterTheLog) {
    const std::string log = Write("small.log", kSmallLog);
    const std::string base = "check '" + log + "' ";
    HostRun r = Host(base + "YU1AAA --band 40m --mode CW " + Out());
    EXPECT_EQ(r.status, 10) << r.err;
    // Calls are compared in capitals, as a host hands them over.
    EXPECT_NE(r.out.find("YU1AAA on 40m CW: dupe (status 0)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("previous exchange: BGD"), std::string::npos) << r.out;
    r = Host(base + "yu1aaa --band 40m --mode CW " + Out());
    EXPECT_NE(r.out.find("YU1AAA on 40m CW: dupe (status 0)"), std::string::npos) << r.out;
    r = Host(base + "YU1AAA --band 20m --mode PH " + Out());
    EXPECT_NE(r.out.find("YU1AAA on 20m SSB: not a dupe, no new multiplier: 20m already has "
                         "DXCC YU (status 1)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("previous exchange: BGD"), std::string::npos) << r.out;
    r = Host(base + "JA1ABC --band 40m --mode CW " + Out());
    EXPECT_NE(r.out.find("new multiplier: not a dupe, and no QSO on 40m has DXCC JA (status 2)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("DXCC: JA (Japan, AS)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("previous exchange: (none)"), std::string::npos) << r.out;
    r = Host(base + "JA1ABC --band 10m --mode CW " + Out());
    EXPECT_NE(r.out.find("not a dupe, no new multiplier: 10m has no QSO yet (status 1)"),
              std::string::npos)
        << r.out;
    r = Host(base + "Q1ABC --band 40m --mode CW " + Out());
    EXPECT_NE(r.out.find("no country: the call resolves to no DXCC entity (status 1)"),
              std::string::npos)
        << r.out;
    r = Host(base + "JA1ABC --band 30m --mode CW " + Out());
    EXPECT_NE(r.out.find("invalid band or mode (status 4)"), std::string::npos) << r.out;
    r = Host(base + "JA1ABC --band 40m " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("check wants --band and --mode"), std::string::npos) << r.err;
    r = Host(base + "'' --band 40m --mode CW " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("check wants a CALL, not an empty text"), std::string::npos) << r.err;
}

TEST_F(StatsHost, RelativePathsAreResolvedBeforeTheRunChangesFolder) {
    Write("small.log", kSmallLog);
    std::filesystem::copy_file(STATS_HOST_TEST_DATA "/cty.dat", dir() + "/my-cty.dat");
    const std::string cd = "cd '" + dir() + "' &&";
    HostRun r = Host("check small.log JA1ABC --band 40m --mode CW --cty my-cty.dat --out out", cd);
    EXPECT_EQ(r.status, 12) << r.err;
    EXPECT_NE(r.out.find("DXCC: JA (Japan, AS)"), std::string::npos) << r.out;
    r = Host(
        "score small.log --cty my-cty.dat --out out --problems p.txt --json s.json "
        "--html s.html",
        cd);
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* name : {"p.txt", "s.json", "s.html"}) {
        EXPECT_TRUE(std::filesystem::exists(dir() + "/" + name)) << name;
    }
}

// --timings adds one line per stage on standard error and changes nothing
// else; check has no stages to time.
TEST_F(StatsHost, TimingsNameEachStageOfAScoreAndChangeNoOutput) {
    const std::string log = Write("small.log", kSmallLog);
    const HostRun plain = Host("score '" + log + "' " + Out());
    const HostRun timed = Host("score '" + log + "' " + Out() + " --timings");
    EXPECT_EQ(timed.status, 0) << timed.err;
    EXPECT_EQ(timed.out, plain.out);
    std::string stages;
    std::string rest;
    std::istringstream lines(timed.err);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_match(line, m,
                             std::regex("stats-host: timing: ([a-z]+) +[0-9.]+ s wall, CPU .*, "
                                        "peak [0-9]+ MB"))) {
            stages += m[1].str() + " ";
        } else {
            rest += line + "\n";
        }
    }
    EXPECT_EQ(stages, "read countries prepare replay result problems outputs closing ");
    EXPECT_EQ(rest, plain.err);
    const HostRun check =
        Host("check '" + log + "' OK1AA --band 20m --mode CW " + Out() + " --timings");
    EXPECT_EQ(check.status, 2);
    EXPECT_NE(check.err.find("--timings belongs to score and check-logs"), std::string::npos)
        << check.err;
}

TEST_F(StatsHost, BadInputGivesClearErrorsAndExitCodes) {
    const std::string log = Write("small.log", kSmallLog);
    HostRun r = Host("score '" + dir() + "/missing.log' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(dir() + "/missing.log: no such file (log)"), std::string::npos) << r.err;
    r = Host("score '" + Write("notes.txt", "hello\n") + "' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("notes.txt:1: neither a Cabrillo log"), std::string::npos) << r.err;
    r = Host("score '" + log + "' " + OutDir() + " --cty /nonexistent/cty.dat");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("/nonexistent/cty.dat: no such file (country file)"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("apt-get"), std::string::npos) << r.err;
    r = Host("score '" + log + "' " + Out() + " --plugin /nonexistent/libStats.so");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot load /nonexistent/libStats.so"), std::string::npos) << r.err;
    r = Host("score '" + log + "' --frobnicate");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown option --frobnicate"), std::string::npos) << r.err;
    r = Host("score '" +
             Write("nocall.adi",
                   "<CALL:5>OK1AA <QSO_DATE:8>20260214 "
                   "<TIME_ON:4>1200 <BAND:3>20m <MODE:2>CW <EOR>\n") +
             "' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("the log names no own call; give it with --call"), std::string::npos)
        << r.err;
    r = Host("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("stats-host check LOG CALL --band BAND --mode MODE"), std::string::npos);
    r = Host("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(std::regex_match(r.out, std::regex("stats-host [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << r.out;
}

TEST_F(StatsHost, ScoresAnAdifLogAndCountsCallsThatDoNotResolve) {
    const std::string log = Write(
        "log.adi",
        "<EOH>\n<CALL:6>YU1ABC <QSO_DATE:8>20260214 <TIME_ON:4>1432 <FREQ:6>14.025 <MODE:2>CW "
        "<RST_SENT:3>599 <RST_RCVD:3>599 <STX_STRING:3>001 <SRX_STRING:3>BGD "
        "<STATION_CALLSIGN:6>OK1XYZ <EOR>\n"
        "<CALL:9>DL1ABC/MM <QSO_DATE:8>20260214 <TIME_ON:4>1433 <FREQ:6>14.026 <MODE:3>USB "
        "<RST_SENT:2>59 <RST_RCVD:2>59 <STX_STRING:3>002 <SRX_STRING:3>017 <EOR>\n");
    const HostRun r = Host("score '" + log + "' " + Out());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Contestant: OK1XYZ"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("1 call did not resolve to a DXCC entity and was passed without "
                         "one: DL1ABC/MM"),
              std::string::npos)
        << r.err;
    EXPECT_NE(
        r.err.find("2 QSOs read, 2 in the contest period 2026-02-14 12:00 to 2026-02-15 12:00 "
                   "(12:00 on a tie), 2 stored; problems: 0 "
                   "unreadable, 0 bad call, 0 outside period, 1 no country,"),
        std::string::npos)
        << r.err;
}

// Hand-made logs and their scores worked out by hand from the contest's
// rules: QSO points 10 for a YU station (1 for a YU entrant), 1 for the own
// country, 2 for the own continent, 4 otherwise; multipliers DXCC entities and
// YU counties, each once per band; score = points x (DXCC + counties).
struct HandLog {
    const char* file;
    const char* score;
    int dupes;
    int bad;
    const char* problems;          // the closing line's count per kind
    const char* listed = nullptr;  // a line of --problems after "LOG:", or none
};

const HandLog kHandLogs[] = {
    // 20m: YU1AAA 10, DL2BBB own country 1, W1CCC other continent 4; 40m
    // YU1AAA 10. DXCC 20m YU DL K, 40m YU; counties BGD on both bands.
    {"01-basic.log", "25*(4+2) = 150", 0, 0,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 0 no county, 0 dupe"},
    // Lower-case calls: yu1aaa/YU1AAA and k1abc/K1ABC are dupes. 20m: YU 10,
    // OK 2, K 4; DXCC YU OK K; county BGD.
    {"02-lowercase.log", "16*(3+1) = 64", 2, 0,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 0 no county, 2 dupe"},
    // CR line ends, YU entrant. 40m: YT2BBB own country 1, 9A 2, JA 4, S5 2;
    // 15m: YU7CC 1, W1AW 4. DXCC 40m YU 9A JA S5, 15m YU K; counties KOL, NIS.
    {"03-cr-only.log", "14*(6+2) = 112", 0, 0,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 0 no county, 0 dupe"},
    // JA1AA a week early and YU1BBB an hour late are left out. 20m: YU 10,
    // OK 2; 40m OK 2; 80m HA 2 in SSB and 2 in CW; 10m PY 4. DXCC 20m YU OK,
    // 40m OK, 80m HA, 10m PY; county BGD.
    {"04-out-of-period.log", "22*(5+1) = 132", 0, 0,
     "0 unreadable, 0 bad call, 2 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 0 no county, 0 dupe"},
    // Three lines cannot be read. 20m YU 10, 9A 2; 15m UA9 4; 40m K 4. DXCC
    // 20m YU 9A, 15m UA9, 40m K; county BGD.
    {"05-unreadable.log", "20*(4+1) = 100", 0, 0,
     "3 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 0 no county, 0 dupe"},
    // ADIF, entrant OK1XYZ. 20m YU 10, DL 2, OK 1; 40m YU 10; 10m VK 4; FT8
    // rejected. DXCC 20m YU DL OK, 40m YU, 10m VK; county BGD on 20m and 40m.
    {"06-basic.adi", "27*(5+2) = 189", 0, 1,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 1 wrong mode, "
     "0 no exchange, 0 no county, 0 dupe"},
    // ADIF, CR line ends, lower-case calls, entrant S51XYZ. 20m yu1aaa 10 and
    // its dupe YU1AAA; 40m S5 1, HA 2; 15m JA 4. DXCC 20m YU, 40m S5 HA, 15m
    // JA; county BGD.
    {"07-lowercase-cr.adi", "17*(4+1) = 85", 1, 0,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 0 no county, 1 dupe"},
    // YU entrant on 80m: YU1AAA 1, YU7BBB 1, YT1CC without a county, YU1DDD
    // "bgd" 1, 9A 2, K 4. DXCC YU 9A K; counties BGD NIS.
    {"08-yu-entrant.log", "9*(3+2) = 45", 0, 1,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 1 no county, 0 dupe"},
    // 160m and 30m, and RTTY, are outside the contest. 20m YU 10, DL 1; 15m
    // OK 2. DXCC 20m YU DL, 15m OK; county ZLA.
    {"09-wrong-band-mode.log", "13*(3+1) = 52", 0, 3,
     "0 unreadable, 0 bad call, 0 outside period, 0 no country, 2 wrong band, 1 wrong mode, "
     "0 no exchange, 0 no county, 0 dupe"},
    // ADIF, CR LF. YU1AAA without an exchange is rejected; 20m YU 10 in CW
    // and 10 in SSB; 40m UA 2, R9FAA Asiatic Russia but in Europe 2, Q1ZZZ no
    // country 4 (its empty DXCC counts as one). DXCC 20m YU, 40m UA UA9 and
    // the empty one; county BGD.
    {"10-exchange-country.adi", "28*(4+1) = 140", 0, 1,
     "0 unreadable, 0 bad call, 0 outside period, 1 no country, 0 wrong band, 0 wrong mode, "
     "1 no exchange, 0 no county, 0 dupe"},
    // ADIF, a month's export: five FT8 QSOs a week before the contest's four
    // do not move the period. 20m YU1AAA 10, "OE1AAA " (a blank in its
    // value) 2, YU1AAA again without a county: a dupe and a bad QSO, listed
    // once; 40m OK 2. DXCC 20m YU OE, 40m OK; county BGD.
    {"11-month-export.adi", "14*(3+1) = 56", 1, 1,
     "0 unreadable, 0 bad call, 5 outside period, 0 no country, 0 wrong band, 0 wrong mode, "
     "0 no exchange, 1 no county, 1 dupe",
     "10: no county, dupe: YU1AAA 20m CW 2026-02-14 1302, exchange 'XYZ'\n"},
};

void PrintTo(const HandLog& h, std::ostream* os) {
    *os << h.file;
}

class HandMadeLog : public StatsHost, public ::testing::WithParamInterface<HandLog> {};

TEST_P(HandMadeLog, ScoresAsWorkedOutByHand) {
    const HandLog& h = GetParam();
    const std::string log = STATS_HOST_TEST_DATA "/logs/" + std::string(h.file);
    const std::string problems = dir() + "/problems.txt";
    const HostRun r = Host("score '" + log + "' " + Out() + " --problems '" + problems + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("    DI-VE-RI  14.02-15.02.2026\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Score: " + std::string(h.score) + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Dupe\t " + std::to_string(h.dupes) + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Bad QSO\t " + std::to_string(h.bad) + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(std::string("problems: ") + h.problems), std::string::npos) << r.err;
    if (h.listed != nullptr) {
        EXPECT_NE(Slurp(problems).find(log + ":" + h.listed), std::string::npos) << Slurp(problems);
    }
}

INSTANTIATE_TEST_SUITE_P(HandLogs, HandMadeLog, ::testing::ValuesIn(kHandLogs),
                         [](const ::testing::TestParamInfo<HandLog>& param) {
                             std::string name = param.param.file;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST_F(StatsHost, JsonSummaryReadsBackAsThePluginCountedIt) {
    const std::string json = dir() + "/summary.json";
    const HostRun r = Host("score '" STATS_HOST_TEST_DATA "/logs/04-out-of-period.log' " + Out() +
                           " --json '" + json + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = Slurp(json);
    const JsonReader j(text);
    ASSERT_TRUE(j.ok()) << text;
    EXPECT_EQ(j["own_call"], "DL1XYZ");
    EXPECT_EQ(j["period.start"], "2026-02-14 12:00");
    EXPECT_EQ(j["period.end"], "2026-02-15 12:00");
    EXPECT_EQ(j["period.chosen_by"], "most QSOs");
    EXPECT_EQ(j["period.summary_dates"], "14.02-15.02.2026");
    // Bands in the summary's order: 80m 40m 20m 10m.
    EXPECT_EQ(j["bands[0].band"] + " " + j["bands[0].qsos"] + " " + j["bands[0].points"] + " " +
                  j["bands[0].dxcc"] + " " + j["bands[0].counties"],
              "80m 2 4 1 0");
    EXPECT_EQ(j["bands[2].band"] + " " + j["bands[2].qsos"] + " " + j["bands[2].points"] + " " +
                  j["bands[2].dxcc"] + " " + j["bands[2].counties"],
              "20m 2 12 2 1");
    EXPECT_EQ(j["bands[4].band"], "(missing)");
    EXPECT_EQ(j["totals.qsos"] + " " + j["totals.points"] + " " + j["totals.dxcc"] + " " +
                  j["totals.counties"],
              "6 22 5 1");
    EXPECT_EQ(j["dupes"] + " " + j["bad_qsos"] + " " + j["score"], "0 0 132");
    // The last QSO, PY1AA on 10m at 11:00, is alone on its band in the hour.
    EXPECT_EQ(j["last_qso_points"], "4");
    EXPECT_EQ(j["rates.qsos_last_hour"] + " " + j["rates.qsos_per_hour_from_last_10_minutes"] +
                  " " + j["rates.points_last_hour"] + " " +
                  j["rates.points_per_hour_from_last_10_minutes"],
              "1 6 4 24");
    EXPECT_EQ(j["qsos.read"] + " " + j["qsos.in_period"] + " " + j["qsos.stored"], "8 6 6");
    EXPECT_EQ(
        j["problems.outside_period"] + " " + j["problems.dupe"] + " " + j["problems.no_country"],
        "2 0 0");
}

}  // namespace
