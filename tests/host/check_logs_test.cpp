// stats-host check-logs run as a process over folders of logs: a generated
// contest against the generator's answers, then hand-made contests for the
// clock offsets, the exchanges, the matching's ties, one-character busts,
// portable calls, uniques, the JSON and the page, and bad input.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

#include "stats_host_fixture.h"

namespace {

namespace fs = std::filesystem;
using stats_host_test::HostRun;
using stats_host_test::JsonReader;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

std::string Cabrillo(const std::string& own, const std::vector<std::string>& qsos,
                     const std::string& header = "") {
    std::string text = "START-OF-LOG: 3.0\nCALLSIGN: " + own + "\n" + header;
    for (const std::string& q : qsos) {
        text += "QSO: " + q + "\n";
    }
    return text + "END-OF-LOG:\n";
}

// A QSO line of own's log: minute counts from 2026-02-14 12:00.
std::string Qso(const std::string& own, const std::string& call, int minute,
                const std::string& sent, const std::string& received) {
    const int t = 12 * 60 + minute;
    char line[160];
    std::snprintf(line, sizeof line, "14025 CW 2026-02-%02d %02d%02d %s 599 %s %s 599 %s",
                  14 + t / 1440, t / 60 % 24, t % 60, own.c_str(), sent.c_str(), call.c_str(),
                  received.c_str());
    return line;
}

// Stations far apart from each other and from DL1ABC.
const char* const kPartners[] = {"OK1XYZ", "SP2ABC", "HA3QRS", "S51DEF",
                                 "OE1PPP", "F5KLM",  "G4TUV",  "EA3NOP"};

class CheckLogs : public StatsHost {
  protected:
    // check-logs over dir()/FOLDER with the test's country file.
    HostRun Check(const std::string& folder, const std::string& args = "") {
        return Host("check-logs '" + dir() + "/" + folder +
                    "' --cty '" STATS_HOST_TEST_DATA "/cty.dat' --out '" + dir() + "/out-" +
                    folder + "' " + args);
    }
    void Log(const std::string& folder, const std::string& name, const std::string& text) {
        fs::create_directories(dir() + "/" + folder);
        Write(folder + "/" + name, text);
    }
    // Runs check-logs over the folder with --json and reads the results.
    std::string Results(const std::string& folder, const std::string& args = "") {
        const std::string json = dir() + "/" + folder + ".json";
        const HostRun r = Check(folder, "--json '" + json + "' " + args);
        EXPECT_EQ(r.status, 0) << r.err;
        return Slurp(json);
    }
};

// (file, line) -> "status detail" of every QSO line in the results.
std::map<std::pair<std::string, int>, std::string> Statuses(const JsonReader& j) {
    std::map<std::pair<std::string, int>, std::string> out;
    for (int l = 0; j["logs[" + std::to_string(l) + "].file"] != "(missing)"; ++l) {
        const std::string log = "logs[" + std::to_string(l) + "]";
        for (int q = 0; j[log + ".qsos[" + std::to_string(q) + "].line"] != "(missing)"; ++q) {
            const std::string qso = log + ".qsos[" + std::to_string(q) + "]";
            out[{j[log + ".file"], std::stoi(j[qso + ".line"])}] =
                j[qso + ".status"] + " " + j[qso + ".detail"];
        }
    }
    return out;
}

// The index of a log in the results, by its file.
std::string LogPath(const JsonReader& j, const std::string& file) {
    for (int l = 0; j["logs[" + std::to_string(l) + "].file"] != "(missing)"; ++l) {
        if (j["logs[" + std::to_string(l) + "].file"] == file) {
            return "logs[" + std::to_string(l) + "]";
        }
    }
    return "logs[-1]";
}

TEST_F(CheckLogs, AGeneratedContestGetsTheGeneratorsAnswers) {
    fs::create_directories(dir() + "/gen");
    const int raw =
        std::system((std::string(STATS_CONTEST_GENERATOR) + " --out '" + dir() +
                     "/gen' --stations 30 --qsos 90 --seed 7 --answers '" + dir() + "/answers.tsv'")
                        .c_str());
    ASSERT_EQ(raw, 0);
    const std::string text = Results("gen");
    const JsonReader j(text);
    ASSERT_TRUE(j.ok());
    const auto got = Statuses(j);
    std::istringstream answers(Slurp(dir() + "/answers.tsv"));
    std::string file, line, status, detail;
    std::map<std::string, int> seen;
    size_t lines = 0;
    while (std::getline(answers, file, '\t') && std::getline(answers, line, '\t') &&
           std::getline(answers, status, '\t') && std::getline(answers, detail)) {
        const auto found = got.find({file, std::stoi(line)});
        ASSERT_NE(found, got.end()) << file << ":" << line;
        const bool detailed = status == "busted-call" || status == "busted-exchange";
        EXPECT_EQ(found->second, status + " " + (detailed ? detail : "")) << file << ":" << line;
        ++seen[status];
        ++lines;
    }
    EXPECT_EQ(got.size(), lines);
    for (const char* s : {"ok", "nil", "busted-call", "busted-exchange", "no-log", "dupe"}) {
        EXPECT_GT(seen[s], 0) << s;  // the contest has every kind of fault
    }
    // The logs whose clocks ran off are found out, and cost nothing.
    EXPECT_NE(text.find("\"clock_offset_minutes\": 10,"), std::string::npos);
    EXPECT_NE(text.find("\"clock_offset_minutes\": -7,"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir() + "/out-gen/ubn"));
}

TEST_F(CheckLogs, ClockOffsetsAreTheMedianOfFiveClearPairsOrMore) {
    // DL1ABC works one partner after the other; its log's time of each QSO
    // is the partners' time plus the shift.
    struct Case {
        const char* name;
        std::vector<int> shifts;
        int offset;
    };
    const Case cases[] = {
        {"four pairs are too few", {10, 10, 10, 10}, 0},
        {"five pairs: ten minutes fast", {10, 10, 10, 10, 10}, 10},
        {"seven slow, a minute of jitter", {-7, -6, -7, -8, -7, -7}, -7},
        {"a half rounds away from zero", {2, 2, 2, 3, 3, 3}, 3},
        {"below zero too", {-2, -2, -2, -3, -3, -3}, -3},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string folder = "offset" + std::to_string(n++);
        std::vector<std::string> ours;
        for (size_t i = 0; i < c.shifts.size(); ++i) {
            const int minute = 10 * static_cast<int>(i) + 20;
            ours.push_back(Qso("DL1ABC", kPartners[i], minute + c.shifts[i], "001", "001"));
            Log(folder, std::string(kPartners[i]) + ".log",
                Cabrillo(kPartners[i], {Qso(kPartners[i], "DL1ABC", minute, "001", "001")}));
        }
        Log(folder, "DL1ABC.log", Cabrillo("DL1ABC", ours));
        const std::string text = Results(folder);
        const JsonReader j(text);
        const std::string log = LogPath(j, "DL1ABC.log");
        EXPECT_EQ(j[log + ".clock_offset_minutes"], std::to_string(c.offset)) << c.name;
        // Corrected, every QSO matches; uncorrected, ten minutes apart, none.
        EXPECT_EQ(j[log + ".counts.ok"], c.offset == 0 ? "0" : std::to_string(c.shifts.size()))
            << c.name;
        EXPECT_EQ(j[LogPath(j, "OK1XYZ.log") + ".clock_offset_minutes"], "0") << c.name;
    }
}

TEST_F(CheckLogs, ExchangesCompareAsNumbersWhenBothAreDigits) {
    // What each partner sent, and what DL1ABC logged as received.
    struct Case {
        const char* sent;
        const char* received;
        const char* verdict;
    };
    const Case cases[] = {
        {"017", "17", "ok "},
        {"17", "0017", "ok "},
        {"0", "000", "ok "},
        {"17", "18", "busted-exchange 17"},
        {"17", "17A", "busted-exchange 17"},  // text against a number
        {"BGD", "bgd", "ok "},
        {"BGD", "BOR", "busted-exchange BGD"},
        {"BGD", "599 BGD", "ok "},  // the report in front is no part of it
    };
    std::string adif = "check-logs test\n<EOH>\n";
    int n = 0;
    for (const Case& c : cases) {
        const std::string partner = kPartners[n];
        const int minute = 5 * n + 20;
        Log("exchanges", partner + ".log",
            Cabrillo(partner, {Qso(partner, "DL1ABC", minute, c.sent, "001")}));
        char record[400];
        std::snprintf(record, sizeof record,
                      "<CALL:%zu>%s<QSO_DATE:8>20260214<TIME_ON:4>12%02d<FREQ:6>14.025"
                      "<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:3>001"
                      "<SRX_STRING:%zu>%s<STATION_CALLSIGN:6>DL1ABC<EOR>\n",
                      partner.size(), partner.c_str(), minute, std::string(c.received).size(),
                      c.received);
        adif += record;
        ++n;
    }
    Log("exchanges", "DL1ABC.adi", adif);
    const std::string text = Results("exchanges");
    const auto got = Statuses(JsonReader(text));
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ((got.at({"DL1ABC.adi", 3 + i})), cases[i].verdict)
            << cases[i].sent << " against " << cases[i].received;
    }
}

