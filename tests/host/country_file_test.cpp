#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/readers/country_file.h"

namespace {

// The small country file shipped with the tests, in both of its forms: its
// entries do not change between releases of the installed file.
class CountryFile : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(countries.LoadFile(std::string(STATS_HOST_TEST_DATA "/") + GetParam(), error))
            << error;
    }

    std::string Dxcc(const std::string& call) {
        host::Country c;
        return countries.Resolve(call, c) ? c.prefix + " " + c.continent : "none";
    }

    host::CountryResolver countries;
};

TEST_P(CountryFile, LongestPrefixNamesTheEntity) {
    EXPECT_EQ(Dxcc("YU1ABC"), "YU EU");
    EXPECT_EQ(Dxcc("YT7AA"), "YU EU");
    EXPECT_EQ(Dxcc("DK9AB"), "DL EU");
    EXPECT_EQ(Dxcc("AA1K"), "K NA");
    EXPECT_EQ(Dxcc("UA3ABC"), "UA EU");
    EXPECT_EQ(Dxcc("UA9ABC"), "UA9 AS");
    EXPECT_EQ(Dxcc("UA2FAA"), "UA2 EU");
    EXPECT_EQ(Dxcc("yu1abc"), "YU EU");
    // No prefix starts with KZ, so the one-letter K is the longest.
    EXPECT_EQ(Dxcc("KZ1ABC"), "K NA");
    EXPECT_EQ(Dxcc("K"), "K NA");
}

TEST_P(CountryFile, PortableFormsNameWhereTheStationIs) {
    EXPECT_EQ(Dxcc("9A/YU1ABC"), "9A EU");
    EXPECT_EQ(Dxcc("YU1ABC/9A"), "9A EU");
    EXPECT_EQ(Dxcc("YU1ABC/P"), "YU EU");
    EXPECT_EQ(Dxcc("DL1ABC/QRP"), "DL EU");
    EXPECT_EQ(Dxcc("9A/YU1ABC/P"), "9A EU");
    EXPECT_EQ(Dxcc("UA1ABC/9"), "UA9 AS");
    EXPECT_EQ(Dxcc("DL1ABC/MM"), "none");
    EXPECT_EQ(Dxcc("YU1ABC/AM"), "none");
}

TEST_P(CountryFile, ExactCallsBeatPrefixesAndPortableRules) {
    // Listed whole with its /MM suffix, so not a maritime mobile.
    EXPECT_EQ(Dxcc("II0PN/MM"), "I EU");
    EXPECT_EQ(Dxcc("4U1VIC"), "OE EU");
    EXPECT_EQ(Dxcc("4O5Z"), "YU EU");
    // Listed whole under Rotuma; the /P rule would give Fiji.
    EXPECT_EQ(Dxcc("3D2AG/P"), "3D2/r OC");
    EXPECT_EQ(Dxcc("3D2AG"), "3D2 OC");
}

TEST_P(CountryFile, ContinentOverridesApplyAndZonesAreSkipped) {
    EXPECT_EQ(Dxcc("R8FFA"), "UA9 EU");
    EXPECT_EQ(Dxcc("R9FAA"), "UA9 EU");
    EXPECT_EQ(Dxcc("R9FAB"), "UA9 AS");
}

TEST_P(CountryFile, WaeEntitiesFoldIntoTheirDxccEntity) {
    EXPECT_EQ(Dxcc("IT9ABC"), "I EU");   // Sicily
    EXPECT_EQ(Dxcc("IG9ABC"), "I AF");   // African Italy keeps its continent
    EXPECT_EQ(Dxcc("2M0ZET"), "GM EU");  // Shetland, listed by exact calls only
    EXPECT_EQ(Dxcc("TA1ABC"), "TA EU");  // European Turkey
    EXPECT_EQ(Dxcc("TA2ABC"), "TA AS");
}

TEST_P(CountryFile, UnknownCallsResolveToNothing) {
    EXPECT_EQ(Dxcc(""), "none");
    EXPECT_EQ(Dxcc("/"), "none");
    EXPECT_EQ(Dxcc("Q1ABC"), "none");
}

// What every QSO of a log is resolved with: the prefix and continent alone,
// the same as the full answer.
TEST_P(CountryFile, PrefixAndContinentAloneMatchTheFullAnswer) {
    const std::vector<std::string> calls = {
        "YU1ABC", "yu1abc", "UA2FAA",    "R8FFA",    "R9FAA",    "IT9ABC",   "IG9ABC",
        "2M0ZET", "TA1ABC", "9A/YU1ABC", "UA1ABC/9", "II0PN/MM", "3D2AG/P",  "KZ1ABC",
        "K",      "4U1VIC", "",          "/",        "Q1ABC",    "DL1ABC/MM"};
    for (const std::string& call : calls) {
        std::string prefix = "unchanged";
        std::string continent = "unchanged";
        const bool found = countries.ResolvePrefix(call, prefix, continent);
        const std::string alone = found ? prefix + " " + continent : "none";
        EXPECT_EQ(alone, Dxcc(call)) << call;
        if (!found) {
            EXPECT_EQ(prefix + continent, "unchangedunchanged") << call;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothForms, CountryFile, ::testing::Values("cty.dat", "cty.csv"));

TEST(DamagedCountryFile, IsRefusedWithTheLine) {
    host::CountryResolver countries;
    std::string error;
    EXPECT_FALSE(countries.LoadText("Serbia: 15: 28: EU: 44.0: -21.0: -1.0: YU:\n    YU,YT\n",
                                    "open.dat", error));
    EXPECT_EQ(error, "open.dat:2: entity list not closed with ';'");
    EXPECT_FALSE(countries.LoadText("YU,Serbia,296\n", "short.csv", error));
    EXPECT_EQ(error, "short.csv:1: neither a cty.dat nor a cty.csv line");
    EXPECT_FALSE(countries.LoadFile("/nonexistent/cty.dat", error));
}

}  // namespace
