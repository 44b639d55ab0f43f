// stats-host check-logs run as a process over folders of logs: a generated
// contest against the generator's answers, then hand-made contests for the
// clock offsets, the exchanges, the matching's ties, one-character busts,
// portable calls, uniques, the outputs, and bad input.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
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
                const std::string& sent = "001", const std::string& received = "001") {
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

using Statuses = std::map<std::pair<std::string, int>, std::string>;

class CheckLogs : public StatsHost {
  protected:
    // check-logs over dir()/FOLDER with the test's country file.
    HostRun Check(const std::string& folder, const std::string& args = "") {
        const bool ownOut = args.find("--out ") != std::string::npos;
        return Host("check-logs '" + dir() + "/" + folder +
                    "' --cty '" STATS_HOST_TEST_DATA "/cty.dat' " +
                    (ownOut ? std::string() : "--out '" + dir() + "/out-" + folder + "' ") + args);
    }
    void Log(const std::string& folder, const std::string& name, const std::string& text) {
        fs::create_directories(dir() + "/" + folder);
        Write(folder + "/" + name, text);
    }
    // Checks the generated contest in dir()/gen against dir()/answers.tsv.
    void CheckGenerated(const std::string& gen);
    // Runs check-logs over the folder with --json and reads the results.
    std::string Results(const std::string& folder, const std::string& args = "") {
        const std::string json = dir() + "/" + folder + ".json";
        const HostRun r = Check(folder, "--json '" + json + "' " + args);
        EXPECT_EQ(r.status, 0) << r.err;
        return Slurp(json);
    }
};

// (file, line) -> "status detail" of every QSO line in the results.
Statuses StatusesIn(const JsonReader& j) {
    Statuses out;
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
    // Seed 10 busts calls by swapping neighbours, some of them equal letters.
    for (const char* seed : {"7", "10"}) {
        SCOPED_TRACE(std::string("seed ") + seed);
        const std::string gen = std::string("gen") + seed;
        fs::create_directories(dir() + "/" + gen);
        ASSERT_EQ(std::system((std::string(STATS_CONTEST_GENERATOR) + " --out '" + dir() + "/" +
                               gen + "' --stations 30 --qsos 90 --seed " + seed + " --answers '" +
                               dir() + "/answers.tsv'")
                                  .c_str()),
                  0);
        CheckGenerated(gen);
    }
}

void CheckLogs::CheckGenerated(const std::string& gen) {
    const std::string text = Results(gen);
    const JsonReader j(text);
    ASSERT_TRUE(j.ok());
    const Statuses got = StatusesIn(j);
    std::istringstream answers(Slurp(dir() + "/answers.tsv"));
    std::string file, line, status, detail;
    std::map<std::string, int> seen;
    size_t lines = 0;
    while (std::getline(answers, file, '\t') && std::getline(answers, line, '\t') &&
           std::getline(answers, status, '\t') && std::getline(answers, detail)) {
        const auto found = got.find({file, std::stoi(line)});
        ASSERT_NE(found, got.end()) << file << ":" << line;
        // The detail of a busted line names the right call or exchange; of
        // the others (a not-in-log's reason) only the status is compared.
        const bool detailed = status == "busted-call" || status == "busted-exchange";
        EXPECT_EQ(detailed ? found->second : found->second.substr(0, found->second.find(' ')),
                  detailed ? status + " " + detail : status)
            << file << ":" << line;
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
}

TEST_F(CheckLogs, ClockOffsetsAreTheMedianOfFiveClearPairsOrMoreAndCorrectTheTimes) {
    // DL1ABC works one partner after the other, from minute `first` of the
    // period on; its log's time of each QSO is the partners' time plus the
    // shift. With `late`, the last QSO is logged after the end of the period
    // but was made inside it. An offset within the window (3 minutes) is
    // found but not applied.
    struct Case {
        const char* name;
        std::vector<int> shifts;
        int offset;
        bool late;
        int first;
        bool match;  // every QSO matches (else none does)
    };
    const Case cases[] = {
        {"four pairs are too few", {10, 10, 10, 10}, 0, false, 20, false},
        {"ten fast, the last past the end as logged", {10, 10, 10, 10, 10, 10}, 10, true, 20, true},
        {"seven slow, a minute of jitter", {-7, -6, -7, -8, -7, -7}, -7, false, 20, true},
        {"a half rounds away from zero", {4, 4, 4, 5, 5, 5}, 5, false, 20, true},
        {"below zero too", {-4, -4, -4, -5, -5, -5}, -5, false, 20, true},
        {"three is within the window", {2, 2, 2, 3, 3, 3}, 0, false, 20, true},
        {"jitter moves no QSO out of the first minute", {0, 0, 0, 1, 1, 1}, 0, false, 0, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string folder = "offset" + std::to_string(n++);
        std::vector<std::string> ours;
        for (size_t i = 0; i < c.shifts.size(); ++i) {
            const bool last = c.late && i + 1 == c.shifts.size();
            const int minute = last ? 24 * 60 - 5 : 10 * static_cast<int>(i) + c.first;
            ours.push_back(Qso("DL1ABC", kPartners[i], minute + c.shifts[i]));
            Log(folder, std::string(kPartners[i]) + ".log",
                Cabrillo(kPartners[i], {Qso(kPartners[i], "DL1ABC", minute)}));
        }
        Log(folder, "DL1ABC.log", Cabrillo("DL1ABC", ours));
        const JsonReader j(Results(folder, "--start '2026-02-14 12:00'"));
        const std::string log = LogPath(j, "DL1ABC.log");
        EXPECT_EQ(j[log + ".clock_offset_minutes"], std::to_string(c.offset)) << c.name;
        // Corrected, every QSO matches and is scored; uncorrected, none.
        const std::string all = std::to_string(c.shifts.size());
        EXPECT_EQ(j[log + ".counts.ok"], c.match ? all : "0") << c.name;
        EXPECT_EQ(j[log + ".checked.qsos"], c.match ? all : "0") << c.name;
        if (c.late) {
            EXPECT_EQ(j["period.end"], "2026-02-15 12:00");
            EXPECT_EQ(j[log + ".qsos[5].time"], "2026-02-15 12:05");  // as logged
        }
    }
}

TEST_F(CheckLogs, ACorrectedClockThatMovesThePeriodMovesItForEveryLog) {
    // DL1ABC's clock is ten minutes fast: the six QSOs it made on Sunday
    // from 06:50, both ends inside both periods, it logged from 07:00, past
    // the end of the one that starts on Saturday at 07:00. As logged, the
    // period from 12:00 holds the most QSOs (12 against 9); corrected, the
    // one from 07:00 does (15 against 12), and G4TUV's three QSOs of
    // Saturday morning, made in its own good time, lie inside it.
    const std::string folder = "period-moves";
    std::vector<std::string> ours;
    for (int i = 0; i < 6; ++i) {
        const int sunday = 18 * 60 + 50 + i;  // 06:50 on Sunday, from Saturday 12:00
        ours.push_back(Qso("DL1ABC", kPartners[i], sunday + 10));
        Log(folder, std::string(kPartners[i]) + ".log",
            Cabrillo(kPartners[i], {Qso(kPartners[i], "DL1ABC", sunday)}));
    }
    Log(folder, "DL1ABC.log", Cabrillo("DL1ABC", ours));
    Log(folder, "G4TUV.log",
        Cabrillo("G4TUV", {Qso("G4TUV", "OH1AA", -240), Qso("G4TUV", "OH2BB", -239),
                           Qso("G4TUV", "OH3CC", -238)}));
    const JsonReader j(Results(folder));
    EXPECT_EQ(j["period.start"], "2026-02-14 07:00");
    EXPECT_EQ(j[LogPath(j, "DL1ABC.log") + ".clock_offset_minutes"], "10");
    const std::string g4tuv = LogPath(j, "G4TUV.log");
    EXPECT_EQ(j[g4tuv + ".counts.outside_period"], "0");
    EXPECT_EQ(j[g4tuv + ".claimed.qsos"], "3");
}

TEST_F(CheckLogs, ExchangesCompareAsNumbersWhenBothAreDigits) {
    // What each partner sent, and what DL1ABC logged as received.
    const char* const cases[][3] = {
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
    for (int i = 0; i < 8; ++i) {
        const std::string partner = kPartners[i];
        Log("exchanges", partner + ".log",
            Cabrillo(partner, {Qso(partner, "DL1ABC", 5 * i + 20, cases[i][0])}));
        char record[400];
        std::snprintf(record, sizeof record,
                      "<CALL:%zu>%s<QSO_DATE:8>20260214<TIME_ON:4>12%02d<FREQ:6>14.025"
                      "<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:3>001"
                      "<SRX_STRING:%zu>%s<STATION_CALLSIGN:6>DL1ABC<EOR>\n",
                      partner.size(), partner.c_str(), 5 * i + 20, std::string(cases[i][1]).size(),
                      cases[i][1]);
        adif += record;
    }
    Log("exchanges", "DL1ABC.adi", adif);
    const Statuses got = StatusesIn(JsonReader(Results("exchanges")));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(got.at({"DL1ABC.adi", 3 + i}), cases[i][2])
            << cases[i][0] << " against " << cases[i][1];
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
        Cabrillo("DL1ABC",
                 {Qso("DL1ABC", "OK1XYZ", 0, "001"), Qso("DL1ABC", "SP2ABC", 20, "003", "002"),
                  Qso("DL1ABC", "HA3QRS", 30, "004"), Qso("DL1ABC", "HA3QRS", 32, "005"),
                  Qso("DL1ABC", "S51DEF", 40, "006"), Qso("DL1ABC", "S51DEF", 50, "007")}));
    const Statuses expected = {
        {{"DL1ABC.log", 3}, "ok "},   {{"DL1ABC.log", 4}, "ok "},   {{"DL1ABC.log", 5}, "ok "},
        {{"DL1ABC.log", 6}, "dupe "}, {{"DL1ABC.log", 7}, "ok "},   {{"DL1ABC.log", 8}, "dupe "},
        {{"OK1XYZ.log", 3}, "ok "},   {{"OK1XYZ.log", 4}, "dupe "}, {{"HA3QRS.log", 3}, "ok "},
        {{"S51DEF.log", 3}, "ok "},   {{"SP2ABC.log", 3}, "ok "},  // its dupe was matched
        {{"SP2ABC.log", 4}, "dupe "}};
    EXPECT_EQ(StatusesIn(JsonReader(Results("ties"))), expected);
}

TEST_F(CheckLogs, OneCharacterBustsAndPortableCalls) {
    // We log each neighbour with one slip; each logs us right. A slip that
    // leaves no call at all is a bad call before anything else. OE1PPP signs
    // /QRP and logs us /P: the same stations. Late on, SP2ABD logged us
    // and SP2ABC's log has no QSO with us then: a bust of SP2ABD outranks
    // not in log; OK1XYZ has no such neighbour, so that QSO is not in log.
    const char* const cases[][3] = {
        {"OK1XYZ", "OK1XZY", "busted-call OK1XYZ"},
        {"SP2ABC", "SP2ABCD", "busted-call SP2ABC"},
        {"HA3QRS", "HA3QR", "busted-call HA3QRS"},
        {"S51DEF", "S51DEG", "busted-call S51DEF"},
        {"9A/DL2XX", "9ADL2XX", "bad-call"},
        {"OE1PPP", "OE1PPP/QRP", "ok "},
        {"G4TUV", "G4UTV", "busted-call G4TUV"},  // two neighbours swapped
        {"EA3NOP", "EA3NPQ", "unique "},          // two characters off: no bust
        {"SP2ABD", "SP2ABC", "busted-call SP2ABD"},
        {"", "OK1XYZ", "nil "}};
    std::vector<std::string> ours;
    for (int i = 0; i < 10; ++i) {
        ours.push_back(Qso("DL1ABC", cases[i][1], 5 * i));
        if (*cases[i][0] != '\0') {
            Log("busts", "log" + std::to_string(i) + ".log",
                Cabrillo(cases[i][0],
                         {Qso(cases[i][0], i == 5 ? "DL1ABC/P" : "DL1ABC", 5 * i + 1)}));
        }
    }
    Log("busts", "DL1ABC.log", Cabrillo("DL1ABC", ours));
    const Statuses got = StatusesIn(JsonReader(Results("busts")));
    for (int i = 0; i < 10; ++i) {
        const std::string want = cases[i][2];
        EXPECT_EQ(got.at({"DL1ABC.log", 3 + i}).substr(0, want.size()), want) << cases[i][1];
    }
    EXPECT_EQ(got.at({"log0.log", 3}), "ok ");  // our slip costs them nothing
    EXPECT_EQ(got.at({"log5.log", 3}), "ok ");
}

TEST_F(CheckLogs, TheScoringsFindingsComeBeforeTheCrossCheck) {
    // Every partner logged DL1ABC as DL1ABC logged it: only what the scoring
    // finds in DL1ABC's own lines keeps them from being ok.
    const std::vector<std::string> partners = {"OK1XYZ", "OK2XYZ", "OK3XYZ", "YU1AAA", "OK5XYZ"};
    const std::vector<std::string> ours = {
        Qso("DL1ABC", "OK1XYZ", -30, "001"),                      // before the start given
        "1825 CW 2026-02-14 1210 DL1ABC 599 002 OK2XYZ 599 001",  // 160m: not a contest band
        Qso("DL1ABC", "OK3XYZ", 20, "003"),
        Qso("DL1ABC", "YU1AAA", 30, "004"),  // a YU station without a county
        Qso("DL1ABC", "OK5XYZ", 40, "005"),
        Qso("DL1ABC", "OK5XYZ", 45, "006"),                        // again: a dupe
        "14025 CW 2026-02-31 1250 DL1ABC 599 007 OK1XYZ 599 001",  // no such date
        Qso("DL1ABC", "OK1234", 55, "008"),                        // no call
    };
    const int minutes[] = {-30, 10, 20, 30, 40};
    const char* const expected[] = {"outside-period", "wrong-band", "ok",      "no-county", "ok",
                                    "dupe",           "unreadable", "bad-call"};
    // The same log listed latest first: the plug-in still takes the QSOs in
    // time order, so the same QSO is the dupe, and each finding stays with
    // its own line.
    for (const bool latestFirst : {false, true}) {
        const std::string dir = latestFirst ? "scoring-reversed" : "scoring";
        for (size_t i = 0; i < partners.size(); ++i) {
            Log(dir, partners[i] + ".log",
                Cabrillo(partners[i], {Qso(partners[i], "DL1ABC", minutes[i],
                                           i == 3 ? "BGD" : "001", "00" + std::to_string(i + 1))}));
        }
        std::vector<std::string> lines = ours;
        if (latestFirst) {
            std::reverse(lines.begin(), lines.end());
        }
        Log(dir, "DL1ABC.log", Cabrillo("DL1ABC", lines));
        const JsonReader j(Results(dir, "--start '2026-02-14 12:00'"));
        EXPECT_EQ(j["period.chosen_by"], "options");
        const Statuses got = StatusesIn(j);
        for (int i = 0; i < 8; ++i) {
            const int line = 3 + (latestFirst ? 7 - i : i);
            const std::string& status = got.at({"DL1ABC.log", line});
            EXPECT_EQ(status.substr(0, status.find(' ')), expected[i]) << dir << " line " << line;
        }
        EXPECT_EQ(j[LogPath(j, "DL1ABC.log") + ".checked.qsos"], "2");  // only those that stand
    }
}

TEST_F(CheckLogs, TheWindowIsTheLargestDifferenceThatMatches) {
    // DL1ABC's times are 0, 1, 10 and 11 minutes off its partners'.
    const int apart[] = {0, 1, 10, 11};
    std::vector<std::string> ours;
    for (int i = 0; i < 4; ++i) {
        ours.push_back(Qso("DL1ABC", kPartners[i], 30 * i));
        Log("window", std::string(kPartners[i]) + ".log",
            Cabrillo(kPartners[i], {Qso(kPartners[i], "DL1ABC", 30 * i + apart[i])}));
    }
    Log("window", "DL1ABC.log", Cabrillo("DL1ABC", ours));
    for (const int window : {0, 10}) {
        const Statuses got =
            StatusesIn(JsonReader(Results("window", "--time-window " + std::to_string(window))));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(got.at({"DL1ABC.log", 3 + i}),
                      apart[i] <= window
                          ? std::string("ok ")
                          : "nil no QSO with you within " + std::to_string(window) + " minutes")
                << "window " << window << ", " << apart[i] << " minutes apart";
        }
    }
}

TEST_F(CheckLogs, TheOutputsNameWhatIsWrongAndEscapeStrangersText) {
    // OK1XYZ's categories would run as a formula in a spreadsheet and as a
    // script in a browser; the file without a call has markup in its name.
    Log("report", "OK1XYZ.log",
        Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0)},
                 "CATEGORY-OPERATOR: =HYPERLINK(\"<script>\")\nCATEGORY-STATION: HOME, GARDEN\n"));
    Log("report", "SP2ABC.log", Cabrillo("SP2ABC", {Qso("SP2ABC", "HA3QRS", 40, "001", "002")}));
    Log("report", "HA3QRS.log",
        Cabrillo("HA3QRS", {Qso("HA3QRS", "DL1ABC", 20, "002", "003"),
                            Qso("HA3QRS", "SP2ABC", 40, "002", "001")}));
    Log("report", "S51DEF.log", Cabrillo("S51DEF", {Qso("S51DEF", "DL1ABC", 30, "001", "004")}));
    Log("report", "DL1ABC.log",
        Cabrillo("DL1ABC",
                 {Qso("DL1ABC", "OK1XYZ", 0, "001"), Qso("DL1ABC", "SP2ABC", 10, "002", "009"),
                  Qso("DL1ABC", "HA3QRS", 20, "003", "003"), Qso("DL1ABC", "S51DEG", 30, "004"),
                  Qso("DL1ABC", "F5KLM", 50, "005", "008"), Qso("DL1ABC", "OK1XYZ", 60, "006")},
                 "CATEGORY-OPERATOR: SINGLE-OP\n"));
    Log("report", "a&b<c>.log", "START-OF-LOG: 3.0\nEND-OF-LOG:\n");
    const std::string csv = dir() + "/report.csv", page = dir() + "/page.html";
    const std::string text = Results("report", "--csv '" + csv + "' --html '" + page + "'");
    // Each QSO that does not stand, under its heading, with what is wrong.
    const std::string report = Slurp(dir() + "/out-report/ubn/DL1ABC.txt");
    for (const char* expected :
         {"Busted calls: the call you logged is not the station you worked (they do not count):\n"
          "  line 7  2026-02-14 12:30  20m CW  S51DEG  (you worked S51DEF)\n",
          "Not in log: the station you logged has no QSO with you at that time (they do not "
          "count):\n  line 5 ",
          "  line 6  2026-02-14 12:20  20m CW  HA3QRS  (was sent 002)\n",
          "Uniques: no other log has this call (they count):\n  line 8 ",
          "  line 9  dupe: OK1XYZ"}) {
        EXPECT_NE(report.find(expected), std::string::npos) << expected << "\n" << report;
    }
    // The CSV: best checked score first, a spreadsheet formula made plain
    // text, quotes where needed.
    const std::string table = Slurp(csv);
    for (const char* row :
         {"\n1,DL1ABC,DL1ABC.log,56,12,5,2,1,2,1,0,F,non-yu,1,SINGLE-OP,\n2,HA3QRS,",
          ",\"'=HYPERLINK(\"\"<script>\"\")\",\"HOME, GARDEN\"\n"}) {
        EXPECT_NE(table.find(row), std::string::npos) << row << "\n" << table;
    }
    // The page: nothing runs, nothing is fetched from elsewhere.
    const std::string html = Slurp(page);
    EXPECT_NE(html.find("&lt;script&gt;"), std::string::npos) << html;
    EXPECT_NE(html.find("<li>a&amp;b&lt;c&gt;.log: "), std::string::npos) << html;
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("://"), std::string::npos);
    // The JSON has every key the committee's tools read; "." is OK1XYZ's log.
    const JsonReader j(text);
    ASSERT_TRUE(j.ok()) << text;
    std::istringstream keys(
        "period.start period.end time_window_minutes skipped[0].file skipped[0].reason .call "
        ".categories.CATEGORY-OPERATOR .claimed.qsos .claimed.points .claimed.multipliers "
        ".claimed.score .checked.qsos .checked.points .checked.multipliers .checked.score "
        ".counts.unreadable .counts.bad_call .counts.outside_period .counts.wrong_band "
        ".counts.wrong_mode .counts.no_exchange .counts.no_county .counts.dupe "
        ".counts.busted_call .counts.ok .counts.busted_exchange .counts.nil .counts.no_log "
        ".counts.unique .qsos[0].line .qsos[0].time .qsos[0].band .qsos[0].mode .qsos[0].call "
        ".qsos[0].status .qsos[0].detail");
    for (std::string key; keys >> key;) {
        key = key[0] == '.' ? LogPath(j, "OK1XYZ.log") + key : key;
        EXPECT_NE(j[key], "(missing)") << key;
    }
}