TEST_F(CheckLogs, MatchingTakesTheNearestLineThenTheLowerOneAndNeverOneTwice) {
    // Each partner's two lines sent different serials: which one was
    // matched shows in our verdict.
    Log("ties", "OK1XYZ.log",
        Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", -1, "001", "001"),  // a tie: the lower line
                            Qso("OK1XYZ", "DL1ABC", 1, "002", "002")}));
    Log("ties", "SP2ABC.log",
        Cabrillo("SP2ABC", {Qso("SP2ABC", "DL1ABC", 17, "001", "003"),
                            Qso("SP2ABC", "DL1ABC", 21, "002", "003")}));  // the nearest
    // HA3QRS logged us once, and we logged it twice: one of ours matches.
    Log("ties", "HA3QRS.log", Cabrillo("HA3QRS", {Qso("HA3QRS", "DL1ABC", 31, "001", "004")}));
    // S51DEF logged only the QSO we logged again as a dupe: our first stands.
    Log("ties", "S51DEF.log", Cabrillo("S51DEF", {Qso("S51DEF", "DL1ABC", 50, "001", "007")}));
    Log("ties", "DL1ABC.log",
        Cabrillo(
            "DL1ABC",
            {Qso("DL1ABC", "OK1XYZ", 0, "001", "001"), Qso("DL1ABC", "SP2ABC", 20, "003", "002"),
             Qso("DL1ABC", "HA3QRS", 30, "004", "001"), Qso("DL1ABC", "HA3QRS", 32, "005", "001"),
             Qso("DL1ABC", "S51DEF", 40, "006", "001"),
             Qso("DL1ABC", "S51DEF", 50, "007", "001")}));
    const auto got = Statuses(JsonReader(Results("ties")));
    const std::map<std::pair<std::string, int>, std::string> expected = {
        {{"DL1ABC.log", 3}, "ok "},   {{"DL1ABC.log", 4}, "ok "},   {{"DL1ABC.log", 5}, "ok "},
        {{"DL1ABC.log", 6}, "dupe "}, {{"DL1ABC.log", 7}, "ok "},   {{"DL1ABC.log", 8}, "dupe "},
        {{"OK1XYZ.log", 3}, "ok "},   {{"OK1XYZ.log", 4}, "dupe "}, {{"HA3QRS.log", 3}, "ok "},
        {{"S51DEF.log", 3}, "ok "},   {{"SP2ABC.log", 3}, "ok "},  // its dupe was matched
        {{"SP2ABC.log", 4}, "dupe "}};
    EXPECT_EQ(got, expected);
}

