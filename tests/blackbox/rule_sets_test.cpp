// The rule set chosen by the settings key "Rules" at the contest-run start:
// a YU/YT entrant's multipliers, serial numbers that are no number, and a
// single-band entry's claimed score, each beside the classic rules.
#include "platform/profile.h"
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;
using testing_support::SplitCrLf;

class RuleSets : public PluginTest {
  protected:
    static void SetRules(const std::string& value) {
        plat::WriteProfileString("Plugins\\DI-VE-RI.ini", "Settings", "Rules", value);
    }
    std::string Claimed() const {
        return plat::ReadProfileString("Plugins\\DI-VE-RI.ini", "Settings", "Claimed", "<none>");
    }
    static host::QsoFields On(const std::string& band, host::QsoFields q) {
        q.band = band;
        return q;
    }
    // Each line of the bad-QSO file after the header, from the received
    // exchange on.
    std::vector<std::string> Reasons() const {
        std::vector<std::string> out;
        const std::vector<std::string> lines =
            SplitCrLf(ReadFile("BadQSO_DozudODODER_06_12_2026.txt"));
        for (size_t i = 1; i < lines.size(); ++i) {
            // After the sent "001" and the received "599": the exchange
            // received and the reason.
            const size_t rst = lines[i].find("  599  ", lines[i].find("  001  ") + 1);
            out.push_back(rst == std::string::npos ? lines[i] : lines[i].substr(rst + 7));
        }
        return out;
    }
};