TEST_F(CheckLogs, UniquesStandUnlessRemoved) {
    // G4TUV and F5KLM send no log; OK1XYZ worked G4TUV too.
    Log("uniques", "OK1XYZ.log",
        Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0), Qso("OK1XYZ", "G4TUV", 5, "002", "9")}));
    Log("uniques", "DL1ABC.log",
        Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0), Qso("DL1ABC", "G4TUV", 10, "002", "10"),
                            Qso("DL1ABC", "F5KLM", 20, "003", "11")}));
    for (const std::string uniques : {"keep", "remove"}) {
        const JsonReader j(Results("uniques", "--uniques " + uniques));
        const std::string log = LogPath(j, "DL1ABC.log");
        EXPECT_EQ(j[log + ".counts.no_log"], "1");
        EXPECT_EQ(j[log + ".counts.unique"], "1");
        EXPECT_EQ(j[log + ".claimed.qsos"], "3");
        EXPECT_EQ(j[log + ".checked.qsos"], uniques == "keep" ? "3" : "2") << uniques;
        EXPECT_EQ(j["uniques"], uniques);
    }
}

TEST_F(CheckLogs, LogsAreFoundByTheirExtensionInAnyCase) {
    Log("ext", "DL1ABC.LOG", Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0)}));
    Log("ext", "OK1XYZ.Cbr", Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0)}));
    Log("ext", "SP2ABC.log.bak", Cabrillo("SP2ABC", {Qso("SP2ABC", "DL1ABC", 5)}));
    const std::string json = Results("ext");
    const JsonReader j(json);
    for (const char* file : {"DL1ABC.LOG", "OK1XYZ.Cbr"}) {
        EXPECT_EQ(j[LogPath(j, file) + ".counts.ok"], "1") << file << "\n" << json;
    }
    EXPECT_EQ(json.find("SP2ABC"), std::string::npos) << json;
}