TEST_F(CheckLogs, OneCharacterBustsAndPortableCalls) {
    // We log each neighbour with one slip; each logs us right. A slip that
    // leaves no call at all is a bad call before anything else. OE1PPP signs
    // /QRP and logs us /P: the same stations.
    struct Case {
        const char* station;
        const char* logged;
        const char* status;
    };
    const Case cases[] = {{"OK1XYZ", "OK1XZY", "busted-call"}, {"SP2ABC", "SP2ABCD", "busted-call"},
                          {"HA3QRS", "HA3QR", "busted-call"},  {"S51DEF", "S51DEG", "busted-call"},
                          {"9A/DL2XX", "9ADL2XX", "bad-call"}, {"OE1PPP", "OE1PPP/QRP", "ok"},
                          {"G4TUV", "G4UTV", "busted-call"},  // two neighbours swapped
                          {"EA3NOP", "EA3NPQ", "unique"}};    // two characters off: no bust
    std::vector<std::string> ours;
    int minute = 0;
    for (const Case& c : cases) {
        ours.push_back(Qso("DL1ABC", c.logged, minute, "001", "001"));
        Log("busts", "log" + std::to_string(minute / 5) + ".log",
            Cabrillo(c.station, {Qso(c.station, minute == 25 ? "DL1ABC/P" : "DL1ABC", minute + 1,
                                     "001", "001")}));
        minute += 5;
    }
    Log("busts", "DL1ABC.log", Cabrillo("DL1ABC", ours));
    const auto got = Statuses(JsonReader(Results("busts")));
    for (int i = 0; i < 8; ++i) {
        const std::string status = cases[i].status;
        const std::string want =
            status == "busted-call" ? status + " " + cases[i].station : status + " ";
        EXPECT_EQ((got.at({"DL1ABC.log", 3 + i})).substr(0, want.size()), want) << cases[i].logged;
    }
    EXPECT_EQ((got.at({"log0.log", 3})), "ok ");  // our slip costs them nothing
    EXPECT_EQ((got.at({"log5.log", 3})), "ok ");
}

