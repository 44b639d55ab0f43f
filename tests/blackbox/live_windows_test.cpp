// The live windows as the operator sees them while the host runs: the
// previous-QSO grid following the typed call, the captions in both
// languages, "<SP1>" and the radio's band, and the county buttons through
// band changes and removals. The plug-in is loaded as the host loads it; the
// test's thread is the host's thread and answers the UI thread's calls.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/sample_log.h"
#include "tests/support/ui_fixture.h"

namespace testing_support {
namespace {

using plat::CanvasOp;
using plat::CanvasOpKind;
using plat::headless::LastItemPaint;

constexpr int kDxccTable = 1004;
constexpr int kPrevQsoTable = 1007;
constexpr int kFirstCounty = 1016;
constexpr int kPrevQsoBox = 1020;

constexpr plat::Colour kGreen = 0x0000FF00;
constexpr plat::Colour kNearBlack = 0x00010101;
constexpr plat::Colour kMagenta = 0x00FF00FF;
constexpr plat::Colour kYellow = 0x0000FFFF;
constexpr plat::Colour kHighlight = 0x00FFFFC6;

const char* const kCounties[] = {"BGD", "BOR", "BRA", "JAB", "JBB", "JBN", "KMO", "KOL",
                                 "KOS", "KPO", "MAC", "MOR", "NIS", "PCI", "PEC", "PIR",
                                 "POD", "POM", "PRI", "RAN", "RAS", "SBB", "SBN", "SBT",
                                 "SRM", "SUM", "TOP", "ZAJ", "ZBB", "ZLA"};

int CountyIndex(const std::string& code) {
    for (int k = 0; k < 30; ++k) {
        if (code == kCounties[k]) {
            return k;
        }
    }
    return -1;
}

// Every operation of a paint, with what was drawn off-screen and copied.
std::vector<CanvasOp> Flatten(const std::vector<CanvasOp>& ops) {
    std::vector<CanvasOp> out;
    for (const CanvasOp& op : ops) {
        if (op.kind == CanvasOpKind::kCopyFrom) {
            const std::vector<CanvasOp> inner = Flatten(op.content);
            out.insert(out.end(), inner.begin(), inner.end());
        } else {
            out.push_back(op);
        }
    }
    return out;
}

// The text drawn with its top-left corner at (x, y) in the latest paint of
// the item, or "<none>".
std::string TextAt(plat::WindowId w, int item, int x, int y) {
    const auto paint = LastItemPaint(w, item);
    if (!paint) {
        return "<no paint>";
    }
    for (const CanvasOp& op : Flatten(paint->ops)) {
        if (op.kind == CanvasOpKind::kTextOut && op.rect.left == x && op.rect.top == y) {
            return op.text;
        }
    }
    return "<none>";
}

struct ButtonLook {
    static ButtonLook Worked(bool worked) {
        return worked ? ButtonLook{kMagenta, kYellow} : ButtonLook{kGreen, kNearBlack};
    }

    plat::Colour face = 0;
    plat::Colour text = 0;
    bool operator==(const ButtonLook& o) const { return face == o.face && text == o.text; }
};

std::ostream& operator<<(std::ostream& os, const ButtonLook& b) {
    return os << std::hex << "face " << b.face << " text " << b.text;
}

// The oval face's colour and the label's colour in the button's latest paint.
ButtonLook CountyButton(plat::WindowId county, const std::string& code) {
    ButtonLook look;
    const auto paint = LastItemPaint(county, kFirstCounty + CountyIndex(code));
    if (paint) {
        for (const CanvasOp& op : Flatten(paint->ops)) {
            if (op.kind == CanvasOpKind::kEllipse) {
                look.face = op.pen.colour;
            } else if (op.kind == CanvasOpKind::kDrawCentredText) {
                look.text = op.textColour;
            }
        }
    }
    return look;
}

host::QsoFields Logged(const std::string& call, const std::string& dxcc, const std::string& band,
                       const std::string& mode, const std::string& exch, int minute) {
    host::QsoFields q = sample::Qso(call, dxcc, "EU", exch, minute);
    q.band = band;
    q.mode = mode;
    return q;
}

class LiveWindowsTest : public UiTest {
  protected:
    // The panel with the windows the view settings ask for.
    plat::WindowId Start(bool prevQso, bool dxcc, bool county,
                         const host::ContestRun& run = DefaultRun()) {
        SetSetting("setup_view_prev_qso", prevQso ? "1" : "0");
        SetSetting("setup_view_dxcc", dxcc ? "1" : "0");
        SetSetting("setup_view_county", county ? "1" : "0");
        panel_ = StartPanel(run);
        return panel_;
    }

