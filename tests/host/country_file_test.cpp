#include <gtest/gtest.h>

#include <fstream>

#include "host/country_file.h"

namespace {

const char* const kInstalledDir = "/usr/share/hamradio-files/";

class InstalledCountryFile : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        const std::string path = std::string(kInstalledDir) + GetParam();
        if (!std::ifstream(path)) {
            GTEST_SKIP() << path << " not installed (package hamradio-files)";
        }
        std::string error;
        ASSERT_TRUE(countries.LoadFile(path, error)) << error;
    }

    std::string Dxcc(const std::string& call) {
        host::Country c;
        return countries.Resolve(call, c) ? c.prefix + " " + c.continent : "none";
    }

    host::CountryResolver countries;
};

TEST_P(InstalledCountryFile, PrimaryPrefixesOfTheEntities) {
    EXPECT_EQ(Dxcc("YU1ABC"), "YU EU");
    EXPECT_EQ(Dxcc("YT7AA"), "YU EU");
    EXPECT_EQ(Dxcc("DL1XYZ"), "DL EU");
    EXPECT_EQ(Dxcc("DK9AB"), "DL EU");
    EXPECT_EQ(Dxcc("W1AW"), "K NA");
    EXPECT_EQ(Dxcc("AA1K"), "K NA");
    EXPECT_EQ(Dxcc("UA3ABC"), "UA EU");
    EXPECT_EQ(Dxcc("UA9ABC"), "UA9 AS");
    EXPECT_EQ(Dxcc("UA2FAA"), "UA2 EU");
    EXPECT_EQ(Dxcc("9A1AA"), "9A EU");
    EXPECT_EQ(Dxcc("yu1abc"), "YU EU");
}

TEST_P(InstalledCountryFile, PortableFormsNameWhereTheStationIs) {
    EXPECT_EQ(Dxcc("9A/YU1ABC"), "9A EU");
    EXPECT_EQ(Dxcc("YU1ABC/9A"), "9A EU");
    EXPECT_EQ(Dxcc("YU1ABC/P"), "YU EU");
    EXPECT_EQ(Dxcc("YU1ABC/M"), "YU EU");
    EXPECT_EQ(Dxcc("DL1ABC/QRP"), "DL EU");
    EXPECT_EQ(Dxcc("9A/YU1ABC/P"), "9A EU");
    EXPECT_EQ(Dxcc("UA1ABC/9"), "UA9 AS");
    EXPECT_EQ(Dxcc("DL1ABC/MM"), "none");
    EXPECT_EQ(Dxcc("YU1ABC/AM"), "none");
}

TEST_P(InstalledCountryFile, ExactCallsBeatPrefixesAndPortableRules) {
    // Listed under Italy with its /MM suffix, so not a maritime mobile.
    EXPECT_EQ(Dxcc("II0PN/MM"), "I EU");
    // The Vienna International Centre counts as Austria.
    EXPECT_EQ(Dxcc("4U1VIC"), "OE EU");
    // Listed whole under Rotuma; the /P rule would give Fiji.
    EXPECT_EQ(Dxcc("3D2AG/P").substr(0, 5), "3D2/r");
}

TEST_P(InstalledCountryFile, WaeEntitiesFoldIntoTheirDxccEntity) {
    EXPECT_EQ(Dxcc("IT9ABC"), "I EU");   // Sicily
    EXPECT_EQ(Dxcc("IG9ABC"), "I AF");   // African Italy keeps its continent
    EXPECT_EQ(Dxcc("2M0ZET"), "GM EU");  // Shetland
    EXPECT_EQ(Dxcc("TA1ABC"), "TA EU");  // European Turkey
    EXPECT_EQ(Dxcc("TA2ABC"), "TA AS");
}

TEST_P(InstalledCountryFile, UnknownCallsResolveToNothing) {
    EXPECT_EQ(Dxcc(""), "none");
    EXPECT_EQ(Dxcc("/"), "none");
    EXPECT_EQ(Dxcc("Q1ABC"), "none");
}

INSTANTIATE_TEST_SUITE_P(BothForms, InstalledCountryFile, ::testing::Values("cty.dat", "cty.csv"));

// The installed files carry no continent override; these lines follow their
// format with the overrides other editions use.
TEST(CountryFileOverrides, ContinentOverridesApplyAndZonesAreSkipped) {
    const std::string text =
        "Asiatic Russia:           17:  30:  AS:   55.88:   -84.08:    -7.0:  UA9:\n"
        "    R9,UA9,R8FF{EU},=R9FAA(16)[29]{EU},UA0(19)[33];\n"
        "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
        "    R,U,=R1ANZ<12.3/4.5>~-3.0~;\n";
    host::CountryResolver countries;
    std::string error;
    ASSERT_TRUE(countries.LoadText(text, "mini.dat", error)) << error;
    host::Country c;
    ASSERT_TRUE(countries.Resolve("R8FFA", c));
    EXPECT_EQ(c.prefix + " " + c.continent, "UA9 EU");
    ASSERT_TRUE(countries.Resolve("R9FAA", c));
    EXPECT_EQ(c.prefix + " " + c.continent, "UA9 EU");
    ASSERT_TRUE(countries.Resolve("UA0ABC", c));
    EXPECT_EQ(c.prefix + " " + c.continent, "UA9 AS");
    ASSERT_TRUE(countries.Resolve("R1ANZ", c));
    EXPECT_EQ(c.prefix + " " + c.continent, "UA EU");
    ASSERT_TRUE(countries.Resolve("R9ABC", c));
    EXPECT_EQ(c.prefix, "UA9");
}

TEST(CountryFileOverrides, DamagedFilesAreRefusedWithTheLine) {
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