TEST_F(CheckLogs, TheScoringsFindingsComeBeforeTheCrossCheck) {
    // Every partner logged DL1ABC as DL1ABC logged it: only what the scoring
    // finds in DL1ABC's own lines keeps them from being ok.
    const std::vector<std::string> partners = {"OK1XYZ", "OK2XYZ", "OK3XYZ", "YU1AAA", "OK5XYZ"};
    std::vector<std::string> ours = {
        Qso("DL1ABC", "OK1XYZ", -30, "001", "001"),               // before the start given
        "1825 CW 2026-02-14 1210 DL1ABC 599 002 OK2XYZ 599 001",  // 160m: not a contest band
        Qso("DL1ABC", "OK3XYZ", 20, "003", "001"),
        Qso("DL1ABC", "YU1AAA", 30, "004", "001"),  // a YU station without a county
        Qso("DL1ABC", "OK5XYZ", 40, "005", "001"),
        Qso("DL1ABC", "OK5XYZ", 45, "006", "001"),                 // again: a dupe
        "14025 CW 2026-02-31 1250 DL1ABC 599 007 OK1XYZ 599 001",  // no such date
        Qso("DL1ABC", "OK1234", 55, "008", "001"),                 // no call
    };
    const int minutes[] = {-30, 10, 20, 30, 40};
    for (size_t i = 0; i < partners.size(); ++i) {
        Log("scoring", partners[i] + ".log",
            Cabrillo(partners[i], {Qso(partners[i], "DL1ABC", minutes[i], i == 3 ? "BGD" : "001",
                                       "00" + std::to_string(i + 1))}));
    }
    Log("scoring", "DL1ABC.log", Cabrillo("DL1ABC", ours));
    const std::string text = Results("scoring", "--start '2026-02-14 12:00'");
    const JsonReader j(text);
    EXPECT_EQ(j["period.chosen_by"], "options");
    const auto got = Statuses(j);
    const char* const expected[] = {"outside-period", "wrong-band", "ok",      "no-county", "ok",
                                    "dupe",           "unreadable", "bad-call"};
    for (int i = 0; i < 8; ++i) {
        const std::string& status = got.at({"DL1ABC.log", 3 + i});
        EXPECT_EQ(status.substr(0, status.find(' ')), expected[i]) << "line " << 3 + i;
    }
    // Only the two that stand are scored again.
    EXPECT_EQ(j[LogPath(j, "DL1ABC.log") + ".checked.qsos"], "2");
}