    // The operator has `call` in the host's entry field and the host checks
    // it, which asks the panel to refresh; waits until the refresh is done.
    void Type(const std::string& call) {
        host->SetField(plat::HostValue(std::string(call)));
        Check(call);
        ASSERT_TRUE(Settle(panel_));
    }

    // The host's call check of a CW QSO on the band, which asks the panel
    // for a refresh; does not wait for it.
    void Check(const std::string& call, const std::string& band = "20m") {
        host::CallCheck check;
        check.call = call;
        check.mode = "CW";
        check.dxcc = "DL";
        check.band = band.c_str();
        check.secondBand = band.c_str();
        plugin.Check(check);
    }

    // Types a call letter by letter.
    void TypeLetters(const std::string& call) {
        for (size_t n = 1; n <= call.size(); ++n) {
            Type(call.substr(0, n));
        }
    }

    std::string Caption(int templateId) { return Read(Find(templateId)).caption; }

    int Paints(int templateId, int item) {
        const plat::headless::WindowState w = Read(Find(templateId));
        const plat::headless::ControlState* c = w.Control(item);
        return c != nullptr ? c->paints : -1;
    }

    // Text top of row slot r of a table item (seven slots).
    int RowTop(int templateId, int item, int slot) {
        const auto paint = LastItemPaint(Find(templateId), item);
        return paint ? slot * (paint->rect.bottom / 7) + 5 : -1;
    }

    plat::WindowId panel_ = 0;
};

TEST_F(LiveWindowsTest, TypingACallFillsThePreviousQsoGridFromTheThirdLetter) {
    ASSERT_NE(Start(true, false, false), 0u);
    plugin.Add(Logged("DL2BBB", "DL", "20m", "CW", "017", 5));
    plugin.Add(Logged("DL2BBB", "DL", "20m", "SSB", "018", 40));
    plugin.Add(Logged("OK1DDD", "OK", "20m", "CW", "001", 45));
    // The windows open where an empty settings file puts them.
    EXPECT_EQ(Read(Find(kPrevQso)).rect.left, 10);
    EXPECT_EQ(Read(Find(kPrevQso)).rect.top, 400);
    const std::string opened = Caption(kPrevQso);
    const int paints = Paints(kPrevQso, kPrevQsoTable);

    Type("D");
    Type("DL");
    EXPECT_EQ(Caption(kPrevQso), opened);
    EXPECT_EQ(Paints(kPrevQso, kPrevQsoTable), paints);

    Type("DL2");
    EXPECT_EQ(Caption(kPrevQso), "DI-VE-RI-CW/SSB-2026 worked with DL2");
    const int y20 = RowTop(kPrevQso, kPrevQsoTable, 4);
    EXPECT_EQ(TextAt(Find(kPrevQso), kPrevQsoTable, 92, y20), "   -");
    EXPECT_EQ(TextAt(Find(kPrevQso), kPrevQsoTable, 170, 5), "DL2");

    TypeLetters("DL2BBB");
    const plat::WindowId prev = Find(kPrevQso);
    EXPECT_EQ(Caption(kPrevQso), "DI-VE-RI-CW/SSB-2026 worked with DL2BBB");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 20, y20), "20m");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 92, y20), "12:05");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 168, y20), "12:40");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 265, y20), "018");
    // The radio is on 20 m: its row is highlighted.
    bool highlighted = false;
    for (const CanvasOp& op : Flatten(LastItemPaint(prev, kPrevQsoTable)->ops)) {
        highlighted = highlighted || (op.kind == CanvasOpKind::kFillSolidRect &&
                                      op.colour == kHighlight && op.rect.top == y20);
    }
    EXPECT_TRUE(highlighted);

    // The call leaves the entry field: the grid empties and "Call" is shown.
    Type("");
    EXPECT_EQ(Caption(kPrevQso), "DI-VE-RI-CW/SSB-2026 Previous QSO");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 92, y20), "   -");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 170, 5), "Call");
}

