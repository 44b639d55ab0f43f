// The published standings of check-logs: each log's category and section
// from its header, checklogs and unknown categories unranked, ranks that
// follow the checked scores, and the committee's review list.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "stats_host_fixture.h"

namespace {

namespace fs = std::filesystem;
using stats_host_test::HostRun;
using stats_host_test::JsonReader;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

class Standings : public StatsHost {
  protected:
    std::string Check(const std::string& folder, const std::string& args = "") {
        const std::string json = dir() + "/" + folder + ".json";
        const HostRun r = Host("check-logs '" + dir() + "/" + folder +
                               "' --cty '" STATS_HOST_TEST_DATA "/cty.dat' --out '" + dir() +
                               "/out' --json '" + json + "' " + args);
        EXPECT_EQ(r.status, 0) << r.err;
        return Slurp(json);
    }
};

// Every log of the results: file -> its "logs[i]" path.
std::map<std::string, std::string> LogsIn(const JsonReader& j) {
    std::map<std::string, std::string> out;
    for (int l = 0; j["logs[" + std::to_string(l) + "].file"] != "(missing)"; ++l) {
        out[j["logs[" + std::to_string(l) + "].file"]] = "logs[" + std::to_string(l) + "]";
    }
    return out;
}

// (file, reason) -> detail of every entry of the review list.
std::map<std::pair<std::string, std::string>, std::string> ReviewIn(const JsonReader& j) {
    std::map<std::pair<std::string, std::string>, std::string> out;
    for (int i = 0; j["review[" + std::to_string(i) + "].file"] != "(missing)"; ++i) {
        const std::string r = "review[" + std::to_string(i) + "]";
        out[{j[r + ".file"], j[r + ".reason"]}] = j[r + ".detail"];
    }
    return out;
}

TEST_F(Standings, AGeneratedContestIsRankedByCategoryAndSection) {
    fs::create_directories(dir() + "/gen");
    ASSERT_EQ(std::system((std::string(STATS_CONTEST_GENERATOR) + " --out '" + dir() +
                           "/gen' --stations 40 --qsos 90 --seed 11")
                              .c_str()),
              0);
    // Header lines put before the generator's own, one set per log in turn,
    // with the letter they give ('-' for none) and whether it is ranked.
    const struct {
        const char* header;
        const char* letter;
        bool ranked;
        const char* review;  // the reason it goes on the review list, or ""
    } kinds[] = {
        {"CATEGORY: C. (SO-AB-CW-HP <= 1500 W) (Out of Serbia)\n", "C", true, ""},
        {"CATEGORY-OPERATOR: CHECKLOG\nCATEGORY: C\n", "null", false, ""},
        {"CATEGORY-OPERATOR: MULTI-OP\nCATEGORY-BAND: 40M\nCATEGORY-MODE: MIXED\n", "M", true, ""},
        {"CATEGORY-BAND: 160M\n", "null", false, ""},
        {"CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-BAND: ALL\nCATEGORY-MODE: CW\n"
         "CATEGORY-POWER: QRP\n",
         "A", true, ""},
        {"CATEGORY: H\nCATEGORY-BAND: 40M\n", "H", true, "category-band"},
        {"CATEGORY: C\nCONTEST: CQ-WW-CW\n", "C", false, "other-contest"},
        {"CATEGORY: C\n", "C", true, ""},
    };
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir() + "/gen")) {
        if (entry.path().extension() == ".log") {
            files.push_back(entry.path().filename().string());
        }
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, size_t> kindOf;
    for (size_t i = 0; i < files.size(); ++i) {
        std::string text = Slurp(dir() + "/gen/" + files[i]);
        const size_t after = text.find('\n', text.find("CALLSIGN:")) + 1;
        text.insert(after, kinds[i % 8].header);
        Write("gen/" + files[i], text);
        kindOf[files[i]] = i % 8;
    }
    const JsonReader j(Check("gen"));
    ASSERT_TRUE(j.ok());
    const auto logs = LogsIn(j);
    ASSERT_EQ(logs.size(), files.size());
    const auto review = ReviewIn(j);
    // (letter, section) -> the checked scores of its ranked logs.
    std::map<std::pair<std::string, std::string>, std::vector<long>> groups;
    for (const auto& log : logs) {
        const auto& kind = kinds[kindOf[log.first]];
        const std::string& l = log.second;
        SCOPED_TRACE(log.first + " " + kind.header);
        EXPECT_EQ(j[l + ".category.letter"], kind.letter);
        EXPECT_EQ(j[l + ".category.ranked"], kind.ranked ? "true" : "false");
        const std::string call = j[l + ".call"];
        const bool yu = call.compare(0, 2, "YU") == 0 || call.compare(0, 2, "YT") == 0;
        EXPECT_EQ(j[l + ".category.section"], yu ? "yu" : "non-yu");
        EXPECT_EQ(j[l + ".ranks"] == "null", !kind.ranked);
        EXPECT_EQ(j[l + ".category.why_not_ranked"].empty(), kind.ranked);
        if (kind.ranked) {
            groups[{kind.letter, j[l + ".category.section"]}].push_back(
                std::stol(j[l + ".checked.score"]));
        }
        for (const char* reason : {"category-band", "other-contest"}) {
            EXPECT_EQ(review.count({log.first, reason}),
                      std::string(kind.review) == reason ? 1u : 0u)
                << reason;
        }
    }
    std::set<std::string> sections;
    for (const auto& g : groups) {
        sections.insert(g.first.second);
    }
    EXPECT_EQ(sections.size(), 2u) << "both sections have ranked logs";
    // Each rank is one more than the number of better scores of its group.
    for (const auto& log : logs) {
        const std::string& l = log.second;
        if (j[l + ".ranks"] == "null") {
            continue;
        }
        const auto& scores = groups[{j[l + ".category.letter"], j[l + ".category.section"]}];
        const long score = std::stol(j[l + ".checked.score"]);
        const auto better =
            std::count_if(scores.begin(), scores.end(), [&](long s) { return s > score; });
        EXPECT_EQ(j[l + ".ranks.category"], std::to_string(better + 1)) << log.first;
        EXPECT_NE(j[l + ".ranks.entity"], "(missing)");
    }
}