// A YU entrant's log: 20m YT2AAA (BGD), YU1BBB (NIS), DL2CCC, W1DDD; 40m
// DL2CCC, YU1BBB (BGD). Points 1+1+2+4 and 2+1; multipliers YU, DL, K and
// two counties on 20m, DL, YU and one county on 40m.
TEST_F(RuleSets, YuEntrantScoresDxccOnlyUnder2020) {
    struct Case {
        const char* rules;
        bool setBeforeStart;
        const char* rows;
        const char* score;
    };
    const Case cases[] = {
        {"", true, "40m\t 2\t 3\t 2\t 1\r\n20m\t 4\t 8\t 3\t 2\r\nTotal\t 6\t 11\t 5\t 3\r\n",
         "Score: 11*(5+3) = 88\r\n"},
        {"classic", true,
         "40m\t 2\t 3\t 2\t 1\r\n20m\t 4\t 8\t 3\t 2\r\nTotal\t 6\t 11\t 5\t 3\r\n",
         "Score: 11*(5+3) = 88\r\n"},
        {"2020", true, "40m\t 2\t 3\t 2\t 0\r\n20m\t 4\t 8\t 3\t 0\r\nTotal\t 6\t 11\t 5\t 0\r\n",
         "Score: 11*(5+0) = 55\r\n"},
        // Read at the start only: a key written during the run waits.
        {"2020", false, "40m\t 2\t 3\t 2\t 1\r\n20m\t 4\t 8\t 3\t 2\r\nTotal\t 6\t 11\t 5\t 3\r\n",
         "Score: 11*(5+3) = 88\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rules) + (c.setBeforeStart ? " before" : " after") + " start");
        SetRules(c.rules);
        host::ContestRun run = DefaultRun();
        run.ownCall = "YU1ZZZ";
        run.ownDxcc = "YU";
        if (!c.setBeforeStart) {
            SetRules("");
            plugin.Reset(run);
            SetRules(c.rules);
        } else {
            plugin.Reset(run);
        }
        plugin.Add(Qso("YT2AAA", "YU", "EU", "BGD"));
        plugin.Add(Qso("YU1BBB", "YU", "EU", "NIS"));
        plugin.Add(Qso("DL2CCC", "DL", "EU", "001"));
        plugin.Add(Qso("W1DDD", "K", "NA", "002"));
        plugin.Add(On("40m", Qso("DL2CCC", "DL", "EU", "003")));
        plugin.Add(On("40m", Qso("YU1BBB", "YU", "EU", "BGD")));
        // The call check never names a county as new: a YU station on a
        // band that has one is no new multiplier, a first one on a band is.
        EXPECT_EQ(plugin.Check({"YU1EEE", "CW", "YU", "20m", "20m", false}).status, 1);
        EXPECT_EQ(plugin.Check({"YU1EEE", "CW", "YU", "80m", "80m", false}).status, 1);
        EXPECT_EQ(plugin.Check({"YU1EEE", "CW", "YU", "40m", "40m", false}).status, 1);
        const std::string result = plugin.Result();
        EXPECT_NE(result.find(c.rows), std::string::npos) << result;
        EXPECT_NE(result.find(c.score), std::string::npos) << result;
    }
}

TEST_F(RuleSets, NonYuEntrantKeepsCountiesUnder2020) {
    SetRules("2020");
    plugin.Reset(DefaultRun());
    plugin.Add(Qso("YU1AAA", "YU", "EU", "BGD"));
    plugin.Add(Qso("W1CCC", "K", "NA", "003"));
    EXPECT_NE(plugin.Result().find("Score: 14*(2+1) = 42\r\n"), std::string::npos);
}

// A DL entrant's 20m CW log with received exchanges that are no number,
// the re-work after one, and the QSOs judged as before.
TEST_F(RuleSets, ExchangeThatIsNoNumberMakesABadQso) {
    struct Step {
        const char* call;
        const char* dxcc;
        const char* continent;
        const char* exchange;
        int stored;
        std::vector<std::string> reasons2020;  // the lines this QSO adds
    };
    const std::vector<Step> steps = {
        {"W1AAA", "K", "NA", "EU", 1, {"EU   RX NOT A NUMBER !!!"}},
        {"W1AAA", "K", "NA", "015", 1, {}},  // the re-work is no dupe
        {"W1AAA", "K", "NA", "016", 1, {"016   DUPE !!!"}},
        {"W1AAA",
         "K",
         "NA",
         "SAM",
         1,
         {"SAM   RX NOT A NUMBER !!!", "SAM   DUPE !!!", "SAM   DUPE !!!"}},
        {"OK1BBB", "OK", "EU", " 08 ", 1, {}},
        {"JA1CCC", "JA", "AS", "1", 1, {}},
        {"G3DDD", "", "", "NA", 1, {"NA   RX NOT A NUMBER !!!"}},  // unknown DXCC
        {"F5EEE", "F", "EU", "12A", 1, {"12A   RX NOT A NUMBER !!!"}},
        {"YU1FFF", "YU", "EU", "123", 1, {"123   NO SERBIA COUNTY !!!"}},
        {"ON4GGG", "ON", "EU", "", 0, {"   NO RX NUMBER !!!"}},
    };
    SetRules("2020");
    plugin.Reset(DefaultRun());
    std::vector<std::string> expected;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        SCOPED_TRACE(std::string(s.call) + " [" + s.exchange + "]");
        host::QsoFields q = Qso(s.call, s.dxcc, s.continent, s.exchange);
        q.time = host::MakeDate(2026, 12, 5, 12, static_cast<int>(i));
        EXPECT_EQ(plugin.Add(q), s.stored);
        expected.insert(expected.end(), s.reasons2020.begin(), s.reasons2020.end());
        EXPECT_EQ(Reasons(), expected);
    }
    // Counted: W1AAA 015 (4), OK1BBB (2), JA1CCC (4); dupes 016 and SAM;
    // bad: four that are no number, no county, no exchange.
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Total\t 3\t 10\t 3\t 0\r\nDupe\t 2\r\nBad QSO\t 6\r\n"
                          "Score: 10*(3+0) = 30\r\n"),
              std::string::npos)
        << result;
    // The call check: a station whose only QSO was no number may be worked
    // again (its DXCC is on the band all the same); W1AAA has a good one.
    EXPECT_EQ(plugin.Check({"F5EEE", "CW", "F", "20m", "20m", false}).status, 1);
    EXPECT_EQ(plugin.Check({"W1AAA", "CW", "K", "20m", "20m", false}).status, 0);

    // The same log by the classic rules: every exchange of a station
    // outside YU/YT counts.
    SetRules("classic");
    plugin.Reset(DefaultRun());
    for (size_t i = 0; i < steps.size(); ++i) {
        host::QsoFields q =
            Qso(steps[i].call, steps[i].dxcc, steps[i].continent, steps[i].exchange);
        q.time = host::MakeDate(2026, 12, 5, 12, static_cast<int>(i));
        plugin.Add(q);
    }
    // W1AAA EU (4), OK1BBB (2), JA1CCC (4), G3DDD (4, its empty DXCC a
    // multiplier), F5EEE (2); three dupes of W1AAA.
    EXPECT_NE(plugin.Result().find("Total\t 5\t 16\t 5\t 0\r\nDupe\t 3\r\nBad QSO\t 2\r\n"),
              std::string::npos);
}