TEST_F(CheckLogs, ABustConfirmedByANeighbourOutranksNotInLog) {
    // SP2ABC sent a log without our QSO, but SP2ABD, one character from it,
    // logged us then: we logged a bust of SP2ABD. OK1XYZ has no such
    // neighbour: our QSO with it stays not in log.
    Log("nil", "SP2ABC.log", Cabrillo("SP2ABC", {Qso("SP2ABC", "HA3QRS", 0, "001", "001")}));
    Log("nil", "SP2ABD.log", Cabrillo("SP2ABD", {Qso("SP2ABD", "DL1ABC", 11, "001", "001")}));
    Log("nil", "OK1XYZ.log", Cabrillo("OK1XYZ", {Qso("OK1XYZ", "HA3QRS", 2, "001", "002")}));
    Log("nil", "DL1ABC.log",
        Cabrillo("DL1ABC", {Qso("DL1ABC", "SP2ABC", 10, "001", "001"),
                            Qso("DL1ABC", "OK1XYZ", 20, "002", "001")}));
    const auto got = Statuses(JsonReader(Results("nil")));
    EXPECT_EQ((got.at({"DL1ABC.log", 3})), "busted-call SP2ABD");
    EXPECT_EQ((got.at({"DL1ABC.log", 4})), "nil ");
    EXPECT_EQ((got.at({"SP2ABD.log", 3})), "ok ");
}

TEST_F(CheckLogs, TheWindowIsTheLargestDifferenceThatMatches) {
    struct Case {
        const char* window;
        int difference;
        const char* verdict;
    };
    const Case cases[] = {{"0", 0, "ok "},  {"0", 1, "nil "},  {"3", 3, "ok "},
                          {"3", 4, "nil "}, {"10", 10, "ok "}, {"10", 11, "nil "}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string folder = "window" + std::to_string(n++);
        Log(folder, "OK1XYZ.log",
            Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 30 + c.difference, "001", "001")}));
        Log(folder, "DL1ABC.log", Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 30, "001", "001")}));
        const auto got =
            Statuses(JsonReader(Results(folder, std::string("--time-window ") + c.window)));
        EXPECT_EQ((got.at({"DL1ABC.log", 3})), c.verdict)
            << "window " << c.window << ", " << c.difference << " minutes apart";
    }
    for (const char* bad : {"--time-window -1", "--time-window 2.5", "--time-window 10000",
                            "--uniques drop", "--page x.html"}) {
        const HostRun r = Check("window0", bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find(std::string(bad).substr(0, std::string(bad).find(' '))),
                  std::string::npos)
            << bad << ": " << r.err;
    }
}

TEST_F(CheckLogs, ThePeriodAndTheScoresUseTheCorrectedTimes) {
    // DL1ABC's clock ran 10 minutes fast: its last QSO, logged at 12:05 on
    // the day after, was made at 11:55, inside the contest period.
    std::vector<std::string> ours;
    for (int i = 0; i < 6; ++i) {
        const int minute = i < 5 ? 10 * i + 20 : 24 * 60 - 5;
        ours.push_back(Qso("DL1ABC", kPartners[i], minute + 10, "001", "001"));
        Log("period", std::string(kPartners[i]) + ".log",
            Cabrillo(kPartners[i], {Qso(kPartners[i], "DL1ABC", minute, "001", "001")}));
    }
    Log("period", "DL1ABC.log", Cabrillo("DL1ABC", ours));
    const std::string text = Results("period");
    const JsonReader j(text);
    EXPECT_EQ(j["period.start"], "2026-02-14 12:00");
    EXPECT_EQ(j["period.end"], "2026-02-15 12:00");
    const std::string log = LogPath(j, "DL1ABC.log");
    EXPECT_EQ(j[log + ".clock_offset_minutes"], "10");
    EXPECT_EQ(j[log + ".qsos[5].time"], "2026-02-15 12:05");  // as logged
    EXPECT_EQ(j[log + ".qsos[5].status"], "ok");
    EXPECT_EQ(j[log + ".claimed.qsos"], "6");
    EXPECT_EQ(j[log + ".checked.qsos"], "6");
}