// A QSO line; minute counts from 2026-02-14 12:00.
std::string Line(const std::string& own, const std::string& call, int minute,
                 const char* received = "001") {
    const int t = 12 * 60 + minute;
    char line[160];
    std::snprintf(line, sizeof line, "QSO: 14025 CW 2026-02-%02d %02d%02d %s 599 001 %s 599 %s\n",
                  14 + t / 1440, t / 60 % 24, t % 60, own.c_str(), call.c_str(), received);
    return line;
}

std::string Log(const std::string& callsign, const std::string& header, const std::string& qsos) {
    return "START-OF-LOG: 3.0\nCALLSIGN: " + callsign + "\n" + header + qsos + "END-OF-LOG:\n";
}

TEST_F(Standings, TheReviewListNamesEachReasonWithItsFigure) {
    fs::create_directories(dir() + "/review");
    auto put = [&](const std::string& file, const std::string& text) {
        Write("review/" + file, text);
    };
    // Twelve QSOs in one minute with stations nobody else heard.
    std::string burst;
    for (int i = 0; i < 12; ++i) {
        burst += Line("OK1RUN", "OK2" + std::string(1, static_cast<char>('A' + i)) + "AA", 30);
    }
    put("OK1RUN.log", Log("OK1RUN", "", burst));
    std::string multi = burst;
    for (size_t at; (at = multi.find("OK1RUN")) != std::string::npos;) {
        multi.replace(at, 6, "OK1MUL");
    }
    for (size_t at; (at = multi.find(" OK2")) != std::string::npos;) {
        multi.replace(at, 4, " OK3");
    }
    put("OK1MUL.log", Log("OK1MUL", "CATEGORY-OPERATOR: MULTI-OP\n", multi));
    // Multi-op too, though its band is none of the contest's.
    for (size_t at; (at = multi.find("OK1MUL")) != std::string::npos;) {
        multi.replace(at, 6, "OK1MUX");
    }
    for (size_t at; (at = multi.find(" OK3")) != std::string::npos;) {
        multi.replace(at, 4, " OK4");
    }
    put("OK1MUX.log", Log("OK1MUX", "CATEGORY-OPERATOR: MULTI-OP\nCATEGORY-BAND: 160M\n", multi));
    // 301 QSOs within 60 minutes, never more than 6 in a minute.
    std::string hour;
    for (int i = 0; i < 301; ++i) {
        hour += Line("SP1HR",
                     "SP" + std::to_string(2 + i % 8) + "Q" +
                         std::string(1, static_cast<char>('A' + i / 26 % 26)) +
                         std::string(1, static_cast<char>('A' + i % 26)),
                     100 + i / 5 % 60);
    }
    put("SP1HR.log", Log("SP1HR", "", hour));
    // CALLSIGN: names one call, the QSO lines another.
    put("DL1AAA.log", Log("DL1AAA", "",
                          Line("DL1AAB", "OK1RUN", 30) + Line("DL1AAB", "OK1MUL", 31) +
                              Line("DL1AAA", "SP1HR", 32)));
    // A clock 40 minutes fast against five partners.
    std::string fast;
    for (int i = 0; i < 5; ++i) {
        const std::string partner = "HA" + std::to_string(i + 1) + "ZZ";
        fast += Line("S51CLK", partner, 200 + 10 * i + 40);
        put(partner + ".log", Log(partner, "", Line(partner, "S51CLK", 200 + 10 * i)));
    }
    put("S51CLK.log", Log("S51CLK", "", fast));
    put("bad.log", Log("YU1AA/../X", "", Line("YU1AA/../X", "OK1RUN", 40)));

    const JsonReader j(Check("review"));
    ASSERT_TRUE(j.ok());
    const auto review = ReviewIn(j);
    const std::map<std::pair<std::string, std::string>, std::string> expected = {
        {{"OK1RUN.log", "uniques"}, "12 uniques in 12 QSO lines (100.0 %)"},
        {{"OK1RUN.log", "rate-minute"}, "12 QSOs in the minute 2026-02-14 12:30 (more than 8)"},
        {{"OK1MUL.log", "uniques"}, "12 uniques in 12 QSO lines (100.0 %)"},
        {{"OK1MUX.log", "uniques"}, "12 uniques in 12 QSO lines (100.0 %)"},
        {{"SP1HR.log", "uniques"}, "301 uniques in 301 QSO lines (100.0 %)"},
        {{"SP1HR.log", "rate-hour"},
         "301 QSOs in the 60 minutes from 2026-02-14 13:40 (more than 300)"},
        {{"DL1AAA.log", "callsign-mismatch"},
         "CALLSIGN: DL1AAA, but 2 of 3 QSO lines were sent as DL1AAB"},
        {{"S51CLK.log", "clock-offset"}, "the clock ran 40 minutes fast against the other logs"},
        {{"bad.log", "call-rule"}, ""},
    };
    for (const auto& e : expected) {
        const auto found = review.find(e.first);
        ASSERT_NE(found, review.end()) << e.first.first << " " << e.first.second;
        EXPECT_EQ(found->second.substr(0, e.second.size()), e.second) << e.first.first;
    }
    EXPECT_EQ(review.size(), expected.size());
    // The list in the output folder says the same.
    const std::string text = Slurp(dir() + "/out/review.txt");
    EXPECT_NE(text.find("S51CLK (S51CLK.log): clock-offset\n    the clock ran 40"),
              std::string::npos)
        << text;
    // The log that breaks the call rule is not ranked.
    const auto logs = LogsIn(j);
    EXPECT_EQ(j[logs.at("bad.log") + ".ranks"], "null");
}

