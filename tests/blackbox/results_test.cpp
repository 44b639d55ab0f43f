// GetResult0: per-band rows, totals, rates and the claimed score, in the
// text form and in the HTML page.
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;

class Results : public PluginTest {
  protected:
    // The example log: 20m YU1AAA, DL2BBB, W1CCC, then 40m YU1AAA.
    void AddExampleLog() {
        plugin.Add(Qso("YU1AAA", "YU", "EU", "BGD"));
        plugin.Add(Qso("DL2BBB", "DL", "EU", "002"));
        plugin.Add(Qso("W1CCC", "K", "NA", "003"));
        host::QsoFields q = Qso("YU1AAA", "YU", "EU", "BGD");
        q.band = "40m";
        plugin.Add(q);
    }
    host::QsoFields At(const std::string& call, const std::string& band, int h, int m, int s) {
        host::QsoFields q = Qso(call, "DL", "EU", "001");
        q.band = band;
        q.time = host::MakeDate(2026, 12, 5, h, m, s);
        return q;
    }
    std::string Claimed() {
        const std::string ini = ReadFile("Plugins/DI-VE-RI.ini");
        const size_t at = ini.find("Claimed=");
        return at == std::string::npos ? "<none>" : ini.substr(at + 8, ini.find('\r', at) - at - 8);
    }
};

TEST_F(Results, EmptyLogReportsZeros) {
    plugin.Reset(DefaultRun());
    EXPECT_EQ(plugin.Result(),
              "    DI-VE-RI  05.12-06.12.2026\r\n\tContestant: DL1XYZ \r\n"
              "\tQSOs\tPoints\tDXCC\tYU-County\r\n"
              "Total\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\nScore: 0*(0+0) = 0\r\n"
              "Last QSO points:     0\r\nRate\r\n"
              "Hourly (10min/1 hour) QSO rate:     0 /0\r\n"
              "Hourly (10min/1 hour) pts rate:     0 /0\r\n");
    EXPECT_EQ(Claimed(), "0");
}

TEST_F(Results, ScoresANonYuEntrant) {
    plugin.Reset(DefaultRun());
    AddExampleLog();
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("\tQSOs\tPoints\tDXCC\tYU-County\r\n"
                          "40m\t 1\t 10\t 1\t 1\r\n20m\t 3\t 15\t 3\t 1\r\n"
                          "Total\t 4\t 25\t 4\t 2\r\n"),
              std::string::npos)
        << result;
    EXPECT_NE(result.find("Score: 25*(4+2) = 150\r\n"), std::string::npos);
    EXPECT_NE(result.find("Last QSO points:    10\r\n"), std::string::npos);
    EXPECT_EQ(Claimed(), "150");
}

TEST_F(Results, ScoresAYuEntrant) {
    host::ContestRun run = DefaultRun();
    run.ownCall = "YU1ZZZ";
    run.ownDxcc = "YU";
    plugin.Reset(run);
    AddExampleLog();
    const std::string result = plugin.Result();
    // YU1AAA 1, DL2BBB 2, W1CCC 4 on 20m; YU1AAA 1 on 40m.
    EXPECT_NE(result.find("20m\t 3\t 7\t 3\t 1\r\n"), std::string::npos) << result;
    EXPECT_NE(result.find("Score: 8*(4+2) = 48\r\n"), std::string::npos);
}

TEST_F(Results, RatesCountTheLastBandBackFromTheLastRecord) {
    plugin.Reset(DefaultRun());
    plugin.Add(At("DL1AAA", "20m", 10, 59, 40));  // 60 min 20 s before: outside the hour
    plugin.Add(At("DL1BBB", "20m", 11, 0, 30));
    plugin.Add(At("DL1CCC", "40m", 11, 58, 0));  // another band counts in neither
    plugin.Add(At("DL1DDD", "20m", 11, 55, 0));
    plugin.Add(At("DL1EEE", "20m", 12, 0, 0));
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Hourly (10min/1 hour) QSO rate:     3 /12\r\n"), std::string::npos)
        << result;
    EXPECT_NE(result.find("Hourly (10min/1 hour) pts rate:     3 /12\r\n"), std::string::npos);

    // The reference is the last record, not the latest time: records later
    // than it count in both windows.
    plugin.Add(At("DL1FFF", "20m", 11, 0, 0));
    EXPECT_NE(plugin.Result().find("QSO rate:     5 /30\r\n"), std::string::npos);
}