TEST_F(CheckLogs, BadInputIsNamedAndTheRestGoesOn) {
    Log("bad", "DL1ABC.log", Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0)}));
    Log("bad", "OK1XYZ.log", Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0)}));
    Log("bad", "old-OK1XYZ.log", Cabrillo("OK1XYZ", {}));
    // Of two logs of a call the newer is used, whatever their names.
    fs::last_write_time(dir() + "/bad/old-OK1XYZ.log",
                        fs::last_write_time(dir() + "/bad/OK1XYZ.log") - std::chrono::hours(1));
    Log("bad", "binary.cbr", std::string("\x7f\x45LF\0\0\x01\x02", 8));
    Log("bad", "nocall.log", "START-OF-LOG: 3.0\nEND-OF-LOG:\n");
    const std::string json = Results("bad");
    for (const char* skipped :
         {R"({"file": "old-OK1XYZ.log", "reason": "another log of OK1XYZ is used: OK1XYZ.log"})",
          R"("file": "binary.cbr")",
          R"({"file": "nocall.log", "reason": "the log names no own call"})",
          R"("file": "OK1XYZ.log", "reason": "several-files", "detail": "2 files of OK1XYZ; )"
          R"(OK1XYZ.log is the newest and used, not old-OK1XYZ.log"})"}) {
        EXPECT_NE(json.find(skipped), std::string::npos) << skipped << "\n" << json;
    }
    // Stops with status 2 on a bad option, an empty folder, the output
    // folder in the folder of logs, or an output file that would be read as
    // a log; with status 1, a plug-in that cannot be loaded.
    const std::string logs = dir() + "/bad";
    fs::create_directory(dir() + "/empty");
    struct Case {
        std::string folder, args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"bad", "--time-window -1", 2, "--time-window"},
        {"bad", "--time-window 2.5", 2, "--time-window"},
        {"bad", "--time-window 10000", 2, "--time-window"},
        {"bad", "--uniques drop", 2, "--uniques"},
        {"bad", "--page x.html", 2, "--page"},
        {"empty", "", 2, "no log to check"},
        {"bad", "--out '" + logs + "/out'", 2, "may not be the folder of logs"},
        {"bad", "--out '" + logs + "'", 2, "may not be the folder of logs"},
        {"bad", "--csv '" + logs + "/results.txt'", 2, "would be read as a log"},
        {"bad", "--plugin '" + logs + "/DL1ABC.log'", 1, "cannot load"},
    };
    for (const Case& c : cases) {
        const HostRun r = Check(c.folder, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_FALSE(fs::exists(logs + "/results.txt"));
    // An output folder that cannot be written is named before the logs are
    // read: the missing folder of logs is not what is reported.
    fs::create_directory(dir() + "/locked");
    chmod((dir() + "/locked").c_str(), 0555);
    if (access((dir() + "/locked").c_str(), W_OK) != 0) {  // not as root
        const HostRun r =
            Host("check-logs '" + dir() + "/missing' --out '" + dir() + "/locked/out'");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("locked/out"), std::string::npos) << r.err;
    }
    chmod((dir() + "/locked").c_str(), 0755);
}