TEST_F(Standings, AReportNamesWhoCopiedTheEntrantWrongAndItsErrorRate) {
    fs::create_directories(dir() + "/slips");
    // OK1AB logs OK1XY's call one letter off and SP2CD's number wrong.
    Write("slips/OK1AB.log",
          Log("OK1AB", "", Line("OK1AB", "OK1XZ", 10) + Line("OK1AB", "SP2CD", 20, "007")));
    Write("slips/OK1XY.log", Log("OK1XY", "", Line("OK1XY", "OK1AB", 10)));
    Write("slips/SP2CD.log", Log("SP2CD", "", Line("SP2CD", "OK1AB", 20)));
    Check("slips");
    const struct {
        const char* file;
        const char* text;
    } cases[] = {
        {"OK1XY.txt",
         "Stations that copied your call or exchange wrong (their error, no cost to "
         "you):\n  OK1AB (line 3)  2026-02-14 12:10  20m CW  logged your call as "
         "OK1XZ\n"},
        {"SP2CD.txt",
         "  OK1AB (line 4)  2026-02-14 12:20  20m CW  logged your exchange as 007, "
         "you sent 001\n"},
        {"OK1AB.txt", "Error rate: 100.0 % (2 of 2 QSO lines cross-checked do not stand)\n"},
        {"OK1XY.txt", "Error rate: 0.0 % (0 of 1 QSO lines cross-checked do not stand)\n"},
    };
    for (const auto& c : cases) {
        const std::string report = Slurp(dir() + "/out/ubn/" + c.file);
        EXPECT_NE(report.find(c.text), std::string::npos) << c.file << "\n" << report;
    }
    EXPECT_EQ(Slurp(dir() + "/out/ubn/OK1AB.txt").find("copied your call"), std::string::npos);
}

TEST_F(Standings, ANotInLogSaysWhatTheOtherLogHoldsNearThatTime) {
    fs::create_directories(dir() + "/nil");
    // OK1AB logs SP2CD on 20m and 15m; SP2CD logged the first on 80m (as
    // OK1AB/P) and on 40m, as near before it as after, and has nothing near
    // the second. Of two lines as near, the one first in the file is named.
    std::string theirs = Line("SP2CD", "OK1AB/P", 8) + Line("SP2CD", "OK1AB", 12);
    theirs.replace(theirs.find("14025"), 5, " 3525");
    theirs.replace(theirs.find("14025"), 5, " 7025");
    std::string later = Line("OK1AB", "SP2CD", 90);
    later.replace(later.find("14025"), 5, "21025");
    Write("nil/OK1AB.log", Log("OK1AB", "", Line("OK1AB", "SP2CD", 10) + later));
    Write("nil/SP2CD.log", Log("SP2CD", "", theirs));
    const JsonReader j(Check("nil"));
    const auto logs = LogsIn(j);
    const std::string ours = logs.at("OK1AB.log");
    EXPECT_EQ(j[ours + ".qsos[0].status"], "nil");
    EXPECT_EQ(j[ours + ".qsos[0].detail"], "SP2CD logged you at 12:08 on 80m CW");
    EXPECT_EQ(j[ours + ".qsos[1].detail"], "no QSO with you within 3 minutes");
    const std::string report = Slurp(dir() + "/out/ubn/OK1AB.txt");
    EXPECT_NE(report.find("  line 3  2026-02-14 12:10  20m CW  SP2CD  (SP2CD logged you at 12:08 "
                          "on 80m CW)\n"),
              std::string::npos)
        << report;
}

}  // namespace