// The host checks the last letter while the refresh for the one before is
// still waiting for the host: that refresh asks for one more, so the window
// ends showing the call as typed.
TEST_F(LiveWindowsTest, ALetterTypedDuringARefreshIsShownToo) {
    ASSERT_NE(Start(true, false, false), 0u);
    host->SetField(plat::HostValue(std::string("YU1")));
    Check("YU1");
    // Answer the refresh's question for the call, not yet the frequency.
    int answered = 0;
    for (int ms = 0; ms < 5000 && answered == 0; ++ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        answered = plat::PumpHostCalls();
    }
    ASSERT_EQ(answered, 1);
    host->SetField(plat::HostValue(std::string("YU1A")));
    Check("YU1A");  // the refresh is outstanding: no request of its own
    ASSERT_TRUE(Settle(panel_));
    EXPECT_EQ(Caption(kPrevQso), "DI-VE-RI-CW/SSB-2026 worked with YU1A");
}

TEST_F(LiveWindowsTest, GridShowsTheLaterQsoAndTheCountyOfAYuStation) {
    ASSERT_NE(Start(true, false, false), 0u);
    plugin.Add(Logged("YU1AAA", "YU", "20m", "CW", "bgd ", 2));
    plugin.Add(Logged("YU1AAA", "YU", "20m", "CW", "nis", 3));   // a dupe, still shown
    plugin.Add(Logged("YU1AAA", "YU", "40m", "SSB", "123", 4));  // no county
    Type("YU1AAA");
    const plat::WindowId prev = Find(kPrevQso);
    const int y20 = RowTop(kPrevQso, kPrevQsoTable, 4);
    const int y40 = RowTop(kPrevQso, kPrevQsoTable, 3);
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 92, y20), "12:03");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 265, y20), "NIS");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 168, y40), "12:04");
    EXPECT_EQ(TextAt(prev, kPrevQsoTable, 265, y40), "");
}

TEST_F(LiveWindowsTest, DxccWindowStandsInForAClosedPreviousQsoWindow) {
    ASSERT_NE(Start(true, true, false), 0u);
    plugin.Add(Logged("DL2BBB", "DL", "20m", "CW", "017", 5));
    plugin.Add(Logged("OK1DDD", "OK", "20m", "CW", "001", 6));
    plugin.Result();
    Type("");
    EXPECT_EQ(Caption(kDxcc), "DXCC worked on 20m 2 of 338");
    EXPECT_EQ(TextAt(Find(kDxcc), kDxccTable, 5, 15), "DL");
    EXPECT_EQ(TextAt(Find(kDxcc), kDxccTable, 45, 15), "OK");

    // The previous-QSO window is open: the DXCC window keeps its list.
    Type("DL2BBB");
    EXPECT_EQ(Caption(kDxcc), "DXCC worked on 20m 2 of 338");

    ASSERT_TRUE(plat::headless::Click(panel_, kPrevQsoBox));
    ASSERT_TRUE(Settle(panel_));
    ASSERT_EQ(Find(kPrevQso), 0u);
    Type("DL2BBB");
    EXPECT_EQ(Caption(kDxcc), "DI-VE-RI-CW/SSB-2026 worked with DL2BBB");
    const int y20 = RowTop(kDxcc, kDxccTable, 4);
    EXPECT_EQ(TextAt(Find(kDxcc), kDxccTable, 92, y20), "12:05");

    Type("");
    EXPECT_EQ(Caption(kDxcc), "DXCC worked on 20m 2 of 338");
    EXPECT_EQ(TextAt(Find(kDxcc), kDxccTable, 5, 15), "DL");

    // The table follows the window's size, two pixels in from each edge.
    const plat::WindowId dxcc = Find(kDxcc);
    EXPECT_EQ(Read(dxcc).rect.left, 10);
    EXPECT_EQ(Read(dxcc).rect.top, 400);
    ASSERT_TRUE(plat::headless::ResizeWindow(dxcc, 500, 300));
    ASSERT_TRUE(Settle(panel_));
    const plat::headless::WindowState w = Read(dxcc);
    EXPECT_EQ(w.Control(kDxccTable)->rect,
              (plat::Rect{1, 1, w.client.right - 3, w.client.bottom - 3}));
    EXPECT_EQ(LastItemPaint(dxcc, kDxccTable)->rect.right, w.client.right - 4);
}

