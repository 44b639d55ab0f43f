// --rules: a YU/YT entrant's log and a single-band entry's log scored by
// both rule sets, through stats-host score, check and check-logs.
#include "tests/host/stats_host_fixture.h"

namespace stats_host_test {
namespace {

// A 40 m entry of DL1XYZ. Saturday 08:00 YU1AAA (BGD); 13:00 to 14:01
// OK1AA, W1AW sending EU then 017, YU7BBB (NIS) and 9A2AA on 20 m; Sunday
// 11:00 S51A.
//   classic: the periods from 07:00 and from 12:00 hold six QSOs each, so
//     12:00 wins the tie: 40m OK 2, W1AW 4 (017 a dupe), S5 2; 20m YU 10,
//     9A 2, NIS. 20 × (3 + 2 + 1) = 120, all bands.
//   2020: from 07:00 only: 40m YU 10, OK 2, W1AW 017 4 (EU no number), BGD:
//     16 × (3 + 1) = 64 for the entry; all bands 28 × (5 + 2) = 196.
const char* const kSingleBandLog =
    "START-OF-LOG: 3.0\n"
    "CALLSIGN: DL1XYZ\n"
    "CONTEST: DI-VE-RI\n"
    "CATEGORY-BAND: 40M\n"
    "QSO:  7025 CW 2026-02-14 0800 DL1XYZ 599 001 YU1AAA 599 BGD\n"
    "QSO:  7026 CW 2026-02-14 1300 DL1XYZ 599 002 OK1AA  599 005\n"
    "QSO:  7027 CW 2026-02-14 1301 DL1XYZ 599 003 W1AW   599 EU\n"
    "QSO:  7028 CW 2026-02-14 1302 DL1XYZ 599 004 W1AW   599 017\n"
    "QSO: 14025 CW 2026-02-14 1400 DL1XYZ 599 005 YU7BBB 599 NIS\n"
    "QSO: 14026 CW 2026-02-14 1401 DL1XYZ 599 006 9A2AA  599 010\n"
    "QSO:  7029 CW 2026-02-15 1100 DL1XYZ 599 007 S51A   599 011\n"
    "END-OF-LOG:\n";

class Rules : public StatsHost {
  protected:
    std::string Settings() { return Slurp(dir() + "/out/Plugins/DI-VE-RI.ini"); }
};

TEST_F(Rules, BothLogsScoreByTheChosenRules) {
    const std::string single = Write("single.log", kSingleBandLog);
    const std::string yu = STATS_HOST_TEST_DATA "/logs/08-yu-entrant.log";
    struct Case {
        std::string log;
        const char* rules;
        const char* scoreLine;
        const char* score;
        const char* allBands;
        const char* entryBand;
        const char* period;
        const char* note;  // under classic, what the note names; "" none
    };
    const Case cases[] = {
        // YU1XYZ on 80m: points 1+1+1+2+4 with YT1CC's missing county.
        {yu, "classic", "9*(3+2) = 45", "45", "45", "null", "2026-02-14 12:00",
         "differ for this log: the own call is YU/YT; --rules 2020 scores by them"},
        {yu, "2020", "9*(3+0) = 27", "27", "27", "null", "2026-02-14 07:00", ""},
        {single, "classic", "20*(5+1) = 120", "120", "120", "null", "2026-02-14 12:00",
         "differ for this log: CATEGORY-BAND is 40M; 1 received exchange from stations outside "
         "YU/YT is not a number; the period starts at 12:00 and 1 QSO lies between 07:00 and "
         "11:59 before it; --rules 2020 scores by them"},
        {single, "2020", "28*(5+2) = 196", "64", "196", "40m", "2026-02-14 07:00", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log + " " + c.rules);
        const HostRun r = Host("score '" + c.log + "' " + Out() + " --rules " + c.rules +
                               " --json '" + dir() + "/s.json'");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(std::string("Score: ") + c.scoreLine + "\n"), std::string::npos)
            << r.out;
        const JsonReader j(Slurp(dir() + "/s.json"));
        EXPECT_EQ(j["rules"], c.rules);
        EXPECT_EQ(j["score"], c.score);
        EXPECT_EQ(j["all_bands_score"], c.allBands);
        EXPECT_EQ(j["entry_band"], c.entryBand);
        EXPECT_EQ(j["period.start"], c.period);
        const bool is2020 = std::string(c.rules) == "2020";
        EXPECT_EQ(r.err.find("stats-host: note:") != std::string::npos, *c.note != '\0') << r.err;
        EXPECT_NE(r.err.find(c.note), std::string::npos) << r.err;
        // The closing line names the 2020 rules; under classic it ends as
        // it always did.
        EXPECT_EQ(r.err.find("scored by the contest's rules since 2020") != std::string::npos,
                  is2020)
            << r.err;
        // The choice reaches the plug-in through the run folder's settings,
        // and a classic run into the same folder takes it back out.
        EXPECT_EQ(Settings().find("Rules=2020\r\n") != std::string::npos, is2020) << Settings();
    }
}

TEST_F(Rules, NotANumberIsAProblemOfItsOwn) {
    const std::string single = Write("single.log", kSingleBandLog);
    const HostRun r =
        Host("score '" + single + "' " + Out() + " --rules 2020 --problems '" + dir() +
             "/p.txt' --json '" + dir() + "/s.json' --page '" + dir() + "/page.html'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Slurp(dir() + "/p.txt")
                  .find(":7: not a number: W1AW 40m CW 2026-02-14 1301, "
                        "exchange 'EU'\n"),
              std::string::npos)
        << Slurp(dir() + "/p.txt");
    const JsonReader j(Slurp(dir() + "/s.json"));
    EXPECT_EQ(j["problems.not_a_number"], "1");
    EXPECT_EQ(j["problems.outside_period"], "1");
    EXPECT_EQ(j["bad_qsos"], "1");
    EXPECT_NE(r.err.find("0 dupe, 1 not a number"), std::string::npos) << r.err;
    const std::string page = Slurp(dir() + "/page.html");
    EXPECT_NE(page.find("<span id=\"entry-score\">64</span>"), std::string::npos);
}

// The report run's entry band is the form's answer: the log's CATEGORY-BAND
// unless --header gives another.
TEST_F(Rules, ReportRunClaimsTheFormsBand) {
    const std::string single = Write("single.log", kSingleBandLog);
    struct Case {
        const char* options;
        const char* claimed;
    };
    const Case cases[] = {
        {"--rules 2020", "64"},
        {"--rules 2020 --header CATEGORY-BAND=ALL", "196"},
        {"--rules 2020 --header CATEGORY-BAND=20M", "36"},  // 12 × (YU, 9A, NIS)
        {"--rules classic", "120"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const HostRun r = Host("score '" + single + "' " + Out() + " --report " + c.options +
                               " --json '" + dir() + "/s.json'");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(Slurp(dir() + "/out/DL1XYZ.cbr")
                      .find(std::string("\r\nCLAIMED-SCORE: ") + c.claimed + "\r\n"),
                  std::string::npos);
        EXPECT_EQ(JsonReader(Slurp(dir() + "/s.json"))["score"], c.claimed);
    }
}

TEST_F(Rules, StartWithADateAloneFollowsTheRules) {
    const std::string single = Write("single.log", kSingleBandLog);
    for (const char* rules : {"classic", "2020"}) {
        const HostRun r = Host("score '" + single + "' " + Out() + " --rules " + rules +
                               " --start 2026-02-14 --json '" + dir() + "/s.json'");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(JsonReader(Slurp(dir() + "/s.json"))["period.start"],
                  std::string(rules) == "2020" ? "2026-02-14 07:00" : "2026-02-14 12:00");
    }
    // check replays by the rules it is given: W1AW's 017 stands beside the
    // EU that is no number, and makes the call a dupe on 40m CW.
    const HostRun check =
        Host("check '" + single + "' W1AW --band 40m --mode CW " + Out() + " --rules 2020");
    EXPECT_EQ(check.status, 10) << check.err;
    EXPECT_NE(check.err.find("1 not a number"), std::string::npos) << check.err;
    const HostRun bad = Host("score '" + single + "' " + Out() + " --rules 2019");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--rules '2019'"), std::string::npos) << bad.err;
}

TEST_F(Rules, CheckLogsScoresASingleBandEntryOnTheBandOfItsCategory) {
    // The CATEGORY: line's letter decides the category the log is ranked
    // in, so it decides the band it is scored on too.
    const struct {
        const char* header;
        const char* letter;
        const char* entryBand;
        const char* score;
    } cases[] = {
        {"CATEGORY: I\n", "I", "40m", "64"},
        {"CATEGORY: C\nCATEGORY-BAND: 40M\n", "C", "null", "196"},
    };
    const std::string folder = dir() + "/letters";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    for (const auto& c : cases) {
        std::string log = kSingleBandLog;
        log.replace(log.find("CATEGORY-BAND: 40M\n"), 19, c.header);
        Write("letters/DL1XYZ.log", log);
        const HostRun r = Host("check-logs '" + folder + "' " + Out() + " --rules 2020 --json '" +
                               dir() + "/l.json'");
        ASSERT_EQ(r.status, 0) << r.err;
        const JsonReader j(Slurp(dir() + "/l.json"));
        EXPECT_EQ(j["logs[0].category.letter"], c.letter) << c.header;
        EXPECT_EQ(j["logs[0].entry_band"], c.entryBand) << c.header;
        EXPECT_EQ(j["logs[0].claimed.score"], c.score) << c.header;
    }
}

TEST_F(Rules, CheckLogsScoresASingleBandEntryOnItsBand) {
    const std::string folder = dir() + "/contest";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    Write("contest/DL1XYZ.log", kSingleBandLog);
    for (const char* rules : {"classic", "2020"}) {
        SCOPED_TRACE(rules);
        const bool is2020 = std::string(rules) == "2020";
        const HostRun r = Host("check-logs '" + folder + "' " + Out() + " --rules " + rules +
                               " --json '" + dir() + "/c.json'");
        ASSERT_EQ(r.status, 0) << r.err;
        const JsonReader j(Slurp(dir() + "/c.json"));
        EXPECT_EQ(j["rules"], rules);
        EXPECT_EQ(j["logs[0].entry_band"], is2020 ? "40m" : "null");
        EXPECT_EQ(j["logs[0].claimed.score"], is2020 ? "64" : "120");
        EXPECT_EQ(j["logs[0].qsos[2].status"], is2020 ? "not-a-number" : "unique");
        EXPECT_EQ(j["period.start"], is2020 ? "2026-02-14 07:00" : "2026-02-14 12:00");
    }
}

}  // namespace
}  // namespace stats_host_test
