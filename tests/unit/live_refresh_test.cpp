// The live refresh with a scripted host and windows that record what was
// done to them: the call as it is typed, the band of the radio, "<SP1>",
// the captions and the county marks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/sync.h"
#include "scoring/engine_state.h"
#include "tests/headless/recording_canvas.h"
#include "tests/unit/log_records.h"
#include "ui/live_refresh.h"
#include "ui/refresh_captions.h"
#include "ui/table_paint.h"

namespace {

class ScriptedHost : public ui::RefreshHost {
  public:
    bool IsConnected() override { return connected; }
    bool GetFieldText(int field, std::string& text) override {
        fields.push_back(field);
        text = call;
        return callAnswered;
    }
    bool Frequency(double& out) override {
        out = hz;
        return frequencyAnswered;
    }
    bool RunMacro(const std::string& macro) override {
        macros.push_back(macro);
        return true;
    }

    bool connected = true;
    std::string call;
    bool callAnswered = true;
    double hz = 14025000.0;
    bool frequencyAnswered = true;
    std::vector<int> fields;
    std::vector<std::string> macros;
};

class RecordingWindows : public ui::RefreshWindows {
  public:
    void OpenRequestedWindows() override { log.push_back("open"); }
    bool PrevQsoWindowOpen() override { return prevOpen; }
    void SetPrevQsoCaption(const std::string& text) override {
        if (prevOpen) {
            prevCaption = text;
        }
    }
    void RepaintPrevQsoTable() override {
        if (prevOpen) {
            log.push_back("repaint prev");
        }
    }
    bool DxccWindowExists() override { return dxccOpen; }
    void SetDxccCaption(const std::string& text) override { dxccCaption = text; }
    void RepaintDxccTable() override { log.push_back("repaint dxcc"); }
    bool CountyWindowExists() override { return countyOpen; }
    void SetCountyCaption(const std::string& text) override { countyCaption = text; }
    void ResetCountyMarks() override {
        marks = ui::CountyMarks();
        log.push_back("reset marks");
    }
    ui::CountyMarks CountyMarksNow() override { return marks; }
    void MarkCounty(int k) override {
        marks[static_cast<size_t>(k)] = true;
        log.push_back(std::string("mark ") + g_countyCodes[k]);
    }

    bool prevOpen = true;
    bool dxccOpen = true;
    bool countyOpen = true;
    std::string prevCaption = "Previous  QSO";
    std::string dxccCaption = "Multiplier";
    std::string countyCaption = "YU/YT County";
    ui::CountyMarks marks{};
    std::vector<std::string> log;
};

CInfo Qso(const std::string& call, const std::string& band, const std::string& mode,
          const std::string& dxcc, const std::string& exch, int hour, int minute) {
    return unit_support::LoggedQso(call, band, mode, dxcc, exch, IsYuPrefix(dxcc) ? exch : "", hour,
                                   minute);
}

class LiveRefreshTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::LockGuard lock(EngineLock());
        ResetEngineState();
        ui::ResetLiveState();
        g_startYear = "2026";
        for (size_t b = 0; b < g_prevQsoRows.size(); ++b) {
            g_prevQsoRows[b] = {BandSlotName(static_cast<int>(b)), "-", "-", "-", "-", "-"};
        }
        g_log.Append(Qso("DL2BBB", "20m", "CW", "DL", "001", 12, 5));
        g_log.Append(Qso("DL2BBB", "20m", "SSB", "DL", "017", 12, 40));
        g_log.Append(Qso("YU1AAA", "20m", "CW", "YU", "BGD", 12, 41));
        g_dxccByBand[3] = {"DL", "YU", "OK"};
        g_countyByBand[3] = {"BGD", "NIS"};
        g_countyByBand[2] = {"ZLA", "BGD", "bgd", "XYZ", "BGD"};
    }
    void TearDown() override {
        plat::LockGuard lock(EngineLock());
        ResetEngineState();
        ui::ResetLiveState();
    }

    std::vector<std::string> Row(size_t band) {
        plat::LockGuard lock(EngineLock());
        return g_prevQsoRows[band];
    }

    void Refresh() {
        g_refreshPending.store(0);
        ui::RunRefresh(host, windows);
        EXPECT_EQ(g_refreshPending.load(), 1);
    }

    ScriptedHost host;
    RecordingWindows windows;
};