TEST_F(LiveWindowsTest, CaptionsInRussian) {
    host::ContestRun run = DefaultRun();
    run.ownCall = "UA3ABC";
    run.ownDxcc = "UA";
    ASSERT_NE(Start(false, true, true, run), 0u);
    plugin.Add(Logged("YU1AAA", "YU", "20m", "CW", "BGD", 2));
    plugin.Result();
    Type("");
    EXPECT_EQ(Caption(kDxcc), "Отработано стран DXCC на 20m 1 из 338");
    EXPECT_EQ(Caption(kCounty), "Отработано YU районов на 20m 1 из 30");
    Type("YU1AAA");
    EXPECT_EQ(Caption(kDxcc), "DI-VE-RI-CW/SSB-2026 работали с YU1AAA");
}

TEST_F(LiveWindowsTest, Sp1WhenTheRadioMovesMoreThan300HzAndTheBandFollowsIt) {
    ASSERT_NE(Start(false, true, true), 0u);
    EXPECT_EQ(host->Macros().back(), "<SP1>");  // the first refresh, at 14.025 MHz
    host->ClearMacros();
    plugin.Add(Logged("YU1AAA", "YU", "20m", "CW", "BGD", 2));
    plugin.Add(Logged("YU2BBB", "YU", "40m", "CW", "ZLA", 3));
    plugin.Result();

    host->SetFrequency(14025300.0);
    Type("");
    EXPECT_TRUE(host->Macros().empty());
    host->SetFrequency(14025301.0);
    Type("");
    EXPECT_EQ(host->Macros(), std::vector<std::string>{"<SP1>"});

    // 5.3 MHz: the radio moved, but there is no band, so the captions, the
    // marks and the tables stay as they were.
    host->ClearMacros();
    const int dxccPaints = Paints(kDxcc, kDxccTable);
    host->SetFrequency(5300000.0);
    Type("");
    EXPECT_EQ(host->Macros(), std::vector<std::string>{"<SP1>"});
    EXPECT_EQ(Caption(kDxcc), "DXCC worked on 20m 1 of 338");
    EXPECT_EQ(Caption(kCounty), "YU-County on 20m 1 of 30");
    EXPECT_EQ(CountyButton(Find(kCounty), "BGD"), ButtonLook::Worked(true));
    EXPECT_EQ(Paints(kDxcc, kDxccTable), dxccPaints);

    // Hostile answers send nothing and leave the band alone.
    host->ClearMacros();
    for (double hz : {-7010000.0, 1e300, 3e15}) {
        host->SetFrequency(hz);
        Type("");
    }
    EXPECT_TRUE(host->Macros().empty());
    EXPECT_EQ(Caption(kCounty), "YU-County on 20m 1 of 30");

    host->SetFrequency(7010000.0);
    Type("");
    EXPECT_EQ(Caption(kDxcc), "DXCC worked on 40m 1 of 338");
    EXPECT_EQ(Caption(kCounty), "YU-County on 40m 1 of 30");
}