TEST_F(CheckLogs, TheEntrantsReportTheTableAndTheCsv) {
    Log("report", "OK1XYZ.log",
        Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0, "001", "001")},
                 "CATEGORY-OPERATOR: =HYPERLINK(\"x\")\nCATEGORY-STATION: HOME, GARDEN\n"));
    Log("report", "SP2ABC.log", Cabrillo("SP2ABC", {Qso("SP2ABC", "HA3QRS", 40, "001", "002")}));
    Log("report", "HA3QRS.log",
        Cabrillo("HA3QRS", {Qso("HA3QRS", "DL1ABC", 20, "002", "003"),
                            Qso("HA3QRS", "SP2ABC", 40, "002", "001")}));
    Log("report", "S51DEF.log", Cabrillo("S51DEF", {Qso("S51DEF", "DL1ABC", 30, "001", "004")}));
    Log("report", "DL1ABC.log",
        Cabrillo(
            "DL1ABC",
            {Qso("DL1ABC", "OK1XYZ", 0, "001", "001"), Qso("DL1ABC", "SP2ABC", 10, "002", "009"),
             Qso("DL1ABC", "HA3QRS", 20, "003", "003"), Qso("DL1ABC", "S51DEG", 30, "004", "001"),
             Qso("DL1ABC", "F5KLM", 50, "005", "008"), Qso("DL1ABC", "OK1XYZ", 60, "006", "001")},
            "CATEGORY-OPERATOR: SINGLE-OP\n"));
    const std::string csv = dir() + "/report.csv";
    const HostRun r = Check("report", "--csv '" + csv + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string report = Slurp(dir() + "/out-report/ubn/DL1ABC.txt");
    // Each QSO that does not stand, under its heading, with what is wrong.
    for (const char* expected :
         {"Claimed score: ", "Checked score: ",
          "No clock offset was found: your times were checked as logged.",
          "Busted calls: the call you logged is not the station you worked (they do not "
          "count):\n  line 7  2026-02-14 12:30  20m CW  S51DEG  (you worked S51DEF)\n",
          "Not in log: the station you logged has no QSO with you at that time (they do not "
          "count):\n  line 5  2026-02-14 12:10  20m CW  SP2ABC\n",
          "Busted exchanges: what you logged is not what was sent (they do not count):\n"
          "  line 6  2026-02-14 12:20  20m CW  HA3QRS  (was sent 002)\n",
          "Uniques: no other log has this call (they count):\n"
          "  line 8  2026-02-14 12:50  20m CW  F5KLM\n",
          "  line 9  dupe: OK1XYZ"}) {
        EXPECT_NE(report.find(expected), std::string::npos) << expected << "\n" << report;
    }
    // The table: best checked score first, a tie by call. DL1ABC keeps 2
    // of the 5 QSOs it claimed: OK1XYZ and the unique.
    std::istringstream table(r.out);
    std::string header, first, second;
    std::getline(table, header);
    std::getline(table, first);
    std::getline(table, second);
    std::istringstream row(first);
    std::vector<std::string> cells{std::istream_iterator<std::string>(row), {}};
    EXPECT_EQ(cells,
              (std::vector<std::string>{"1", "DL1ABC", "56", "12", "5", "2", "1", "2", "1", "+0"}))
        << r.out;
    EXPECT_NE(second.find("HA3QRS"), std::string::npos) << r.out;
    // The CSV: the categories as columns, quoted where needed, and a cell a
    // spreadsheet would run as a formula made plain text.
    const std::string table2 = Slurp(csv);
    EXPECT_EQ(table2.substr(0, table2.find('\n')),
              "place,call,file,claimed_score,checked_score,claimed_qsos,checked_qsos,nil,busted,"
              "uniques,clock_offset_minutes,CATEGORY-OPERATOR,CATEGORY-STATION");
    EXPECT_NE(table2.find(",\"'=HYPERLINK(\"\"x\"\")\",\"HOME, GARDEN\"\n"), std::string::npos)
        << table2;
    EXPECT_NE(table2.find("\n1,DL1ABC,DL1ABC.log,56,12,5,2,1,2,1,0,SINGLE-OP,\n"),
              std::string::npos)
        << table2;
}

