#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;

class DlEntrantScoring : public PluginTest {};

TEST_F(DlEntrantScoring, ScoresTheExampleLog) {
    ASSERT_EQ(plugin.Reset(DefaultRun()), 1);
    EXPECT_EQ(plugin.Add(Qso("YU1AAA", "YU", "EU", "BGD")), 1);
    EXPECT_EQ(plugin.Add(Qso("DL2BBB", "DL", "EU", "002")), 1);
    EXPECT_EQ(plugin.Add(Qso("W1CCC", "K", "NA", "003")), 1);
    host::QsoFields on40 = Qso("YU1AAA", "YU", "EU", "BGD");
    on40.band = "40m";
    on40.frequencyHz = 7025000;
    EXPECT_EQ(plugin.Add(on40), 1);
    int value = 0;
    const std::string result = plugin.Result(&value);
    EXPECT_EQ(value, -1);
    EXPECT_NE(result.find("Score: 25*(4+2) = 150\r\n"), std::string::npos) << result;
}

}  // namespace