TEST_F(CheckLogs, TheWorkersMemoryFolderGoesAtTheEndAndAKilledRunsWithTheNextRun) {
#if defined(STATS_DYING_PLUGIN)
    // A memory file system of the test's own stands for the machine's.
    const std::string memory = "/dev/shm/stats-host-test-" + std::to_string(getpid());
    std::error_code error;
    if (!fs::create_directories(memory, error)) {
        GTEST_SKIP() << "no /dev/shm here";
    }
    // The folder of a run that was killed: named after a process that is gone.
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const std::string killed = memory + "/stats-host-" + std::to_string(gone) + "-AbC123";
    fs::create_directories(killed + "/worker-1");
    Write("leftover", "");
    fs::copy_file(dir() + "/leftover", killed + "/worker-1/DI-VE-RI.ini");
    // And one of a process that still runs, this test's.
    const std::string running = memory + "/stats-host-" + std::to_string(getpid()) + "-XyZ789";
    fs::create_directories(running);

    Log("mem", "DL1ABC.log", Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0)}));
    Log("mem", "OK1XYZ.log", Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0)}));
    setenv("XDG_RUNTIME_DIR", memory.c_str(), 1);
    const HostRun r = Check("mem");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(memory)) {
        left.push_back(entry.path().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{running});
    EXPECT_FALSE(fs::exists(dir() + "/out-mem/worker-1"));
    fs::remove_all(memory);
#else
    GTEST_SKIP() << "the logs are scored in this process";
#endif
}

