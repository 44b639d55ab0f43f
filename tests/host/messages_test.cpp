// What stats-host tells a contester who gave it something it cannot use or
// a place it cannot write, and the exit status each run ends with.
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

TEST_F(StatsHost, EveryRunEndsWithItsStatusAndAMessageNamingTheCause) {
    namespace fs = std::filesystem;
    const std::string log = Write("MY.log", kLog);
    fs::create_directories(dir() + "/sub");
    fs::create_symlink(log, dir() + "/link.log");
    fs::create_hard_link(log, dir() + "/hard.log");
    const std::string score = "score '" + log + "'";
    const std::string check = "check '" + log + "' ";
    const std::string inOut = dir() + "/out/DL1XYZ.cbr";
    const std::string a = "'" + dir() + "/a.txt'";
    // Logs whose QSO lines carry other own calls: one line; six lines.
    std::string one = kLog;
    one.replace(one.find("DL1XYZ 599 002"), 6, "DL1ZZZ");
    const std::string oneOther = Write("one-other.log", one);
    std::string six = "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n";
    for (int i = 0; i < 13; ++i) {
        six += "QSO: 14025 CW 2026-02-14 12" + std::to_string(10 + i) +
               (i % 2 == 0 ? " DL1XYZ" : " DL1ZZZ") + " 599 001 OK1A" +
               std::string(1, static_cast<char>('A' + i)) + " 599 002\n";
    }
    const std::string sixOther = Write("six-other.log", six);
    // Two other own calls, each named once, in the order they first come.
    std::string two = six;
    two.replace(two.find("DL1ZZZ 599 001 OK1AB"), 6, "DL1YYY");
    two.replace(two.find("DL1ZZZ 599 001 OK1AL"), 6, "DL1YYY");
    const std::string twoOthers = Write("two-others.log", two);
    // Nothing to score: a line that cannot be read and a call that is none.
    std::string marked = kLog;
    marked.insert(marked.find("END-OF-LOG:"),
                  "X-QSO: 14028 CW 2026-02-14 1210 DL1XYZ 599 004 OK1AC 599 007\n");
    const std::string xQso = Write("x-qso.log", marked);
    const std::string nothing = Write("nothing.log",
                                      "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n"
                                      "QSO: 14025 CW 2026-02-14 12 DL1XYZ 599 "
                                      "001 OK1AA 599 002\n"
                                      "QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 "
                                      "001 QRZ? 599 002\n");
    const struct {
        std::string args;
        int status;
        std::string message;  // on standard output or error
    } kCases[] = {
        {score + " --call ''", 2, "--call needs a value, not an empty text"},
        // One QSO, one call: no plural.
        {score, 0, "stats-host: 1 QSO outside the contest period"},
        {check + "YU1AAA --band 20 --mode CW", 2, "--band '20' is not a band such as 20m"},
        {check + "YU1AAA --band 14000 --mode CW", 2, "--band '14000' is not a band"},
        {check + "YU1AAA --band 20m --mode 'C W'", 2, "--mode 'C W' is not a mode"},
        {check + "'YU1@A' --band 20m --mode CW", 2, "CALL 'YU1@A' is no call"},
        {check + "OK1ZZ --band 20M --mode CW", 11, "20m already has DXCC OK (status 1)"},
        {check + "JA1ABC --band 160m --mode CW", 14, "invalid band or mode (status 4)"},
        {check + "JA1ABC --band 20m --mode RTTY", 14, "invalid band or mode (status 4)"},
        // --header values are checked against the form's lists; the run
        // decides the call.
        {score + " --report --header CATEGORY-POWER=QRO", 2,
         "--header CATEGORY-POWER='QRO': the form's CATEGORY-POWER is one of HIGH LOW QRP"},
        {score + " --report --header CALLSIGN=YU1ZZZ", 2, "--header CALLSIGN: the run decides it"},
        {score + " --report --header CATEGORY-POWER=MEDIUM", 2,
         "--header CATEGORY-POWER='MEDIUM': the form's CATEGORY-POWER is one of HIGH LOW QRP"},
        {score + " --report --header COLOUR=RED", 2,
         "the Cabrillo header form has no field COLOUR"},
        // The own call: one given over the log's, and QSO lines under others.
        {score + " --call YU1XYZ", 0, "warning: --call YU1XYZ overrides the log's own call DL1XYZ"},
        {"score '" + oneOther + "'", 0,
         oneOther + ": warning: 1 QSO line carries the own call DL1ZZZ, not DL1XYZ: line 4\n"},
        {"score '" + sixOther + "'", 0,
         sixOther + ": warning: 6 QSO lines carry the own call DL1ZZZ, not DL1XYZ: first lines 4, "
                    "6, 8, 10, 12\n"},
        {"score '" + twoOthers + "'", 0,
         twoOthers + ": warning: 2 QSO lines carry the own call DL1YYY, not DL1XYZ: lines 4, 14\n" +
             twoOthers +
             ": warning: 4 QSO lines carry the own call DL1ZZZ, not DL1XYZ: lines 6, 8, 10, 12\n"},
        {"score '" + xQso + "'", 0, "3 QSOs read, 1 X-QSO line not scored, 2 in the contest"},
        {"score '" + nothing + "' --problems " + a, 2,
         "stats-host: no QSO line of " + nothing +
             " could be used (2 QSO lines: 1 unreadable, 1 bad call); see --problems\n"},
        {score + " --html /dev/full", 2,
         "/dev/full: cannot write the HTML page: No space left on device"},
        {score + " --json /dev/full", 2,
         "/dev/full: cannot write the JSON summary: No space left on device"},
        {score + " --problems /dev/full", 2,
         "/dev/full: cannot write the problems list: No space left on device"},
        {score + " --page /dev/full", 2,
         "/dev/full: cannot write the page: No space left on device"},
        // No output overwrites an input or another output, by any name.
        {score + " --problems '" + log + "'", 2, "--problems would overwrite the log"},
        {score + " --html '" + dir() + "/sub/../MY.log'", 2, "--html would overwrite the log"},
        {score + " --json '" + dir() + "/link.log'", 2, "--json would overwrite the log"},
        {score + " --json '" + dir() + "/hard.log'", 2, "--json would overwrite the log"},
        {score + " --problems '" STATS_HOST_TEST_DATA "/cty.dat'", 2,
         "--problems would overwrite the country file"},
        {"score '" + inOut + "' --report", 2, "the Cabrillo file would overwrite the log"},
        {score + " --html " + a + " --problems '" + dir() + "/sub/../a.txt'", 2,
         "--html and --problems are the same file"},
        {score + " --json '" + dir() + "/out/Plugins/DI-VE-RI.ini'", 2,
         "--json and the plug-in's settings are the same file"},
    };
    for (const auto& c : kCases) {
        fs::remove_all(dir() + "/out");
        fs::create_directories(dir() + "/out");
        Write("out/DL1XYZ.cbr", kLog);
        const HostRun r = Host(c.args + " " + Out());
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(Slurp(log), kLog) << c.args;
        EXPECT_EQ(Slurp(inOut), kLog) << c.args;
        const bool nothingUsable = c.message.find("could be used") != std::string::npos;
        EXPECT_EQ(fs::exists(dir() + "/a.txt"), nothingUsable) << c.args;
        if (nothingUsable) {
            // The lines that kept it from scoring are still listed.
            const std::string listed = Slurp(dir() + "/a.txt");
            EXPECT_EQ(listed.find(nothing + ":3: unreadable: time '12' is not HHMM\n" + nothing +
                                  ":4: bad call: 'QRZ?': "),
                      0u)
                << listed;
            fs::remove(dir() + "/a.txt");
        }
        // A refusal leaves nothing behind: the plug-in never ran.
        if (c.message.find("would overwrite") != std::string::npos ||
            c.message.find("the same file") != std::string::npos) {
            EXPECT_NE(r.err.find(c.message + "; nothing was written"), std::string::npos) << r.err;
        }
        if (c.status == 2 && c.message.find("/dev/full") == std::string::npos) {
            EXPECT_FALSE(fs::exists(dir() + "/out/Larq2.ini")) << c.args;
        }
    }
    // An output folder that is a file.
    HostRun notFolder =
        Host(score + " --out '" + log + "' --cty '" STATS_HOST_TEST_DATA "/cty.dat'");
    EXPECT_EQ(notFolder.status, 2);
    EXPECT_NE(notFolder.err.find(log + ": is a file, not a folder; --out names the folder"),
              std::string::npos)
        << notFolder.err;
    // A full standard output too; the shell leaves before the fixture's own
    // redirections.
    const std::string err = dir() + "/err.txt";
    const HostRun r = Host(score + " " + Out() + " >/dev/full 2>'" + err + "'; exit $?; :");
    EXPECT_EQ(r.status, 2) << Slurp(err);
    EXPECT_NE(Slurp(err).find("standard output: cannot write the result: No space left on device"),
              std::string::npos)
        << Slurp(err);
}

TEST_F(StatsHost, ALogNameInAnotherCodePageStillGivesValidJson) {
    // Its bytes are read as Latin-1.
    const std::string latin1 = Write("caf\xe9.log", kLog);
    const std::string json = dir() + "/s.json";
    const HostRun r = Host("score '" + latin1 + "' " + Out() + " --json '" + json + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = Slurp(json);
    EXPECT_NE(text.find("caf\\u00e9.log\""), std::string::npos) << text;
    EXPECT_TRUE(JsonReader(text).ok()) << text;
}

TEST_F(StatsHost, ALogTheRunMayNotReadIsNamedAsSuch) {
    // Root reads anywhere, so the run is made as another user.
    std::string as;
    if (geteuid() == 0) {
        if (std::system("setpriv --version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "running as root without setpriv to drop the rights";
        }
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    const std::string log = Write("MY.log", kLog);
    std::filesystem::permissions(dir(), std::filesystem::perms(0755));
    std::filesystem::permissions(log, std::filesystem::perms(0600));
    const HostRun r = Host("score '" + log + "' " + Out(), as);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(log + ": permission denied: cannot read the log"), std::string::npos)
        << r.err;
}

}  // namespace
