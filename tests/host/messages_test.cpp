// What stats-host tells a contester who gave it something it cannot use,
// and the exit status check answers with.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "stats_host_fixture.h"

namespace {

using stats_host_test::HostRun;
using stats_host_test::JsonReader;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

const char* const kLog =
    "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n"
    "QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 001 YU1AAA 599 BGD\n"
    "QSO: 14026 CW 2026-02-14 1205 DL1XYZ 599 002 OK1AA 599 005\n"
    "QSO: 14027 CW 2026-02-21 1300 DL1XYZ 599 003 OK1AB 599 006\n"
    "END-OF-LOG:\n";

TEST_F(StatsHost, MessagesNameTheCauseAndUsageErrorsEndWithStatusTwo) {
    const std::string log = Write("MY.log", kLog);
    const std::string score = "score '" + log + "' " + Out();
    const struct {
        std::string args;
        int status;
        const char* message;
    } kCases[] = {
        {"score '" + dir() + "/none.log' " + Out(), 2, "none.log: no such file (log)"},
        {score + " --out ''", 2, "--out needs a value, not an empty text"},
        {score + " --call ''", 2, "--call needs a value, not an empty text"},
        {score + " --html ''", 2, "--html needs a value, not an empty text"},
        {score + " --header ''", 2, "--header needs a value, not an empty text"},
        // One QSO, one call: no plural.
        {score, 0, "stats-host: 1 QSO outside the contest period"},
        {"check '" + log + "' YU1AAA --band 20 --mode CW " + Out(), 2,
         "--band '20' is not a band such as 20m"},
        {"check '" + log + "' YU1AAA --band 14000 --mode CW " + Out(), 2,
         "--band '14000' is not a band"},
        {"check '" + log + "' YU1AAA --band 20m --mode 'C W' " + Out(), 2,
         "--mode 'C W' is not a mode"},
        {"check '" + log + "' 'YU1@A' --band 20m --mode CW " + Out(), 2, "CALL 'YU1@A' is no call"},
    };
    for (const auto& c : kCases) {
        const HostRun r = Host(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }

    // A log name in another code page still gives valid JSON: its bytes are
    // read as Latin-1.
    const std::string latin1 = Write("caf\xe9.log", kLog);
    const std::string json = dir() + "/s.json";
    const HostRun r = Host("score '" + latin1 + "' " + Out() + " --json '" + json + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = Slurp(json);
    EXPECT_NE(text.find("caf\\u00e9.log\""), std::string::npos) << text;
    EXPECT_TRUE(JsonReader(text).ok()) << text;
}

TEST_F(StatsHost, FilesTheRunMayNotTouchAreNamedAsSuch) {
    // Root reads and writes anywhere, so the runs are made as another user.
    std::string as;
    if (geteuid() == 0) {
        if (std::system("setpriv --version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "running as root without setpriv to drop the rights";
        }
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    namespace fs = std::filesystem;
    const std::string log = Write("MY.log", kLog);
    fs::permissions(dir(), fs::perms(0755));
    fs::permissions(log, fs::perms(0600));
    HostRun r = Host("score '" + log + "' " + Out(), as);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(log + ": permission denied: cannot read the log"), std::string::npos)
        << r.err;
    // An existing folder without the Plugins folder, not writable.
    fs::permissions(log, fs::perms(0644));
    fs::create_directories(dir() + "/out");
    fs::permissions(dir() + "/out", fs::perms(0555));
    r = Host("score '" + log + "' " + Out(), as);
    fs::permissions(dir() + "/out", fs::perms(0755));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(dir() + "/out: cannot write into the output folder"), std::string::npos)
        << r.err;
}

TEST_F(StatsHost, CheckExitsWithTenAndThePluginsAnswer) {
    const std::string log = Write("MY.log", kLog);
    const struct {
        const char* call;
        const char* band;
        const char* mode;
        int status;
        const char* answer;
    } kCases[] = {
        {"YU1AAA", "20m", "CW", 10, "dupe (status 0)"},
        {"OK1ZZ", "20M", "CW", 11, "20m already has DXCC OK (status 1)"},
        {"Q1ABC", "20m", "CW", 11, "no country: the call resolves to no DXCC entity (status 1)"},
        {"JA1ABC", "20m", "SSB", 12, "new multiplier"},
        {"JA1ABC", "160m", "CW", 14, "invalid band or mode (status 4)"},
        {"JA1ABC", "30m", "CW", 14, "invalid band or mode (status 4)"},
        {"JA1ABC", "20m", "RTTY", 14, "invalid band or mode (status 4)"},
    };
    for (const auto& c : kCases) {
        const HostRun r = Host("check '" + log + "' " + c.call + " --band " + c.band + " --mode " +
                               c.mode + " " + Out());
        EXPECT_EQ(r.status, c.status) << c.call << " " << c.band << " " << c.mode << r.err;
        EXPECT_NE(r.out.find(c.answer), std::string::npos) << c.call << ": " << r.out;
    }
}

}  // namespace
