// CheckCall0 while the operator types: dupe, new multiplier, invalid band
// or mode, and the exchange the station sent last time.
#include <sys/stat.h>

#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;

class CallCheck : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        plugin.Reset(DefaultRun());
    }
    host::CallCheckAnswer Check(const std::string& call, const std::string& dxcc,
                                const char* band = "20m", const char* mode = "CW",
                                const char* secondBand = "20m") {
        host::CallCheck c;
        c.call = call;
        c.mode = mode;
        c.dxcc = dxcc;
        c.band = band;
        c.secondBand = secondBand;
        return plugin.Check(c);
    }
};

TEST_F(CallCheck, EmptyLogAnswersKnownWithAnEmptyExchange) {
    const host::CallCheckAnswer a = Check("DL2BBB", "DL");
    EXPECT_EQ(a.status, 1);
    EXPECT_TRUE(a.bufferWritten);
    EXPECT_EQ(a.prevExchange, "");
}

TEST_F(CallCheck, DupeOnTheSameBandAndModeLeavesTheBufferAlone) {
    plugin.Add(Qso("DL2BBB", "DL", "EU", "017"));
    const host::CallCheckAnswer dupe = Check("DL2BBB", "DL");
    EXPECT_EQ(dupe.status, 0);
    EXPECT_FALSE(dupe.bufferWritten);
    const host::CallCheckAnswer ssb = Check("DL2BBB", "DL", "20m", "SSB");
    EXPECT_EQ(ssb.status, 1);
    EXPECT_EQ(ssb.prevExchange, "017");
    // Exact comparison: another letter case is another call.
    EXPECT_EQ(Check("dl2bbb", "DL").status, 1);
}

TEST_F(CallCheck, NewMultiplierOnlyWhereTheBandHasQsos) {
    plugin.Add(Qso("DL2BBB", "DL", "EU", "002"));
    plugin.Add(Qso("DL3CCC", "DL", "EU", "003"));
    EXPECT_EQ(Check("OK1AAA", "OK").status, 2);
    EXPECT_EQ(Check("DL4DDD", "DL").status, 1);
    EXPECT_EQ(Check("OK1AAA", "OK", "40m", "CW", "40m").status, 1);
    // Flagged QSOs count as worked.
    plugin.Add(Qso("YU1AAA", "YU", "EU", "123"));
    EXPECT_EQ(Check("YU2BBB", "YU").status, 1);
}

// The band's entities follow every QSO stored or taken back, whether it came
// before the last call check or after it.
TEST_F(CallCheck, NewMultiplierFollowsAddsAndRemovalsAroundEachCheck) {
    const host::QsoFields dl = Qso("DL2BBB", "DL", "EU", "002");
    const host::QsoFields ok = Qso("OK1AAA", "OK", "EU", "003");
    plugin.Add(dl);
    EXPECT_EQ(Check("OK2BBB", "OK").status, 2);
    plugin.Add(ok);
    EXPECT_EQ(Check("OK2BBB", "OK").status, 1);
    plugin.Remove(ok);
    EXPECT_EQ(Check("OK2BBB", "OK").status, 2);
    plugin.Add(ok);
    plugin.Remove(ok);
    EXPECT_EQ(Check("OK2BBB", "OK").status, 2);
    plugin.Remove(dl);
    EXPECT_EQ(Check("OK2BBB", "OK").status, 1);
    plugin.Add(ok);
    EXPECT_EQ(Check("DL4DDD", "DL").status, 2);
}

TEST_F(CallCheck, PreviousExchangeIsTheLastOneAndFitsTheBuffer) {
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "0123456789ABC");
    q.band = "40m";
    plugin.Add(q);
    EXPECT_EQ(Check("DL2BBB", "DL").prevExchange, "012345678");
    q.band = "80m";
    q.exchRcvd = "555";
    plugin.Add(q);
    EXPECT_EQ(Check("DL2BBB", "DL").prevExchange, "555");
}

TEST_F(CallCheck, EmptyPrefixAnswersOneWithoutLooking) {
    plugin.Add(Qso("DL2BBB", "DL", "EU", "002"));
    const host::CallCheckAnswer a = Check("DL2BBB", "");
    EXPECT_EQ(a.status, 1);
    EXPECT_FALSE(a.bufferWritten);
}

TEST_F(CallCheck, InvalidStatusDependsOnTheHostVersion) {
    struct Case {
        const char* band;
        const char* second;
        const char* mode;
    };
    const Case invalid[] = {{"20m", "40m", "CW"},
                            {"160m", "160m", "CW"},
                            {"30m", nullptr, "CW"},
                            {"20m", "20m", "RTTY"},
                            {nullptr, "20m", "CW"}};
    for (const Case& c : invalid) {
        EXPECT_EQ(Check("DL2BBB", "DL", c.band, c.mode, c.second).status, 4);
    }
    // Bands agree whatever their letter case; a missing second band is no
    // disagreement.
    EXPECT_EQ(Check("DL2BBB", "DL", "20m", "cw", "20M").status, 1);
    EXPECT_EQ(Check("DL2BBB", "DL", "20m", "CW", nullptr).status, 1);

    mkdir("host", 0755);
    WriteFile("host/Larq2.ini", "Larq=2.19\r\n");
    host::ContestRun run = DefaultRun();
    run.hostFolder = dir() + "/host/";
    plugin.Reset(run);
    for (const Case& c : invalid) {
        EXPECT_EQ(Check("DL2BBB", "DL", c.band, c.mode, c.second).status, 1);
    }
}

TEST_F(CallCheck, NullBufferReceivesNothing) {
    host::CallCheck c;
    c.call = "DL2BBB";
    c.mode = "CW";
    c.dxcc = "DL";
    c.band = "20m";
    c.wantExchange = false;
    EXPECT_EQ(plugin.Check(c).status, 1);
}

}  // namespace