TEST(RefreshRules, BandOfTheRadiosFrequency) {
    EXPECT_EQ(ui::BandOfFrequency(14025000.0), 3);
    EXPECT_EQ(ui::BandOfFrequency(1830000.0), 0);
    EXPECT_EQ(ui::BandOfFrequency(3999999.0), 1);
    EXPECT_EQ(ui::BandOfFrequency(7010000.0), 2);
    EXPECT_EQ(ui::BandOfFrequency(21000000.0), 4);
    EXPECT_EQ(ui::BandOfFrequency(28500000.0), 5);
    EXPECT_EQ(ui::BandOfFrequency(5300000.0), kNoBand);
    EXPECT_EQ(ui::BandOfFrequency(15000000.0), kNoBand);
    EXPECT_EQ(ui::BandOfFrequency(999999.0), kNoBand);
}

TEST(RefreshRules, HostileFrequenciesHaveNoBandAndSendNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    const double hostile[] = {std::numeric_limits<double>::quiet_NaN(),
                              inf,
                              -inf,
                              -14025000.0,
                              -0.5,
                              2147483648.0 * 1e6,  // 2^31 whole megahertz
                              1e300,
                              std::numeric_limits<double>::max()};
    for (double hz : hostile) {
        EXPECT_FALSE(ui::IsUsableFrequency(hz)) << hz;
        EXPECT_EQ(ui::BandOfFrequency(hz), kNoBand) << hz;
        EXPECT_FALSE(ui::ShouldSendSp1(hz, 0.0)) << hz;
        EXPECT_FALSE(ui::ShouldSendSp1(hz, 14025000.0)) << hz;
    }
    // The largest whole megahertz a 32-bit value holds is still a frequency.
    EXPECT_TRUE(ui::ShouldSendSp1(2147483647.5 * 1e6, 0.0));
    EXPECT_EQ(ui::BandOfFrequency(2147483647.5 * 1e6), kNoBand);
}

TEST(RefreshRules, Sp1AfterMoreThan300Hz) {
    EXPECT_TRUE(ui::ShouldSendSp1(14025000.0, 0.0));
    EXPECT_FALSE(ui::ShouldSendSp1(14025300.0, 14025000.0));
    EXPECT_FALSE(ui::ShouldSendSp1(14024700.0, 14025000.0));
    EXPECT_TRUE(ui::ShouldSendSp1(14025301.0, 14025000.0));
    EXPECT_TRUE(ui::ShouldSendSp1(14024699.0, 14025000.0));
    EXPECT_FALSE(ui::ShouldSendSp1(300.0, 0.0));
}

TEST(RefreshRules, CountiesToMark) {
    ui::CountyMarks marks{};
    marks[12] = true;  // NIS already marked
    EXPECT_EQ(ui::CountiesToMark({"ZLA", "BGD", "bgd", "XYZ", "BGD", "NIS", " BGD"}, marks),
              (std::vector<int>{29, 0}));
    EXPECT_TRUE(ui::CountiesToMark({}, marks).empty());
}

TEST(RefreshCaptions, EnglishAndRussian) {
    using ui::Language;
    EXPECT_EQ(ui::PrevQsoCaption(Language::kEnglish, "2026"), "DI-VE-RI-CW/SSB-2026 Previous QSO");
    EXPECT_EQ(ui::WorkedWithCaption(Language::kEnglish, "2026", "DL2%sBBB"),
              "DI-VE-RI-CW/SSB-2026 worked with DL2%sBBB");
    EXPECT_EQ(ui::DxccCaption(Language::kEnglish, "20m", 3), "DXCC worked on 20m 3 of 338");
    EXPECT_EQ(ui::CountyCaption(Language::kEnglish, "40m", 0), "YU-County on 40m 0 of 30");

    // Code page 1251.
    EXPECT_EQ(ui::PrevQsoCaption(Language::kRussian, "2026"),
              "DI-VE-RI-CW/SSB-2026 \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO");
    EXPECT_EQ(ui::WorkedWithCaption(Language::kRussian, "2026", "DL2BBB"),
              "DI-VE-RI-CW/SSB-2026 \xF0\xE0\xE1\xEE\xF2\xE0\xEB\xE8 \xF1 DL2BBB");
    EXPECT_EQ(ui::DxccCaption(Language::kRussian, "20m", 12),
              "\xCE\xF2\xF0\xE0\xE1\xEE\xF2\xE0\xED\xEE \xF1\xF2\xF0\xE0\xED DXCC \xED\xE0 20m 12 "
              "\xE8\xE7 338");
    EXPECT_EQ(ui::CountyCaption(Language::kRussian, "20m", 2),
              "\xCE\xF2\xF0\xE0\xE1\xEE\xF2\xE0\xED\xEE YU \xF0\xE0\xE9\xEE\xED\xEE\xE2 \xED\xE0 "
              "20m 2 \xE8\xE7 30");
}

