// stats-host run as a process, as an operator runs it, against the built
// plug-in.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct HostRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class StatsHost : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/stats-host-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        if (!dir_.empty() && !HasFailure()) {
            std::system(("rm -rf '" + dir_ + "'").c_str());
        }
    }

    HostRun Host(const std::string& args) {
        const std::string out = dir_ + "/stdout";
        const std::string err = dir_ + "/stderr";
        const std::string command =
            std::string(STATS_HOST_EXE) + " " + args + " >'" + out + "' 2>'" + err + "'";
        HostRun r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(out);
        r.err = Slurp(err);
        return r;
    }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // The output folder, and the country file shipped with the tests.
    std::string Out() const {
        return "--out '" + dir_ + "/out' --cty '" STATS_HOST_TEST_DATA "/cty.dat'";
    }
    const std::string& dir() const { return dir_; }

  private:
    std::string dir_;
};

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

TEST_F(StatsHost, ScoresALogAndReportsWhatItSkippedAndFlagged) {
    const std::string log = Write("small.log", kSmallLog);
    const HostRun r = Host("score '" + log + "' " + Out());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Contestant: DL1XYZ"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("14.02-15.02.2026"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Score: 25*(4+2) = 150\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_NE(r.err.find(log + ":8: date and time '2026-02-14 13'"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("6 QSOs stored, 2 flagged, 1 rejected, 1 lines skipped, 0 calls did "
                         "not resolve"),
              std::string::npos)
        << r.err;
    const std::string bad = Slurp(dir() + "/out/BadQSO_DozudODODER_15_02_2026.txt");
    EXPECT_NE(bad.find("YU1AAA  599  BGD   DUPE !!!"), std::string::npos) << bad;
    EXPECT_NE(bad.find("   WRONG BAND !!!"), std::string::npos) << bad;
    EXPECT_NE(bad.find("   NO SERBIA COUNTY !!!"), std::string::npos) << bad;
}

TEST_F(StatsHost, ContestDatesComeFromTheLogUnlessGiven) {
    const std::string log = Write("small.log", kSmallLog);
    HostRun r = Host("score '" + log + "' " + Out() + " --start 2026-02-07");
    EXPECT_NE(r.out.find("07.02-08.02.2026"), std::string::npos) << r.out;
    r = Host("score '" + log + "' " + Out() + " --end '2026-02-16 12:00'");
    EXPECT_NE(r.out.find("15.02-16.02.2026"), std::string::npos) << r.out;
    r = Host("score '" + log + "' " + Out() + " --start 2026-13-01");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--start '2026-13-01'"), std::string::npos) << r.err;
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
    // The YU station without a county is left out of the file.
    EXPECT_EQ(cbr.find("YU7ZZ"), std::string::npos);
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
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("YU1AAA on 40m CW: dupe (status 0)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("previous exchange: BGD"), std::string::npos) << r.out;
    r = Host(base + "YU1AAA --band 20m --mode PH " + Out());
    EXPECT_NE(r.out.find("YU1AAA on 20m SSB: known (status 1)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("previous exchange: BGD"), std::string::npos) << r.out;
    r = Host(base + "JA1ABC --band 40m --mode CW " + Out());
    EXPECT_NE(r.out.find("new multiplier (status 2)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DXCC: JA (Japan, AS)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("previous exchange: (none)"), std::string::npos) << r.out;
    r = Host(base + "JA1ABC --band 30m --mode CW " + Out());
    EXPECT_NE(r.out.find("invalid (status 4)"), std::string::npos) << r.out;
    r = Host(base + "JA1ABC --band 40m " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("check wants --band and --mode"), std::string::npos) << r.err;
}

TEST_F(StatsHost, BadInputGivesClearErrorsAndExitCodes) {
    const std::string log = Write("small.log", kSmallLog);
    HostRun r = Host("score '" + dir() + "/missing.log' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(dir() + "/missing.log: cannot open the log"), std::string::npos) << r.err;
    r = Host("score '" + Write("notes.txt", "hello\n") + "' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("notes.txt:1: neither a Cabrillo log"), std::string::npos) << r.err;
    r = Host("score '" + log + "' " + Out() + " --cty /nonexistent/cty.dat");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("install it with 'apt-get install hamradio-files'"), std::string::npos)
        << r.err;
    r = Host("score '" + log + "' " + Out() + " --plugin /nonexistent/libStats.so");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot load /nonexistent/libStats.so"), std::string::npos) << r.err;
    r = Host("score '" + log + "' --frobnicate");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown option --frobnicate"), std::string::npos) << r.err;
    r = Host("score '" +
             Write("nocall.adi",
                   "<CALL:5>OK1AA <QSO_DATE:8>20260214 "
                   "<TIME_ON:4>1200 <BAND:3>20m <EOR>\n") +
             "' " + Out());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("the log names no own call; give it with --call"), std::string::npos)
        << r.err;
    r = Host("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("stats-host check LOG CALL --band BAND --mode MODE"), std::string::npos);
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
    EXPECT_NE(r.err.find("1 calls did not resolve to a DXCC entity and were passed without "
                         "one: DL1ABC/MM"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("2 QSOs stored, 0 flagged, 0 rejected, 0 lines skipped, 1 calls did "
                         "not resolve"),
              std::string::npos)
        << r.err;
}

}  // namespace
