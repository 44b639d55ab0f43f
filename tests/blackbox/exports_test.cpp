// The constant exports, the exchange judge and the message box of the setup
// entry, as the host sees them.
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;

class Exports : public PluginTest {};

TEST_F(Exports, ConstantAnswers) {
    EXPECT_EQ(plugin.GetNumberOfSets(), 1);
    EXPECT_STREQ(plugin.GetSetName(0), "VE-VU-RO Vividad");
    for (int index : {1, -1, 7}) {
        const char* name = plugin.GetSetName(index);
        ASSERT_NE(name, nullptr);
        EXPECT_STREQ(name, "");
    }
    EXPECT_EQ(plugin.getExchgCount0_(nullptr, "x", nullptr), 1);
}

TEST_F(Exports, SetupShowsOneBoxWithTheSystemTitle) {
    plugin.SetupSet();
    const auto boxes = plat::ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No additional setup for this contest");
    EXPECT_FALSE(boxes[0].hasCaption);
}

TEST_F(Exports, SetVersionSwitchesTheSummaryToHtmlWhateverItsText) {
    EXPECT_EQ(plugin.Result().rfind("    DI-VE-RI", 0), 0u);
    EXPECT_EQ(plugin.SetVersion(nullptr), 0ul);
    EXPECT_EQ(plugin.Result().rfind("<html>", 0), 0u);
    Reload();
    EXPECT_EQ(plugin.SetVersion(""), 0ul);
    EXPECT_EQ(plugin.Result().rfind("<html>", 0), 0u);
}

TEST_F(Exports, JudgesExchanges) {
    struct Case {
        const char* exchange;
        int valid;
    };
    const Case cases[] = {{"599", 0},   {"001", 1}, {"1234", 1}, {"12", 0},
                          {"12345", 0}, {"BGD", 1}, {"bgd", 0},  {"12A", 0},
                          {"", 0},      {"ZLA", 1}, {"5990", 1}, {" 001", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(plugin.IsValidExchange(c.exchange), c.valid) << c.exchange;
    }
    EXPECT_EQ(plugin.IsValidExchange(nullptr), 0);
}

TEST_F(Exports, QsosBeforeAnyContestRunAreStoredWithoutAFile) {
    EXPECT_EQ(plugin.Add(Qso("DL2BBB", "DL", "EU", "002")), 1);
    EXPECT_EQ(plugin.Add(Qso("DL2BBB", "DL", "EU", "003")), 1);  // a dupe, reported nowhere
    // No own country or continent is known yet: 4 points.
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Total\t 1\t 4\t 1\t 0\r\n"), std::string::npos) << result;
    EXPECT_NE(result.find("Dupe\t 1\r\n"), std::string::npos);
    EXPECT_NE(result.find("Bad QSO\t 0\r\n"), std::string::npos);
}

}  // namespace
