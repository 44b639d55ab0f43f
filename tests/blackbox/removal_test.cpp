// RemoveData0: the record leaves the log and exactly its lines leave the
// bad-QSO file.
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;
using testing_support::SplitCrLf;

constexpr const char* kBadFile = "BadQSO_DozudODODER_06_12_2026.txt";
constexpr const char* kHeader = "YUDX HF Contest CW/SSB UBN file ";

class Removal : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        plugin.Reset(DefaultRun());
    }
    std::vector<std::string> BadLines() { return SplitCrLf(ReadFile(kBadFile)); }
};

TEST_F(Removal, RemovesTheMatchingQsoAndItsLines) {
    const host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    plugin.Add(q);
    plugin.Add(q);
    EXPECT_EQ(BadLines().size(), 2u);
    EXPECT_EQ(plugin.Remove(q), 1);
    // The dupe stays stored and flagged; its line, of the same minute, goes.
    EXPECT_EQ(BadLines(), std::vector<std::string>{kHeader});
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Total\t 0\t 0\t 0\t 0\r\n"), std::string::npos) << result;
    EXPECT_NE(result.find("Dupe\t 1\r\n"), std::string::npos);
}

TEST_F(Removal, TimeMustMatchToTheSecond) {
    const host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    plugin.Add(q);
    plugin.Add(q);
    host::QsoFields off = q;
    off.time = host::MakeDate(2026, 12, 5, 12, 0, 1);
    EXPECT_EQ(plugin.Remove(off), 1);
    EXPECT_EQ(BadLines(), std::vector<std::string>{kHeader});  // same minute: line dropped
    EXPECT_NE(plugin.Result().find("Total\t 1\t 1\t 1\t 0\r\n"), std::string::npos);
}

TEST_F(Removal, KeepsTheLinesOfOtherStations) {
    // Same minute: a longer call containing the removed one, and a QSO that
    // differs only in mode.
    host::QsoFields longer = Qso("DL2BBBX", "DL", "EU", "002");
    longer.band = "30m";
    plugin.Add(longer);
    host::QsoFields otherMode = Qso("DL2BBB", "DL", "EU", "002");
    otherMode.mode = "RTTY";
    plugin.Add(otherMode);
    host::QsoFields removed = Qso("DL2BBB", "DL", "EU", "002");
    removed.band = "30m";
    plugin.Add(removed);
    ASSERT_EQ(BadLines().size(), 4u);
    const std::vector<std::string> before = BadLines();
    plugin.Remove(removed);
    EXPECT_EQ(BadLines(), (std::vector<std::string>{kHeader, before[1], before[2]}));
}

TEST_F(Removal, LinesWithBlanksInsideFieldsAreMatchedByTheirFields) {
    host::QsoFields odd = Qso("DL2BBB", "DL", "EU", "002  DL2BBB  x");
    odd.call = "OK1AAA";
    odd.band = "30m";
    plugin.Add(odd);
    host::QsoFields removed = Qso("DL2BBB", "DL", "EU", "002");
    removed.band = "30m";
    plugin.Add(removed);
    const std::vector<std::string> before = BadLines();
    plugin.Remove(removed);
    EXPECT_EQ(BadLines(), (std::vector<std::string>{kHeader, before[1]}));
}

TEST_F(Removal, RemovingTheOnlyQsoEmptiesTheBandList) {
    const host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    plugin.Add(q);
    plugin.Remove(q);
    EXPECT_EQ(plugin.Result().find("20m"), std::string::npos);
}

TEST_F(Removal, MissingFileIsRecreatedWithItsHeader) {
    std::remove(kBadFile);
    plugin.Remove(Qso("DL2BBB", "DL", "EU", "002"));
    EXPECT_EQ(BadLines(), std::vector<std::string>{kHeader});
}

TEST_F(Removal, ForeignLinesAreKeptUnlessTheyNameTheQso) {
    const std::string mine =
        "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599  001  DL2BBB  599  002   DUPE !!!";
    const std::string other =
        "QSO:  14025  CW  2026-12-05 1200  DL1XYZ  599  001  DL2BBBB  599  002   DUPE !!!";
    WriteFile(kBadFile, std::string(kHeader) + "\r\n" + mine + "\r\n" + other + "\r\nnote\r\n");
    plugin.Remove(Qso("DL2BBB", "DL", "EU", "002"));
    EXPECT_EQ(BadLines(), (std::vector<std::string>{kHeader, other, "note"}));
}

}  // namespace