TEST_F(CheckLogs, AWorkerProcessThatDiesIsAFaultOfTheHostNotOfTheInput) {
#if defined(STATS_DYING_PLUGIN)
    // One log alone is scored as claimed and as checked at once; of two, the
    // shorter is scored first.
    Log("dies", "DL1ABC.log", Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0)}));
    Log("dies-too", "DL1ABC.log",
        Cabrillo("DL1ABC", {Qso("DL1ABC", "OK1XYZ", 0), Qso("DL1ABC", "SP2ABC", 5)}));
    Log("dies-too", "OK1XYZ.log", Cabrillo("OK1XYZ", {Qso("OK1XYZ", "DL1ABC", 0)}));
    for (const auto& c : {std::make_pair("dies", 1), std::make_pair("dies-too", 2)}) {
        const HostRun r = Check(c.first, "--plugin '" STATS_DYING_PLUGIN "'");
        EXPECT_EQ(r.status, 3) << r.err;
        EXPECT_NE(r.err.find("a worker process was killed by signal " + std::to_string(SIGKILL) +
                             " before log " + std::to_string(c.second) + " was scored"),
                  std::string::npos)
            << r.err;
    }
#else
    GTEST_SKIP() << "the logs are scored in this process";
#endif
}

TEST_F(CheckLogs, ReportFileNamesAreSafe) {
    // Each station works the next; the calls come from strangers' files.
    const std::vector<std::string> calls = {"NUL", "COM1/P", "9A/DL2XX", "9A-DL2XX", ".HIDDEN"};
    for (size_t i = 0; i < calls.size(); ++i) {
        Log("names", "log" + std::to_string(i) + ".log",
            Cabrillo(calls[i], {Qso(calls[i], calls[(i + 1) % calls.size()], 0)}));
    }
    ASSERT_EQ(Check("names").status, 0);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir() + "/out-names/ubn")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"9A-DL2XX-2.txt", "9A-DL2XX.txt", "HIDDEN.txt",
                                               "_COM1-P.txt", "_NUL.txt"}));
}

}  // namespace