TEST_F(CheckLogs, UniquesStandUnlessRemovedAndTheJsonHasItsShape) {
    // G4TUV and F5KLM send no log; OK1XYZ worked G4TUV too.
    Log("uniques", "OK1XYZ.log",
        Cabrillo("OK1XYZ",
                 {Qso("OK1XYZ", "DL1ABC", 0, "001", "001"), Qso("OK1XYZ", "G4TUV", 5, "002", "9")},
                 "CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: CW\n"));
    Log("uniques", "DL1ABC.log",
        Cabrillo("DL1ABC",
                 {Qso("DL1ABC", "OK1XYZ", 0, "001", "001"), Qso("DL1ABC", "G4TUV", 10, "002", "10"),
                  Qso("DL1ABC", "F5KLM", 20, "003", "11")}));
    Log("uniques", "nocall.log", "START-OF-LOG: 3.0\nEND-OF-LOG:\n");
    for (const char* uniques : {"keep", "remove"}) {
        const std::string text = Results("uniques", std::string("--uniques ") + uniques);
        const JsonReader j(text);
        ASSERT_TRUE(j.ok()) << text;
        const std::string log = LogPath(j, "DL1ABC.log");
        EXPECT_EQ(j[log + ".counts.no_log"], "1");
        EXPECT_EQ(j[log + ".counts.unique"], "1");
        EXPECT_EQ(j[log + ".claimed.qsos"], "3");
        EXPECT_EQ(j[log + ".checked.qsos"], std::string(uniques) == "keep" ? "3" : "2") << uniques;
        EXPECT_EQ(j["uniques"], uniques);
    }
    // Every key the committee's tools read.
    const std::string text = Results("uniques");
    const JsonReader j(text);
    const std::string log = LogPath(j, "OK1XYZ.log");
    std::vector<std::string> keys = {"period.start",
                                     "period.end",
                                     "time_window_minutes",
                                     "skipped[0].file",
                                     "skipped[0].reason",
                                     log + ".call",
                                     log + ".categories.CATEGORY-OPERATOR"};
    for (const char* pass : {".claimed.", ".checked."}) {
        for (const char* figure : {"qsos", "points", "multipliers", "score"}) {
            keys.push_back(log + pass + figure);
        }
    }
    for (const char* status :
         {"unreadable", "bad_call", "outside_period", "wrong_band", "wrong_mode", "no_exchange",
          "no_county", "dupe", "busted_call", "ok", "busted_exchange", "nil", "no_log", "unique"}) {
        keys.push_back(log + ".counts." + status);
    }
    for (const char* field : {"line", "time", "band", "mode", "call", "status", "detail"}) {
        keys.push_back(log + ".qsos[1]." + field);
    }
    for (const std::string& key : keys) {
        EXPECT_NE(j[key], "(missing)") << key;
    }
    EXPECT_EQ(j["time_window_minutes"], "3");
    EXPECT_EQ(j[log + ".qsos[1].time"], "2026-02-14 12:05");
    EXPECT_EQ(j[log + ".qsos[1].band"], "20m");
    EXPECT_EQ(j[log + ".qsos[1].status"], "no-log");
    EXPECT_EQ(j["skipped[0].reason"], "the log names no own call");
}

