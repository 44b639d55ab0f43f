// Hostile values from the host: line breaks inside fields, times that cannot
// be shown, the largest frequency, and a log whose score passes the 32-bit
// range. Each QSO stays one line of its file and no figure wraps around.
#include <limits>

#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;
using testing_support::SplitCrLf;

constexpr const char* kBadFile = "BadQSO_DozudODODER_06_12_2026.txt";

class HostileInput : public PluginTest {};

TEST_F(HostileInput, CabrilloQsoLinesStayWholeWhateverTheFields) {
    host::ContestRun run = DefaultRun();
    run.reportRun = 1;
    plugin.Reset(run);
    host::QsoFields q = Qso("W1\r\nAW", "K", "NA", "0\n01");
    q.rstSent = "5\r9";
    q.frequencyHz = std::numeric_limits<unsigned>::max();
    q.time.m_dt = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(plugin.Add(q), 1);
    q.call = "K2ABC";
    q.time = host::MakeDate(2026, 12, 5, 12, 0);
    q.time.m_dt = -700000.0;  // valid, but before the year 100
    EXPECT_EQ(plugin.Add(q), 1);
    q.call = "K3ABC";
    q.time.m_status = 2;
    EXPECT_EQ(plugin.Add(q), 1);
    plugin.Result();
    const std::string bytes = ReadFile("DL1XYZ.cbr");
    const std::vector<std::string> lines = SplitCrLf(bytes);
    ASSERT_EQ(lines.size(), 23u + 3u + 1u) << bytes;
    EXPECT_EQ(lines[23],
              "QSO: 4294967 CW Invalid DateTime DL1XYZ        5 9 001    W1  AW        599 0 01");
    EXPECT_EQ(lines[24],
              "QSO: 4294967 CW Invalid DateTime DL1XYZ        5 9 001    K2ABC         599 0 01");
    EXPECT_EQ(lines[25], "QSO: 4294967 CW  DL1XYZ        5 9 001    K3ABC         599 0 01");
    EXPECT_EQ(lines[26], "END-OF-LOG:");
}

TEST_F(HostileInput, RemovalDropsTheLinesOfAQsoWithALineBreakInItsCall) {
    plugin.Reset(DefaultRun());
    const host::QsoFields q = Qso("DL2\r\nBBB", "DL", "EU", "002");
    host::QsoFields other = Qso("DL2BBB", "DL", "EU", "002");
    EXPECT_EQ(plugin.Add(q), 1);
    EXPECT_EQ(plugin.Add(q), 1);  // a dupe: one line showing "DL2  BBB"
    EXPECT_EQ(plugin.Add(other), 1);
    EXPECT_EQ(plugin.Add(other), 1);  // a dupe of another station
    EXPECT_EQ(SplitCrLf(ReadFile(kBadFile)).size(), 3u);
    EXPECT_EQ(plugin.Remove(q), 1);
    const std::vector<std::string> lines = SplitCrLf(ReadFile(kBadFile));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find("  DL2BBB  599  002   DUPE !!!"), std::string::npos) << lines[1];
}

TEST_F(HostileInput, ScoreSaturatesInsteadOfWrapping) {
    // 25,000 QSOs of 4 points, each a new DXCC: 100,000 x 25,000 points.
    plugin.Reset(DefaultRun());
    for (int i = 0; i < 25000; ++i) {
        const std::string n = std::to_string(i);
        ASSERT_EQ(plugin.Add(Qso("W" + n, "X" + n, "NA", "001")), 1);
    }
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Total\t 25000\t 100000\t 25000\t 0\r\n"), std::string::npos);
    EXPECT_NE(result.find("Score: 100000*(25000+0) = 2147483647\r\n"), std::string::npos) << result;
    EXPECT_NE(ReadFile("Plugins/DI-VE-RI.ini").find("Claimed=2147483647\r\n"), std::string::npos);
}

}  // namespace
