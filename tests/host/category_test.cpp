// The entry rules a log is ranked by: its category letter from the header, the
// fields assumed, the section, and the CONTEST: line that names another
// contest. These are shared by check-logs and the log robot.
#include <gtest/gtest.h>

#include "host/one_log/category.h"
#include "host/one_log/other_contest.h"

namespace {

using Header = std::vector<std::pair<std::string, std::string>>;

// The four CATEGORY-* fields that decide the letter.
Header Fields(const char* op, const char* band, const char* mode, const char* power) {
    return {{"CATEGORY-OPERATOR", op},
            {"CATEGORY-BAND", band},
            {"CATEGORY-MODE", mode},
            {"CATEGORY-POWER", power}};
}

struct CategoryCase {
    Header header;
    char letter;
    bool checklog;
    const char* unknown;
    const char* assumed;  // the warning, "" when no field was assumed
    const char* mismatch;
};

TEST(EntryCategory, FollowsTheHeader) {
    const CategoryCase cases[] = {
        // The CATEGORY: line as real logs carry it.
        {{{"CATEGORY", "C. (SO-AB-CW-HP <= 1500 W) (Out of Serbia)"}}, 'C', false, "", "", ""},
        {{{"CATEGORY", "M"}, {"CATEGORY-OPERATOR", "SINGLE-OP"}}, 'M', false, "", "", ""},
        {{{"CATEGORY", "J-20m"}}, 'J', false, "", "", ""},
        // Not a letter A to M on its own: the fields decide.
        {{{"CATEGORY", "SINGLE-OP ALL LOW"},
          {"CATEGORY-OPERATOR", "SINGLE-OP"},
          {"CATEGORY-BAND", "ALL"},
          {"CATEGORY-MODE", "CW"},
          {"CATEGORY-POWER", "HIGH"}},
         'C',
         false,
         "",
         "",
         ""},
        {{{"CATEGORY", "N"},
          {"CATEGORY-OPERATOR", "MULTI-OP"},
          {"CATEGORY-BAND", "ALL"},
          {"CATEGORY-MODE", "MIXED"},
          {"CATEGORY-POWER", "HIGH"}},
         'M',
         false,
         "",
         "",
         ""},
        // CHECKLOG comes before everything else.
        {{{"CATEGORY", "C"}, {"CATEGORY-OPERATOR", "checklog"}}, 0, true, "", "", ""},
        {{{"CATEGORY-OPERATOR", "CHECKLOG"}, {"CATEGORY-BAND", "160M"}}, 0, true, "", "", ""},
        // All-band single-op by mode and power; QRP is low power except on CW.
        {Fields("SINGLE-OP", "ALL", "CW", "QRP"), 'A', false, "", "", ""},
        {Fields("SINGLE-OP", "ALL", "cw", "LOW"), 'B', false, "", "", ""},
        {Fields("SINGLE-OP", "ALL", "SSB", "QRP"), 'D', false, "", "", ""},
        {Fields("SINGLE-OP", "ALL", "SSB", "HIGH"), 'E', false, "", "", ""},
        {Fields("SINGLE-OP", "ALL", "MIXED", "QRP"), 'F', false, "", "", ""},
        {{{"CATEGORY-OPERATOR", "SINGLE-OP"},
          {"CATEGORY-BAND", "ALL"},
          {"CATEGORY-MODE", "MIXED"},
          {"CATEGORY-POWER", "HIGH"},
          {"CATEGORY-ASSISTED", "ASSISTED"}},
         'G',
         false,
         "",
         "",
         ""},
        // A single band whatever the mode and power; multi-op whatever the band.
        {Fields("SINGLE-OP", "80M", "CW", "QRP"), 'H', false, "", "", ""},
        {Fields("SINGLE-OP", "10m", "SSB", "HIGH"), 'L', false, "", "", ""},
        {Fields("MULTI-OP", "40M", "CW", "LOW"), 'M', false, "", "", ""},
        // Absent fields: SINGLE-OP, ALL, MIXED, LOW, each named.
        {{},
         'F',
         false,
         "",
         "category fields absent, taken as CATEGORY-OPERATOR: SINGLE-OP, CATEGORY-BAND: ALL, "
         "CATEGORY-MODE: MIXED, CATEGORY-POWER: LOW",
         ""},
        {{{"CATEGORY-MODE", "CW"}, {"CATEGORY-POWER", ""}, {"CATEGORY-BAND", "15M"}},
         'K',
         false,
         "",
         "category fields absent, taken as CATEGORY-OPERATOR: SINGLE-OP, "
         "CATEGORY-POWER: LOW",
         ""},
        // A value the contest does not have.
        {{{"CATEGORY-BAND", "160M"}}, 0, false, "CATEGORY-BAND: 160M", "", ""},
        {{{"CATEGORY-OPERATOR", "MULTI-OP"}, {"CATEGORY-MODE", "RTTY"}},
         0,
         false,
         "CATEGORY-MODE: RTTY",
         "",
         ""},
        {{{"CATEGORY-OPERATOR", "SWL"}}, 0, false, "CATEGORY-OPERATOR: SWL", "", ""},
        // A single-band letter that CATEGORY-BAND contradicts keeps the letter.
        {{{"CATEGORY", "H"}, {"CATEGORY-BAND", "40M"}},
         'H',
         false,
         "",
         "",
         "CATEGORY: H (SO 80m) but CATEGORY-BAND: 40M"},
        {{{"CATEGORY", "I"}, {"CATEGORY-BAND", "40m"}}, 'I', false, "", "", ""},
        {{{"CATEGORY", "C"}, {"CATEGORY-BAND", "40M"}}, 'C', false, "", "", ""},
    };
    for (const CategoryCase& c : cases) {
        std::string shown;
        for (const auto& f : c.header) {
            shown += f.first + ": " + f.second + "; ";
        }
        const host::EntryCategory got = host::CategoryOfLog(c.header, true);
        EXPECT_EQ(got.letter, c.letter) << shown;
        EXPECT_EQ(got.checklog, c.checklog) << shown;
        EXPECT_EQ(got.unknown, c.unknown) << shown;
        EXPECT_EQ(host::AssumedFieldsWarning(got), c.assumed) << shown;
        EXPECT_EQ(got.bandMismatch, c.mismatch) << shown;
        EXPECT_EQ(host::IsRanked(got), c.letter != 0) << shown;
        EXPECT_TRUE(got.yu);
    }
}

TEST(EntryCategory, ALineGivenTwiceTakesTheFirstValueAndSaysSo) {
    const struct {
        Header header;
        char letter;
        std::vector<std::string> repeated;
    } cases[] = {
        {{{"CATEGORY-BAND", "40M"}, {"CATEGORY-BAND", "20M"}},
         'I',
         {"CATEGORY-BAND given twice, '40M' and '20M'; taking '40M'"}},
        {{{"CATEGORY-BAND", "40m"}, {"CATEGORY-BAND", "40M"}, {"CATEGORY-MODE", ""}}, 'I', {}},
        {{{"CATEGORY-OPERATOR", "SINGLE-OP"}, {"CATEGORY-OPERATOR", "CHECKLOG"}},
         'F',
         {"CATEGORY-OPERATOR given twice, 'SINGLE-OP' and 'CHECKLOG'; taking 'SINGLE-OP'"}},
        {{{"CATEGORY", "C"}, {"CATEGORY", ""}, {"CATEGORY", "D"}, {"CATEGORY", "E"}},
         'C',
         {"CATEGORY given 3 times, 'C', 'D' and 'E'; taking 'C'"}},
    };
    for (const auto& c : cases) {
        const host::EntryCategory got = host::CategoryOfLog(c.header, false);
        EXPECT_EQ(got.letter, c.letter);
        EXPECT_EQ(got.repeated, c.repeated);
    }
}

TEST(EntryCategory, SaysWhyALogIsNotRanked) {
    EXPECT_EQ(host::WhyNotRankedByCategory(host::CategoryOfLog({{"CATEGORY-MODE", "FM"}}, false)),
              "unknown category (CATEGORY-MODE: FM)");
    const host::EntryCategory check =
        host::CategoryOfLog({{"CATEGORY-OPERATOR", "CHECKLOG"}}, false);
    EXPECT_EQ(host::WhyNotRankedByCategory(check), "checklog");
    EXPECT_STREQ(host::SectionName(check.yu), "non-yu");
    EXPECT_EQ(host::WhyNotRankedByCategory(host::CategoryOfLog({}, false)), "");
}

TEST(OtherContest, OursIsDiveriOrYuDx) {
    const std::pair<const char*, bool> cases[] = {
        {"DI-VE-RI", false}, {"diveri", false}, {"YU-DX", false}, {"YU DX CONTEST", false},
        {"YUDXC", false},    {"", false},       {"  -- ", false}, {"DIVERI-2026", true},
        {"CQ-WPX-CW", true}, {"EU-DX", true},   {"YU", true},     {"SERBIA-DX", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host::NamesOtherContest(c.first), c.second) << "'" << c.first << "'";
    }
    EXPECT_EQ(host::OtherContestOf({{"NAME", "X"}, {"CONTEST", "CQ-WW-CW"}}), "CQ-WW-CW");
    EXPECT_EQ(host::OtherContestOf({{"CONTEST", "YU-DX-CONTEST"}}), "");
    EXPECT_EQ(host::OtherContestOf({}), "");
}

}  // namespace