namespace {

// The status of a log's line with this line number, or "(missing)".
std::string QsoStatusAt(const JsonReader& j, const std::string& log, const std::string& line) {
    for (int q = 0; j[log + ".qsos[" + std::to_string(q) + "].line"] != "(missing)"; ++q) {
        if (j[log + ".qsos[" + std::to_string(q) + "].line"] == line) {
            return j[log + ".qsos[" + std::to_string(q) + "].status"];
        }
    }
    return "(missing)";
}

// Each band's figures as the plug-in counts them, in the JSON and in the
// entrant's report; and the multipliers lost, each with a line that fell,
// as many on each band as the checked columns lost. Under both rule sets:
// the 2020 rules count no county for a YU/YT entrant and score a
// single-band entry on its band alone.
TEST_F(CheckLogs, PerBandFiguresAndLostMultipliersAddUpToTheTotals) {
    fs::create_directories(dir() + "/bands");
    ASSERT_EQ(
        std::system((std::string(STATS_CONTEST_GENERATOR) + " --out '" + dir() +
                     "/bands' --stations 12 --qsos 60 --seed 7 --answers '" + dir() + "/bands.tsv'")
                        .c_str()),
        0);
    // One entrant (outside YU/YT) enters 10 m alone.
    std::string single = Slurp(dir() + "/bands/9A5CXT.log");
    single.insert(single.find('\n') + 1, "CATEGORY-BAND: 10M\n");
    Write("bands/9A5CXT.log", single);
    const char* const kBands[] = {"80m", "40m", "20m", "15m", "10m"};
    for (const std::string args : {"--rules classic", "--rules 2020 --uniques remove"}) {
        SCOPED_TRACE(args);
        const JsonReader j(Results("bands", args));
        ASSERT_TRUE(j.ok());
        long lost = 0;
        std::map<std::string, long> lostMultipliers;  // by kind
        int logs = 0;
        for (; j["logs[" + std::to_string(logs) + "].file"] != "(missing)"; ++logs) {
            const std::string log = "logs[" + std::to_string(logs) + "]";
            SCOPED_TRACE(j[log + ".file"]);
            std::string stem = j[log + ".call"];
            std::replace(stem.begin(), stem.end(), '/', '-');
            const std::string report = Slurp(dir() + "/out-bands/ubn/" + stem + ".txt");
            std::map<std::string, long> sums;
            std::map<std::string, long> lostOn;  // "20m county" -> multipliers lost
            for (int m = 0;
                 j[log + ".lost_multipliers[" + std::to_string(m) + "].band"] != "(missing)"; ++m) {
                const std::string lm = log + ".lost_multipliers[" + std::to_string(m) + "]";
                const std::string kind = j[lm + ".kind"];
                ++lostOn[j[lm + ".band"] + " " + kind];
                ++lostMultipliers[kind];
                const std::string status = QsoStatusAt(j, log, j[lm + ".line"]);
                EXPECT_TRUE(status == "busted-call" || status == "busted-exchange" ||
                            status == "nil" || status == "unique")
                    << j[lm + ".line"] << " " << status;
                EXPECT_EQ(j[lm + ".status"], status);
            }
            for (size_t b = 0; b < 5; ++b) {
                const std::string band = log + ".per_band[" + std::to_string(b) + "]";
                EXPECT_EQ(j[band + ".band"], kBands[b]);
                // The band's row in the report: each figure claimed / checked.
                const size_t row = report.find("\n" + std::string(kBands[b]) + " ");
                ASSERT_NE(row, std::string::npos) << report;
                size_t at = row;
                for (const char* field : {"qsos", "points", "dxcc", "counties"}) {
                    const std::string pair =
                        j[band + ".claimed." + field] + " / " + j[band + ".checked." + field];
                    at = report.find(" " + pair, at);
                    EXPECT_LT(at, report.find('\n', row + 1)) << field << " " << pair;
                    for (const char* pass : {"claimed", "checked"}) {
                        sums[std::string(pass) + "." + field] +=
                            std::stol(j[band + "." + pass + "." + field]);
                    }
                }
                EXPECT_EQ(
                    lostOn[std::string(kBands[b]) + " dxcc"],
                    std::stol(j[band + ".claimed.dxcc"]) - std::stol(j[band + ".checked.dxcc"]))
                    << kBands[b];
                EXPECT_EQ(lostOn[std::string(kBands[b]) + " county"],
                          std::stol(j[band + ".claimed.counties"]) -
                              std::stol(j[band + ".checked.counties"]))
                    << kBands[b];
            }
            EXPECT_EQ(j[log + ".per_band[5].band"], "(missing)");
            for (const std::string p : {"claimed.", "checked."}) {
                sums[p + "multipliers"] = sums[p + "dxcc"] + sums[p + "counties"];
                for (const char* total : {"qsos", "points", "multipliers"}) {
                    EXPECT_EQ(sums[p + total], std::stol(j[log + "." + p + total])) << p + total;
                }
            }
            lost += sums["claimed.qsos"] - sums["checked.qsos"];
        }
        EXPECT_EQ(logs, std::distance(fs::directory_iterator(dir() + "/bands"), {}));
        EXPECT_GT(lost, 0);  // the contest's faults show in the checked columns
        EXPECT_GT(lostMultipliers["dxcc"], 0);
        EXPECT_GT(lostMultipliers["county"], 0);
    }
}

// The multipliers lost, one entry each, "band kind multiplier line [other
// lines]" in the order of the results.
std::vector<std::string> LostIn(const JsonReader& j, const std::string& log) {
    std::vector<std::string> out;
    for (int m = 0; j[log + ".lost_multipliers[" + std::to_string(m) + "].band"] != "(missing)";
         ++m) {
        const std::string lm = log + ".lost_multipliers[" + std::to_string(m) + "]";
        std::string others;
        for (int k = 0; j[lm + ".other_lines[" + std::to_string(k) + "]"] != "(missing)"; ++k) {
            others += (k == 0 ? "" : " ") + j[lm + ".other_lines[" + std::to_string(k) + "]"];
        }
        out.push_back(j[lm + ".band"] + " " + j[lm + ".kind"] + " " + j[lm + ".multiplier"] + " " +
                      j[lm + ".line"] + " [" + others + "]");
    }
    return out;
}

// A multiplier is lost when every line that brought it on its band fell:
// another band's QSO keeps nothing, a standing one on the same band keeps
// it. A YU/YT entrant's counties count under the classic rules alone.
TEST_F(CheckLogs, AMultiplierIsLostWithTheLinesThatBroughtItOnItsBand) {
    auto on40 = [](std::string line) { return line.replace(line.find("14025"), 5, " 7025"); };
    Log("mults", "OK1AB.log",
        Cabrillo("OK1AB", {Qso("OK1AB", "YU2BB", 10, "001", "BGD"),  // line 3: nil
                           Qso("OK1AB", "DL1CC", 20),                // nil, DL2DD keeps DL
                           Qso("OK1AB", "DL2DD", 30),                // ok
                           on40(Qso("OK1AB", "HA1EE", 40)),          // nil on 40m
                           Qso("OK1AB", "HA1EE", 50),                // ok on 20m
                           Qso("OK1AB", "S51FG", 60),                // busted call
                           Qso("OK1AB", "OE1GG", 80),                // line 9: nil
                           Qso("OK1AB", "OE2HH", 90),                // nil
                           Qso("OK1AB", "9A1ZZ", 100)}));            // unique
    Log("mults", "YU1AA.log",
        Cabrillo("YU1AA",
                 {Qso("YU1AA", "YU2BB", 10, "BGD", "BGD"), Qso("YU1AA", "DL2DD", 20, "BGD")}));
    Log("mults", "YU2BB.log", Cabrillo("YU2BB", {Qso("YU2BB", "DL2DD", 200, "BGD")}));
    Log("mults", "DL1CC.log", Cabrillo("DL1CC", {Qso("DL1CC", "DL2DD", 210)}));
    Log("mults", "DL2DD.log",
        Cabrillo("DL2DD", {Qso("DL2DD", "YU1AA", 20, "001", "BGD"), Qso("DL2DD", "OK1AB", 30)}));
    Log("mults", "HA1EE.log", Cabrillo("HA1EE", {Qso("HA1EE", "OK1AB", 50)}));
    Log("mults", "S51FF.log", Cabrillo("S51FF", {Qso("S51FF", "OK1AB", 60)}));
    Log("mults", "OE1GG.log", Cabrillo("OE1GG", {Qso("OE1GG", "OE2HH", 230)}));
    Log("mults", "OE2HH.log", Cabrillo("OE2HH", {Qso("OE2HH", "OE1GG", 230)}));
    const std::vector<std::string> ours = {"40m dxcc HA 6 []", "20m dxcc YU 3 []",
                                           "20m county BGD 3 []", "20m dxcc S5 8 []",
                                           "20m dxcc OE 9 [10]"};
    std::vector<std::string> removed = ours;
    removed.push_back("20m dxcc 9A 11 []");
    const struct {
        const char* args;
        std::vector<std::string> ok1ab;
        std::vector<std::string> yu1aa;
    } cases[] = {
        {"--rules classic", ours, {"20m dxcc YU 3 []", "20m county BGD 3 []"}},
        {"--rules 2020 --uniques remove", removed, {"20m dxcc YU 3 []"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const JsonReader j(Results("mults", c.args));
        EXPECT_EQ(LostIn(j, LogPath(j, "OK1AB.log")), c.ok1ab);
        EXPECT_EQ(LostIn(j, LogPath(j, "YU1AA.log")), c.yu1aa);
    }
    const std::string report = Slurp(dir() + "/out-mults/ubn/OK1AB.txt");
    for (const char* line :
         {"\nMultipliers lost, with the QSO that cost each:\n"
          "  40m  DXCC HA (Hungary):  line 6  2026-02-14 12:40  40m CW  HA1EE  nil\n",
          "  20m  county BGD:  line 3  2026-02-14 12:10  20m CW  YU2BB  nil\n",
          "  20m  DXCC S5 (Slovenia):  line 8  2026-02-14 13:00  20m CW  S51FG  busted-call\n",
          "  20m  DXCC OE (Austria):  line 9  2026-02-14 13:20  20m CW  OE1GG  nil; also line 10\n",
          "  20m  DXCC 9A (Croatia):  line 11  2026-02-14 13:40  20m CW  9A1ZZ  unique\n"}) {
        EXPECT_NE(report.find(line), std::string::npos) << line << report;
    }
}

// What the log reader noted of a log is in its warnings and its report, as
// score warns of it, and so is a category line given twice; a note repeated on every record is
// named ten times, then counted. A note on a field the scoring does not read is left out.
TEST_F(CheckLogs, TheLogReadersWarningsReachTheJsonAndTheReport) {
    Log("notes", "OK1AB.log",
        Cabrillo("OK1AB",
                 {Qso("OK1AB", "DL1ABC", 10), Qso("OK1ABX", "DL1ABC", 20, "002"),
                  Qso("OK1AB", "DL1ABC", 30, "003")},
                 "CATEGORY-POWER: LOW\nCATEGORY-POWER: HIGH\n") +
            "QSO: " + Qso("OK1AB", "DL1ABC", 40, "004") + "\n");
    std::string adif = "check-logs test\n<EOH>\n";
    for (int i = 0; i < 12; ++i) {
        char record[300];
        std::snprintf(record, sizeof record,
                      "<CALL:5>OK1AB<QSO_DATE:8>20260214<TIME_ON:4>12%02d<FREQ:6>14.025"
                      "<MODE:2>CW<RST_SENT:3>599<RST_SENT:3>579<STX_STRING:3>%03d"
                      "<SRX_STRING:3>%03d<STATION_CALLSIGN:6>DL1ABC%s<EOR>\n",
                      10 * (i + 1) % 60, i + 1, i + 1,
                      i == 0 ? "<EMAIL:11>a@b.example<EMAIL:11>c@d.example" : "");
        adif += record;
    }
    Log("notes", "DL1ABC.adi", adif);
    const std::string json = Results("notes");
    // A field no QSO is read from is no warning: its values stay out.
    EXPECT_EQ(json.find('@'), std::string::npos);
    EXPECT_EQ(Slurp(dir() + "/out-notes/ubn/DL1ABC.txt").find('@'), std::string::npos);
    const JsonReader j(json);
    const struct {
        const char* file;
        const char* report;
        std::vector<std::string> warnings;
    } cases[] = {
        {"OK1AB.log",
         "OK1AB.txt",
         {"CATEGORY-POWER given twice, 'LOW' and 'HIGH'; taking 'LOW'",
          "line 9: 1 QSO line after END-OF-LOG: (line 8), read all the same",
          "1 QSO line carries the own call OK1ABX, not OK1AB: line 6"}},
        {"DL1ABC.adi",
         "DL1ABC.txt",
         {"line 3: field RST_SENT given twice, '599' and '579'; taking the second",
          "line 12: field RST_SENT given twice, '599' and '579'; taking the second",
          "and 2 more such warnings of the log reader"}},
    };
    for (const auto& c : cases) {
        const std::string log = LogPath(j, c.file);
        std::vector<std::string> warnings;
        for (int w = 0; j[log + ".warnings[" + std::to_string(w) + "]"] != "(missing)"; ++w) {
            warnings.push_back(j[log + ".warnings[" + std::to_string(w) + "]"]);
        }
        const std::string report = Slurp(dir() + "/out-notes/ubn/" + c.report);
        for (const std::string& w : c.warnings) {
            EXPECT_NE(std::find(warnings.begin(), warnings.end(), w), warnings.end())
                << c.file << ": " << w;
            EXPECT_NE(report.find("Warning: " + w + "\n"), std::string::npos) << report;
        }
    }
    EXPECT_EQ(j[LogPath(j, "DL1ABC.adi") + ".warnings[12]"], "(missing)");
}

}  // namespace