TEST_F(Results, TimesThatAreNotValidCountInNoRateWindow) {
    plugin.Reset(DefaultRun());
    host::QsoFields q = At("DL1AAA", "20m", 12, 0, 0);
    q.time.m_status = 1;
    plugin.Add(q);
    plugin.Add(At("DL1BBB", "20m", 12, 0, 0));
    EXPECT_NE(plugin.Result().find("QSO rate:     1 /6\r\n"), std::string::npos);
    q.call = "DL1CCC";
    plugin.Add(q);  // an invalid reference time counts nothing
    EXPECT_NE(plugin.Result().find("QSO rate:     0 /0\r\n"), std::string::npos);
}

TEST_F(Results, ReportRunShowsNoRates) {
    host::ContestRun run = DefaultRun();
    run.reportRun = 1;
    plugin.Reset(run);
    plugin.Add(At("DL1AAA", "20m", 12, 0, 0));
    EXPECT_NE(plugin.Result().find("QSO rate:     0 /0\r\n"), std::string::npos);
}

TEST_F(Results, BandsAreReportedFromLowToHighWhateverTheirOrder) {
    plugin.Reset(DefaultRun());
    for (const char* band : {"10m", "80m", "20M", "40m"}) {
        plugin.Add(At(std::string("DL") + band, band, 12, 0, 0));
    }
    const std::string result = plugin.Result();
    const size_t r80 = result.find("80m\t");
    const size_t r40 = result.find("40m\t");
    const size_t r10 = result.find("10m\t");
    EXPECT_TRUE(r80 < r40 && r40 < r10) << result;
    // "20M" has no row but counts in the totals.
    EXPECT_EQ(result.find("20M"), std::string::npos);
    EXPECT_NE(result.find("Total\t 4\t 4\t 3\t 0\r\n"), std::string::npos) << result;
}

TEST_F(Results, HtmlPageOfTheExampleLog) {
    plugin.SetVersion("2.19");
    plugin.Reset(DefaultRun());
    AddExampleLog();
    EXPECT_EQ(plugin.Result(),
              testing_support::ReadFileBytes(STATS_GOLDEN_DIR "/example_log.html"));
}

TEST_F(Results, HtmlEscapesInsertedTexts) {
    plugin.SetVersion("2.19");
    host::ContestRun run = DefaultRun();
    run.ownCall = "<b>\"A&B\"";
    plugin.Reset(run);
    const std::string page = plugin.Result();
    EXPECT_NE(page.find("Contestant:  <b>&lt;b&gt;&quot;A&amp;B&quot;</center>"), std::string::npos)
        << page;
}

TEST_F(Results, HugeLogsSaturateInsteadOfWrapping) {
    // Every QSO earns 4 points and is a new DXCC, so n QSOs score 4n * n:
    // exact just below the int range, the largest int just above it.
    plugin.Reset(DefaultRun());
    auto addFromTo = [this](int from, int to) {
        for (int i = from; i < to; ++i) {
            plugin.Add(Qso("W" + std::to_string(i), "K" + std::to_string(i), "NA", "001"));
        }
    };
    addFromTo(0, 23170);
    EXPECT_NE(plugin.Result().find("Score: 92680*(23170+0) = 2147395600\r\n"), std::string::npos);
    addFromTo(23170, 23200);
    EXPECT_NE(plugin.Result().find("Score: 92800*(23200+0) = 2147483647\r\n"), std::string::npos);
}

}  // namespace
