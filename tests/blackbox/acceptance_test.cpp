// AddData0: the order of the checks, the bad-QSO lines byte for byte, and
// what a stored QSO counts for.
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;
using testing_support::SplitCrLf;

class Acceptance : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        plugin.Reset(DefaultRun());
    }
    std::vector<std::string> BadLines() {
        std::vector<std::string> lines = SplitCrLf(ReadFile(kBadFile));
        EXPECT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), "YUDX HF Contest CW/SSB UBN file ");
        lines.erase(lines.begin());
        return lines;
    }
    static constexpr const char* kBadFile = "BadQSO_DozudODODER_06_12_2026.txt";
};

TEST_F(Acceptance, RejectsInCheckOrderWithOneLineEach) {
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "015");
    q.band = "160m";
    EXPECT_EQ(plugin.Add(q), 0);
    q.band = "30m";
    EXPECT_EQ(plugin.Add(q), 0);
    q.band = "20m";
    q.mode = "RTTY";
    EXPECT_EQ(plugin.Add(q), 0);
    q.mode = "CW";
    q.exchSent = "";
    EXPECT_EQ(plugin.Add(q), 0);
    q.exchSent = "001";
    q.exchRcvd = "";
    q.frequencyHz = 14025999;
    EXPECT_EQ(plugin.Add(q), 0);

    const std::string base = "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599  001  DL2BBB  599  ";
    EXPECT_EQ(BadLines(), (std::vector<std::string>{
                              base + "015   WRONG BAND !!!", base + "015   WRONG BAND !!!",
                              "QSO:  14025  RTTY  2026-12-05 1200  DL1XYZ  599  001  DL2BBB  599  "
                              "015   WRONG MODE !!!",
                              "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599    DL2BBB  599  "
                              "015   NO RX NUMBER !!!",
                              base + "   NO RX NUMBER !!!"}));
    // The RTTY QSO listed 20m before its mode failed: a 20m row of zeros.
    EXPECT_NE(plugin.Result().find("20m\t 0\t 0\t 0\t 0\r\n"), std::string::npos);
}

TEST_F(Acceptance, EveryEarlierMatchWritesADupeLine) {
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    EXPECT_EQ(plugin.Add(q), 1);
    q.frequencyHz = 14030000;  // frequency and time play no part
    q.time = host::MakeDate(2026, 12, 5, 13, 0);
    EXPECT_EQ(plugin.Add(q), 1);
    EXPECT_EQ(plugin.Add(q), 1);
    q.mode = "SSB";  // another mode is another QSO
    EXPECT_EQ(plugin.Add(q), 1);
    const std::vector<std::string> lines = BadLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "QSO:  14030  CW  2026-12-05 1300  DL1XYZ  599  001  DL2BBB  599  002   DUPE !!!");
    EXPECT_EQ(lines[1], lines[0]);
    EXPECT_EQ(lines[2], lines[0]);
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Total\t 2\t 2\t 1\t 0\r\n"), std::string::npos) << result;
    EXPECT_NE(result.find("Dupe\t 2\r\n"), std::string::npos);
    EXPECT_NE(result.find("Bad QSO\t 0\r\n"), std::string::npos);
}

TEST_F(Acceptance, CountyCodeIsTrimmedAndUpperCasedBeforeTheTest) {
    EXPECT_EQ(plugin.Add(Qso("YU1AAA", "YU", "EU", " bgd ")), 1);
    EXPECT_EQ(plugin.Add(Qso("YT2BBB", "YT", "EU", "123")), 1);
    EXPECT_EQ(plugin.Add(Qso("YT2BBB", "YT", "EU", "123")), 1);
    // A station outside YU/YT sending a county code is not checked.
    EXPECT_EQ(plugin.Add(Qso("DL2BBB", "DL", "EU", "BGD")), 1);
    // A byte of 0x80 or above (here a no-break space) is neither trimmed nor
    // folded, and the line keeps it as passed.
    EXPECT_EQ(plugin.Add(Qso("YU1CCC", "YU", "EU", "bgd\xA0")), 1);
    const std::vector<std::string> lines = BadLines();
    const std::string base = "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599  001  YT2BBB  599  123";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         base + "   NO SERBIA COUNTY !!!", base + "   NO SERBIA COUNTY !!!",
                         "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599  001  YU1CCC  599  "
                         "bgd\xA0   NO SERBIA COUNTY !!!"}));
    const std::string result = plugin.Result();
    // YU1AAA: 10 points and the county BGD; DL2BBB: 1 point. Both YT2BBB
    // QSOs lack a county (the first makes the second no dupe), and so does
    // YU1CCC's.
    EXPECT_NE(result.find("20m\t 2\t 11\t 2\t 1\r\n"), std::string::npos) << result;
    EXPECT_NE(result.find("Dupe\t 0\r\n"), std::string::npos);
    EXPECT_NE(result.find("Bad QSO\t 3\r\n"), std::string::npos);
}