TEST_F(CheckLogs, TheResultsPageHasASectionPerCategoryAndEscapesEveryText) {
    Log("page", "OK1XYZ.log",
        Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0, "001", "001")},
                 "CATEGORY-OPERATOR: <script>alert(1)</script>\nCATEGORY-MODE: CW\n"));
    Log("page", "DL1ABC.log",
        Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0, "001", "001")},
                 "CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: CW\n"));
    Log("page", "a&b<c>.log", "START-OF-LOG: 3.0\nEND-OF-LOG:\n");
    const HostRun r = Check("page", "--html '" + dir() + "/page.html'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string page = Slurp(dir() + "/page.html");
    EXPECT_NE(page.find("<h2>SINGLE-OP CW</h2>"), std::string::npos) << page;
    EXPECT_NE(page.find("<h2>&lt;script&gt;alert(1)&lt;/script&gt; CW</h2>"), std::string::npos)
        << page;
    EXPECT_NE(page.find("<li>a&amp;b&lt;c&gt;.log: "), std::string::npos) << page;
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("http"), std::string::npos);  // nothing fetched from elsewhere
    EXPECT_NE(page.find("<td>DL1ABC</td>"), std::string::npos);
}

TEST_F(CheckLogs, BadInputIsNamedAndTheRestGoesOn) {
    Log("bad", "DL1ABC.log", Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0, "001", "001")}));
    Log("bad", "OK1XYZ.log", Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0, "001", "001")}));
    Log("bad", "OK1XYZ-0.log", Cabrillo("OK1XYZ", {}));
    Log("bad", "binary.cbr",
        std::string("\x7f"
                    "ELF\0\0\x01\x02",
                    8));
    Log("bad", "nocall.log", "START-OF-LOG: 3.0\nEND-OF-LOG:\n");
    const std::string json = Results("bad");
    EXPECT_NE(
        json.find(
            R"({"file": "OK1XYZ-0.log", "reason": "another log of OK1XYZ is used: OK1XYZ.log"})"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("file": "binary.cbr")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"file": "nocall.log", "reason": "the log names no own call"})"),
              std::string::npos);

    // Stops with status 2: the output folder in the folder of logs, an
    // output file that would be read as a log, an output folder that cannot
    // be written (before the logs are read: a missing folder of logs is not
    // what is reported), an empty folder; with status 1, a plug-in that
    // cannot be loaded.
    const std::string logs = dir() + "/bad";
    struct Case {
        std::string args;
        int status;
        const char* message;
    };
    std::vector<Case> cases = {
        {"--out '" + logs + "/out'", 2, "may not be the folder of logs"},
        {"--out '" + logs + "'", 2, "may not be the folder of logs"},
        {"--csv '" + logs + "/results.txt'", 2, "would be read as a log"},
        {"--plugin '" + logs + "/DL1ABC.log'", 1, "cannot load"},
    };
    for (const Case& c : cases) {
        const HostRun r = Check("bad", c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_FALSE(fs::exists(logs + "/results.txt"));
    fs::create_directory(dir() + "/locked");
    chmod((dir() + "/locked").c_str(), 0555);
    if (access((dir() + "/locked").c_str(), W_OK) != 0) {  // not as root
        const HostRun r =
            Host("check-logs '" + dir() + "/missing' --out '" + dir() + "/locked/out'");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("locked/out"), std::string::npos) << r.err;
    }
    chmod((dir() + "/locked").c_str(), 0755);
    fs::create_directory(dir() + "/empty");
    const HostRun r = Check("empty");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no log to check"), std::string::npos) << r.err;
}

TEST_F(CheckLogs, ReportFileNamesAreSafe) {
    // Each station works the next; the calls come from strangers' files.
    const std::vector<std::string> calls = {"NUL", "COM1/P", "9A/DL2XX", "9A-DL2XX", ".HIDDEN"};
    for (size_t i = 0; i < calls.size(); ++i) {
        Log("names", "log" + std::to_string(i) + ".log",
            Cabrillo(calls[i], {Qso(calls[i], calls[(i + 1) % calls.size()], 0, "001", "001")}));
    }
    const HostRun r = Check("names");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir() + "/out-names/ubn")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"9A-DL2XX-2.txt", "9A-DL2XX.txt", "HIDDEN.txt",
                                               "_COM1-P.txt", "_NUL.txt"}));
}

}  // namespace