TEST_F(LiveWindowsTest, BandChangeRepaintsEveryCountyThenMarksTheNewBand) {
    ASSERT_NE(Start(false, false, true), 0u);
    plugin.Add(Logged("YU1AAA", "YU", "20m", "CW", "BGD", 2));
    plugin.Add(Logged("YU2BBB", "YU", "20m", "CW", "nis", 3));
    plugin.Add(Logged("YU3CCC", "YU", "40m", "CW", "ZLA", 4));
    plugin.Add(Logged("YU4DDD", "YU", "40m", "CW", "BGD", 5));
    plugin.Result();
    Type("");
    const plat::WindowId county = Find(kCounty);
    EXPECT_EQ(Read(county).rect.left, 10);
    EXPECT_EQ(Read(county).rect.top, 400);
    for (const char* code : kCounties) {
        const bool worked = std::string(code) == "BGD" || std::string(code) == "NIS";
        EXPECT_EQ(CountyButton(county, code), ButtonLook::Worked(worked)) << code;
    }

    std::vector<int> before;
    before.reserve(30);
    for (int k = 0; k < 30; ++k) {
        before.push_back(Read(county).Control(kFirstCounty + k)->paints);
    }
    host->SetFrequency(7010000.0);
    Type("");
    EXPECT_EQ(Caption(kCounty), "YU-County on 40m 2 of 30");
    for (int k = 0; k < 30; ++k) {
        const std::string code = kCounties[k];
        const bool worked = code == "BGD" || code == "ZLA";
        EXPECT_EQ(CountyButton(county, code), ButtonLook::Worked(worked)) << code;
        // Every button was painted afresh, not only the marked ones.
        EXPECT_GT(Read(county).Control(kFirstCounty + k)->paints, before[static_cast<size_t>(k)])
            << code;
    }
}

TEST_F(LiveWindowsTest, RemovingAYuQsoClearsTheMarksAndTheRefreshRestoresTheRest) {
    ASSERT_NE(Start(false, false, true), 0u);
    const host::QsoFields bgd = Logged("YU1AAA", "YU", "20m", "CW", "BGD", 2);
    plugin.Add(bgd);
    plugin.Add(Logged("YU2BBB", "YU", "20m", "CW", "NIS", 3));
    plugin.Result();
    Type("");
    const plat::WindowId county = Find(kCounty);
    ASSERT_EQ(CountyButton(county, "BGD"), ButtonLook::Worked(true));

    plugin.Remove(bgd);
    ASSERT_TRUE(Settle(panel_));
    EXPECT_EQ(CountyButton(county, "BGD"), ButtonLook::Worked(false));
    EXPECT_EQ(CountyButton(county, "NIS"), ButtonLook::Worked(true));
    EXPECT_EQ(Caption(kCounty), "YU-County on 20m 1 of 30");
}

// Under the thread sanitizer: refreshes and paints on the UI thread while
// the host's thread logs, removes and scores QSOs and the radio changes
// band.
TEST_F(LiveWindowsTest, RefreshesWhileTheHostLogsRemovesAndScores) {
    ASSERT_NE(Start(true, true, true), 0u);
    for (int i = 0; i < 150; ++i) {
        const std::string call = "YU" + std::to_string(i % 9) + "ABC";
        const host::QsoFields q =
            Logged(call, "YU", i % 3 == 0 ? "40m" : "20m", "CW", kCounties[i % 30], i % 60);
        plugin.Add(q);
        host->SetField(plat::HostValue(std::string(call)));
        host->SetFrequency(i % 3 == 0 ? 7010000.0 : 14025000.0);
        Check(call, q.band);
        if (i % 5 == 0) {
            plugin.Remove(q);
        }
        if (i % 10 == 0) {
            plugin.Result();
        }
        plat::PumpHostCalls();
    }
    ASSERT_TRUE(Settle(panel_));
    host->SetFrequency(14025000.0);
    Type("YU1ABC");
    EXPECT_EQ(Caption(kPrevQso), "DI-VE-RI-CW/SSB-2026 worked with YU1ABC");
    EXPECT_EQ(LiveTemplates().size(), 4u);
}

}  // namespace
}  // namespace testing_support