// DL1XYZ's report run: 20m YU1AAA (10), DL2BBB (1), W1CCC (4); 40m YU1AAA
// (10), OK1DDD (2), W1EEE first with "EU" (no number under 2020, a QSO
// under classic), then with 015 (4 under 2020, a dupe under classic). 40m
// alone: 16 points × (YU, OK, K, BGD) = 64; all bands 31 × (6 + 2) = 248.
TEST_F(RuleSets, SingleBandReportRunClaimsItsBand) {
    struct Case {
        const char* rules;
        const char* formBand;
        int reportRun;
        const char* claimed;
    };
    const Case cases[] = {
        {"2020", "40M", 1, "64"},  {"2020", "40m", 1, "64"}, {"2020", "ALL", 1, "248"},
        {"2020", "80M", 1, "0"},   {"", "40M", 1, "248"},    {"classic", "40M", 1, "248"},
        {"2020", "40M", 0, "248"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rules) + " " + c.formBand +
                     " report=" + std::to_string(c.reportRun));
        SetRules(c.rules);
        const std::string band = c.formBand;
        plat::SetModalFormHandler([band](const std::string&, std::vector<plat::FormField>& fields) {
            for (plat::FormField& f : fields) {
                if (f.label == "CATEGORY-BAND") {
                    f.value = band;
                }
            }
            return true;
        });
        host::ContestRun run = DefaultRun();
        run.reportRun = c.reportRun;
        plugin.Reset(run);
        plugin.Add(Qso("YU1AAA", "YU", "EU", "BGD"));
        plugin.Add(Qso("DL2BBB", "DL", "EU", "002"));
        plugin.Add(Qso("W1CCC", "K", "NA", "003"));
        plugin.Add(On("40m", Qso("YU1AAA", "YU", "EU", "BGD")));
        plugin.Add(On("40m", Qso("OK1DDD", "OK", "EU", "004")));
        plugin.Add(On("40m", Qso("W1EEE", "K", "NA", "EU")));
        plugin.Add(On("40m", Qso("W1EEE", "K", "NA", "015")));
        // The summary shows every band.
        EXPECT_NE(plugin.Result().find("Score: 31*(6+2) = 248\r\n"), std::string::npos);
        EXPECT_EQ(Claimed(), c.claimed);
        if (c.reportRun != 0) {
            const std::vector<std::string> lines = SplitCrLf(ReadFile("DL1XYZ.cbr"));
            ASSERT_GT(lines.size(), 10u);
            EXPECT_EQ(lines[5], "CATEGORY-BAND: " + band);
            EXPECT_EQ(lines[10], std::string("CLAIMED-SCORE: ") + c.claimed);
            EXPECT_EQ(lines.size(), 23u + 7u + 1u);  // every QSO is written
        }
    }
}

}  // namespace