TEST_F(LiveRefreshTest, TypingACallLetterByLetter) {
    host.call = "D";
    Refresh();
    host.call = "DL";
    Refresh();
    // Nothing shown changes while the call has one or two letters.
    EXPECT_EQ(Row(3), (std::vector<std::string>{"20m", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(windows.prevCaption, "Previous  QSO");
    EXPECT_EQ(windows.log, (std::vector<std::string>{"open", "open"}));
    EXPECT_TRUE(host.macros.empty());
    EXPECT_EQ(ui::Live().currentCall, "DL");
    EXPECT_EQ(host.fields, (std::vector<int>{5, 5}));

    host.call = "DL2";
    Refresh();
    EXPECT_EQ(Row(3), (std::vector<std::string>{"20m", "   -", "   -", "   -", "   -", "-"}));
    EXPECT_EQ(windows.prevCaption, "DI-VE-RI-CW/SSB-2026 worked with DL2");

    host.call = "DL2BBB";
    Refresh();
    EXPECT_EQ(Row(3), (std::vector<std::string>{"20m", "12:05", "12:40", "017", "   -", "-"}));
    EXPECT_EQ(Row(2), (std::vector<std::string>{"40m", "   -", "   -", "   -", "   -", "-"}));
    host.call = "YU1AAA";
    Refresh();
    EXPECT_EQ(Row(3), (std::vector<std::string>{"20m", "12:41", "   -", "BGD", "   -", "-"}));

    // A call that is no longer typed empties the grid.
    host.call = "";
    Refresh();
    EXPECT_EQ(Row(3)[1], "   -");
    EXPECT_EQ(windows.prevCaption, "DI-VE-RI-CW/SSB-2026 Previous QSO");
}

// The tables read the refresh's state and leave it as it was: with no call
// typed the call stays empty, though the previous-QSO table reads "Call".
TEST_F(LiveRefreshTest, PaintingTheTablesLeavesTheTypedCallAlone) {
    host.call = "";
    Refresh();
    const plat::Rect item{0, 0, 370, 196};
    plat::RecordingCanvas prev(item);
    ui::PaintPrevQsoTable(prev, item);
    plat::RecordingCanvas dxcc(item);
    ui::PaintDxccTable(dxcc, item);
    EXPECT_EQ(ui::Live().currentCall, "");
}

TEST_F(LiveRefreshTest, UnansweredOrHostileCallIsEmptyAndLongCallsAreKept) {
    host.call = "DL2BBB";
    host.callAnswered = false;
    Refresh();
    EXPECT_EQ(ui::Live().currentCall, "");
    EXPECT_EQ(windows.dxccCaption, "DXCC worked on 20m 3 of 338");

    host.callAnswered = true;
    host.call = std::string("DL2BBB\0junk", 11);
    Refresh();
    EXPECT_EQ(ui::Live().currentCall, "DL2BBB");
    EXPECT_EQ(Row(3)[1], "12:05");

    host.call = std::string(5000, 'W') + "%s%n";
    windows.prevOpen = false;
    Refresh();
    EXPECT_EQ(ui::Live().currentCall, host.call);
    EXPECT_EQ(windows.dxccCaption, "DI-VE-RI-CW/SSB-2026 worked with " + host.call);
}

TEST_F(LiveRefreshTest, Sp1WhenTheRadioMovedMoreThan300Hz) {
    host.call = "";
    Refresh();
    host.hz = 14025300.0;
    Refresh();
    EXPECT_EQ(host.macros, (std::vector<std::string>{"<SP1>"}));  // on the first refresh only
    host.hz = 14025301.0;
    Refresh();
    EXPECT_EQ(host.macros.size(), 2u);
    EXPECT_EQ(ui::Live().lastSp1Hz, 14025301.0);

    // A hostile answer sends nothing and leaves the band as it was.
    for (double hz : {std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity(), -7010000.0, 1e300}) {
        host.hz = hz;
        Refresh();
    }
    host.frequencyAnswered = false;
    Refresh();
    EXPECT_EQ(host.macros.size(), 2u);
    EXPECT_EQ(ui::Live().currentBandIndex, 3);
    // and the next real frequency compares with the last one sent.
    host.frequencyAnswered = true;
    host.hz = 14025100.0;
    Refresh();
    EXPECT_EQ(host.macros.size(), 2u);
}

TEST_F(LiveRefreshTest, AFrequencyOutsideTheBandsStopsBeforeTheWindows) {
    host.call = "";
    Refresh();
    EXPECT_EQ(ui::Live().currentBandIndex, 3);
    windows.log.clear();

    host.call = "DL2BBB";
    host.hz = 5300000.0;
    Refresh();
    // The grid and the previous-QSO caption follow the call, and the radio moved...
    EXPECT_EQ(Row(3)[1], "12:05");
    EXPECT_EQ(windows.prevCaption, "DI-VE-RI-CW/SSB-2026 worked with DL2BBB");
    EXPECT_EQ(host.macros.size(), 2u);
    // ...but no table is repainted and the band's captions and marks stay.
    EXPECT_EQ(windows.log, (std::vector<std::string>{"open"}));
    EXPECT_EQ(windows.dxccCaption, "DXCC worked on 20m 3 of 338");
    EXPECT_EQ(windows.countyCaption, "YU-County on 20m 2 of 30");
    EXPECT_EQ(ui::Live().currentBandIndex, 3);
}

TEST_F(LiveRefreshTest, BandChangeRepaintsTheCountiesThenMarksTheNewBand) {
    host.call = "";
    Refresh();
    EXPECT_EQ(windows.log, (std::vector<std::string>{"open", "repaint dxcc", "repaint prev",
                                                     "reset marks", "mark BGD", "mark NIS"}));
    windows.log.clear();
    Refresh();  // same band: nothing new to mark
    EXPECT_EQ(windows.log, (std::vector<std::string>{"open", "repaint dxcc", "repaint prev"}));

    windows.log.clear();
    host.hz = 7010000.0;
    Refresh();
    // "BGD" twice is marked once; "bgd" and "XYZ" mark nothing.
    EXPECT_EQ(windows.log, (std::vector<std::string>{"open", "repaint dxcc", "repaint prev",
                                                     "reset marks", "mark ZLA", "mark BGD"}));
    EXPECT_EQ(windows.countyCaption, "YU-County on 40m 5 of 30");
    EXPECT_EQ(windows.dxccCaption, "DXCC worked on 40m 0 of 338");
}

TEST_F(LiveRefreshTest, DxccCaptionWhileACallIsTyped) {
    host.call = "DL2BBB";
    Refresh();
    EXPECT_EQ(windows.dxccCaption, "Multiplier");  // previous-QSO window open: left alone
    EXPECT_EQ(windows.log, (std::vector<std::string>{"open", "repaint prev", "reset marks",
                                                     "mark BGD", "mark NIS"}));

    windows.prevOpen = false;
    Refresh();
    EXPECT_EQ(windows.dxccCaption, "DI-VE-RI-CW/SSB-2026 worked with DL2BBB");

    {
        plat::LockGuard lock(EngineLock());
        g_russianUi = true;
    }
    Refresh();
    EXPECT_EQ(windows.dxccCaption,
              "DI-VE-RI-CW/SSB-2026 \xF0\xE0\xE1\xEE\xF2\xE0\xEB\xE8 \xF1 DL2BBB");
}

TEST_F(LiveRefreshTest, WithoutAHostNothingHappens) {
    host.connected = false;
    Refresh();
    EXPECT_TRUE(windows.log.empty());
    EXPECT_TRUE(host.fields.empty());
}

}  // namespace