// A station logged without its county is worked again to get it: that QSO
// scores, and only QSOs with a county make a later one a dupe.
TEST_F(Acceptance, AQsoWithoutACountyMakesNoReworkADupe) {
    constexpr const char* kNoCounty = "NO SERBIA COUNTY";
    constexpr const char* kDupe = "DUPE";
    struct Case {
        std::vector<const char*> exchanges;  // YU1AAA on 20 m CW, a minute apart
        int removed;                         // the QSO removed afterwards, or -1
        std::vector<const char*> reasons;    // of the bad-QSO file's lines
        const char* row;                     // 20 m: QSOs, points, DXCC, counties
        int dupes;
        int bad;
        int checkStatus;  // CheckCall0 for YU1AAA on 20 m CW afterwards
        const char* prevExchange;
    };
    const Case cases[] = {
        {{"001", "BGD"}, -1, {kNoCounty}, "1\t 10\t 1\t 1", 0, 1, 0, ""},
        {{"001", "BGD", "BGD"}, -1, {kNoCounty, kDupe}, "1\t 10\t 1\t 1", 1, 1, 0, ""},
        // Removal revisits no flags: the re-work stays as it was scored;
        // removing it leaves the QSO without a county.
        {{"001", "BGD"}, 0, {}, "1\t 10\t 1\t 1", 0, 0, 0, ""},
        {{"001", "BGD"}, 1, {kNoCounty}, "0\t 0\t 0\t 0", 0, 1, 1, "001"},
    };
    for (const Case& c : cases) {
        plugin.Reset(DefaultRun());
        std::vector<host::QsoFields> qsos;
        for (const char* exchange : c.exchanges) {
            host::QsoFields q = Qso("YU1AAA", "YU", "EU", exchange);
            q.time = host::MakeDate(2026, 12, 5, 12, static_cast<int>(qsos.size()));
            EXPECT_EQ(plugin.Add(q), 1);
            qsos.push_back(q);
        }
        if (c.removed >= 0) {
            plugin.Remove(qsos[static_cast<size_t>(c.removed)]);
        }
        const std::string trace = std::string(c.exchanges.back()) + " after " +
                                  std::to_string(c.exchanges.size()) + ", removed " +
                                  std::to_string(c.removed);
        std::vector<std::string> reasons;
        for (const std::string& line : BadLines()) {
            const size_t end = line.rfind(" !!!");
            const size_t start = line.rfind("   ", end);
            reasons.push_back(end == std::string::npos || start == std::string::npos
                                  ? line
                                  : line.substr(start + 3, end - start - 3));
        }
        EXPECT_EQ(reasons, std::vector<std::string>(c.reasons.begin(), c.reasons.end())) << trace;

        host::CallCheck check;
        check.call = "YU1AAA";
        check.mode = "CW";
        check.dxcc = "YU";
        check.band = check.secondBand = "20m";
        const host::CallCheckAnswer answer = plugin.Check(check);
        EXPECT_EQ(answer.status, c.checkStatus) << trace;
        EXPECT_EQ(answer.bufferWritten, c.checkStatus != 0) << trace;  // a dupe leaves it
        EXPECT_EQ(answer.prevExchange, c.prevExchange) << trace;

        const std::string result = plugin.Result();
        EXPECT_NE(result.find(std::string("20m\t ") + c.row + "\r\n"), std::string::npos)
            << trace << result;
        EXPECT_NE(result.find("Dupe\t " + std::to_string(c.dupes) + "\r\n"), std::string::npos)
            << trace << result;
        EXPECT_NE(result.find("Bad QSO\t " + std::to_string(c.bad) + "\r\n"), std::string::npos)
            << trace << result;
    }
}

TEST_F(Acceptance, BandAndModeCaseIsIgnoredButTheBandIsStoredAsPassed) {
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    q.band = "20M";
    q.mode = "cw";
    EXPECT_EQ(plugin.Add(q), 1);
    q.band = "20m";
    q.mode = "CW";
    EXPECT_EQ(plugin.Add(q), 1);  // not a dupe of "20M"/"cw"
    const std::string result = plugin.Result();
    EXPECT_EQ(result.find("20M\t"), std::string::npos);
    EXPECT_NE(result.find("20m\t 1\t 1\t 1\t 0\r\n"), std::string::npos);
    EXPECT_NE(result.find("Total\t 2\t 2\t 1\t 0\r\n"), std::string::npos);
    EXPECT_NE(result.find("Dupe\t 0\r\n"), std::string::npos);
}

TEST_F(Acceptance, LineBreaksInsideFieldsNeverSplitALine) {
    host::QsoFields q = Qso("DL2\r\nBBB", "DL", "EU", "00\n2");
    q.band = "30m";
    EXPECT_EQ(plugin.Add(q), 0);
    const std::vector<std::string> lines = BadLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(
        lines[0],
        "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599  001  DL2  BBB  599  00 2   WRONG BAND !!!");
}

TEST_F(Acceptance, TimesThatCannotBeShown) {
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    q.band = "30m";
    q.time.m_status = 1;
    plugin.Add(q);
    q.time.m_status = 2;
    plugin.Add(q);
    q.time = host::MakeDate(2026, 12, 5, 12, 0);
    q.time.m_dt = 1e12;  // valid, but past year 9999
    plugin.Add(q);
    q.time = host::MakeDate(150, 3, 1, 6, 5);  // years always show four digits
    plugin.Add(q);
    const std::vector<std::string> lines = BadLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[3].find("  CW  0150-03-01 0605  DL1XYZ"), std::string::npos);
    EXPECT_NE(lines[0].find("  CW  Invalid DateTime  DL1XYZ"), std::string::npos);
    EXPECT_NE(lines[1].find("  CW    DL1XYZ"), std::string::npos);
    EXPECT_NE(lines[2].find("  CW  Invalid DateTime  DL1XYZ"), std::string::npos);
}

}  // namespace
