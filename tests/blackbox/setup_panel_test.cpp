// The Setup panel, started by a contest run as the host starts it: where it
// opens, the macros it sends, its mode buttons and check boxes, the windows
// they open and close, the saved position and choices, and the Russian
// labels.
#include <gtest/gtest.h>

#include "tests/support/ui_fixture.h"

namespace testing_support {
namespace {

using plat::headless::Click;
using plat::headless::WindowState;

constexpr int kCw = 1004;
constexpr int kSsb = 1007;
constexpr int kViewLabel = 1015;
constexpr int kDxccBox = 1016;
constexpr int kCountyBox = 1017;
constexpr int kOnTopBox = 1018;
constexpr int kModeLabel = 1019;
constexpr int kPrevQsoBox = 1020;

using PanelTest = UiTest;

TEST_F(PanelTest, EmptySettingsOpenThePanelAloneAtItsDefaultPlaceInCw) {
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    const WindowState w = Read(panel);
    EXPECT_EQ(w.rect.left, 10);
    EXPECT_EQ(w.rect.top, 0);
    EXPECT_TRUE(w.topmost);
    EXPECT_EQ(w.iconId, 107);
    EXPECT_TRUE(w.closeEntryDisabled);
    EXPECT_TRUE(w.visible);
    EXPECT_EQ(w.caption, "Setup DI-VE-RI CW/SSB 2026");
    // The panel's macros, then the first refresh's, as the radio is on 14.025 MHz.
    EXPECT_EQ(host->Macros(), (std::vector<std::string>{"<MODE:CW>", "<BAUDRATE:27>", "<SP1>"}));
    EXPECT_EQ(LiveTemplates(), std::vector<int>{kPanel});
    for (int box : {kDxccBox, kCountyBox, kOnTopBox, kPrevQsoBox}) {
        EXPECT_FALSE(w.Control(box)->checked) << box;
    }
}

TEST_F(PanelTest, SavedModeChoosesTheStartMacrosExactly) {
    SetSetting("Mode", "SSB");
    ASSERT_NE(StartPanel(), 0u);
    EXPECT_EQ(host->Macros(), (std::vector<std::string>{"<MODE:SSB>", "<SP1>"}));
    Reload();
    host->ClearMacros();
    SetSetting("Start", "0");
    SetSetting("Mode", "cw");
    ASSERT_NE(StartPanel(), 0u);
    EXPECT_EQ(host->Macros(), std::vector<std::string>{"<SP1>"});
}

TEST_F(PanelTest, ModeButtonsSendTheirMacroAndSaveTheMode) {
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    host->ClearMacros();
    ASSERT_TRUE(Click(panel, kSsb));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Setting("Mode"), "SSB");
    ASSERT_TRUE(Click(panel, kCw));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Setting("Mode"), "CW");
    // A click never sends the baud rate.
    EXPECT_EQ(host->Macros(), (std::vector<std::string>{"<MODE:SSB>", "<MODE:CW>"}));
    // Enter does not end the panel.
    ASSERT_TRUE(plat::headless::PressEnter(panel));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Find(kPanel), panel);
}

TEST_F(PanelTest, DxccBoxOpensAndClosesItsWindowAndSavesTheChoice) {
    // Without a host no refresh replaces the template's caption.
    plat::UnregisterHostObject();
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    ASSERT_TRUE(Click(panel, kDxccBox));
    ASSERT_TRUE(Settle(panel));
    const plat::WindowId dxcc = Find(kDxcc);
    ASSERT_NE(dxcc, 0u);
    const WindowState w = Read(dxcc);
    EXPECT_EQ(w.caption, "Multiplier");
    EXPECT_EQ(w.rect.left, 10);
    EXPECT_EQ(w.rect.top, 400);
    EXPECT_FALSE(w.topmost);
    EXPECT_EQ(w.iconId, 107);
    EXPECT_TRUE(w.closeEntryDisabled);
    EXPECT_EQ(Setting("setup_view_dxcc"), "1");

    ASSERT_TRUE(Click(panel, kDxccBox));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Find(kDxcc), 0u);
    EXPECT_FALSE(Read(panel).Control(kDxccBox)->checked);
    EXPECT_EQ(Setting("setup_view_dxcc"), "0");
}

TEST_F(PanelTest, PrevQsoBoxCaptionsItsWindowWithTheYear) {
    // Without a host no refresh replaces the caption the box sets.
    plat::UnregisterHostObject();
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    ASSERT_TRUE(Click(panel, kPrevQsoBox));
    ASSERT_TRUE(Settle(panel));
    const plat::WindowId prev = Find(kPrevQso);
    ASSERT_NE(prev, 0u);
    EXPECT_EQ(Read(prev).caption, "DI-VE-RI-2026 Previous, QSO");
    EXPECT_EQ(Setting("setup_view_prev_qso"), "1");
    ASSERT_TRUE(Click(panel, kCountyBox));
    ASSERT_TRUE(Settle(panel));
    EXPECT_NE(Find(kCounty), 0u);
    EXPECT_EQ(Read(Find(kCounty)).controls.size(), 30u);
    EXPECT_EQ(Setting("setup_view_county"), "1");
}

TEST_F(PanelTest, SavedViewChoicesReopenTheirWindowsAtTheirSavedPlaces) {
    SetSetting("setup_view_dxcc", "1");
    SetSetting("setup_view_county", "1");
    SetSetting("setup_view_prev_qso", "1");
    SetSetting("yu_x", "300");
    SetSetting("yu_y", "0");
    SetSetting("prev_x", "0");
    SetSetting("prev_y", "-20");
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    // The first refresh opens them; the boxes show the choices.
    EXPECT_EQ(LiveTemplates(), (std::vector<int>{kPanel, kPrevQso, kDxcc, kCounty}));
    const WindowState w = Read(panel);
    EXPECT_TRUE(w.Control(kDxccBox)->checked);
    EXPECT_TRUE(w.Control(kCountyBox)->checked);
    EXPECT_TRUE(w.Control(kPrevQsoBox)->checked);
    EXPECT_EQ(Read(Find(kCounty)).rect.left, 300);
    EXPECT_EQ(Read(Find(kCounty)).rect.top, 400);
    EXPECT_EQ(Read(Find(kPrevQso)).rect.left, 10);
    EXPECT_EQ(Read(Find(kPrevQso)).rect.top, -20);
}

TEST_F(PanelTest, WithoutAHostTheSavedWindowsStayClosed) {
    plat::UnregisterHostObject();
    SetSetting("setup_view_dxcc", "1");
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    EXPECT_EQ(LiveTemplates(), std::vector<int>{kPanel});
    // The box still opens its window.
    ASSERT_TRUE(Click(panel, kDxccBox));
    ASSERT_TRUE(Settle(panel));
    EXPECT_NE(Find(kDxcc), 0u);
}

TEST_F(PanelTest, OnTopToggleReopensDxccAndCountyTopmostAndIsRestored) {
    SetSetting("setup_view_dxcc", "1");
    SetSetting("setup_view_county", "1");
    SetSetting("setup_view_prev_qso", "1");
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    const plat::WindowId dxcc = Find(kDxcc);
    const plat::WindowId county = Find(kCounty);
    const plat::WindowId prev = Find(kPrevQso);
    ASSERT_NE(dxcc, 0u);
    ASSERT_NE(county, 0u);
    EXPECT_FALSE(Read(dxcc).topmost);

    ASSERT_TRUE(Click(panel, kOnTopBox));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Setting("setup_window_on_top"), "1");
    EXPECT_FALSE(plat::headless::ReadWindow(dxcc).has_value());
    EXPECT_FALSE(plat::headless::ReadWindow(county).has_value());
    ASSERT_NE(Find(kDxcc), 0u);
    ASSERT_NE(Find(kCounty), 0u);
    EXPECT_TRUE(Read(Find(kDxcc)).topmost);
    EXPECT_TRUE(Read(Find(kCounty)).topmost);
    // The previous-QSO window keeps its stacking.
    EXPECT_EQ(Find(kPrevQso), prev);
    EXPECT_FALSE(Read(prev).topmost);
    EXPECT_TRUE(Read(panel).Control(kOnTopBox)->checked);

    // The next panel comes back with the box set and its windows on top.
    Reload();
    SetSetting("Start", "0");
    const plat::WindowId again = StartPanel();
    ASSERT_NE(again, 0u);
    EXPECT_TRUE(Read(again).Control(kOnTopBox)->checked);
    EXPECT_TRUE(Read(Find(kDxcc)).topmost);
}

TEST_F(PanelTest, PointerOverAMovedWindowSavesItsPosition) {
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    ASSERT_TRUE(plat::headless::DragWindow(panel, 250, 120));
    ASSERT_TRUE(Settle(panel));
    // Moving alone saves nothing.
    EXPECT_EQ(Setting("setup_x"), "");
    ASSERT_TRUE(plat::headless::MovePointerOver(panel));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Setting("setup_x"), "250");
    EXPECT_EQ(Setting("setup_y"), "120");

    ASSERT_TRUE(Click(panel, kDxccBox));
    ASSERT_TRUE(Settle(panel));
    const plat::WindowId dxcc = Find(kDxcc);
    ASSERT_TRUE(plat::headless::DragWindow(dxcc, 500, 400));
    ASSERT_TRUE(plat::headless::MovePointerOver(dxcc));
    ASSERT_TRUE(Settle(dxcc));
    // Only the edge that differs from the shared remembered place is written.
    EXPECT_EQ(Setting("dxcc_x"), "500");
    EXPECT_EQ(Setting("dxcc_y"), "");

    Reload();
    SetSetting("Start", "0");
    const plat::WindowId again = StartPanel();
    ASSERT_NE(again, 0u);
    EXPECT_EQ(Read(again).rect.left, 250);
    EXPECT_EQ(Read(again).rect.top, 120);
}

TEST_F(PanelTest, ColoursOfThePanelAndItsWindows) {
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    plat::ControlColours c;
    ASSERT_TRUE(plat::headless::AskControlColours(panel, kDxccBox, c));
    EXPECT_EQ(c.text, plat::Rgb(0, 0, 0));
    EXPECT_EQ(c.textBackground, plat::Rgb(0xFF, 0xF0, 0xC6));
    EXPECT_EQ(c.background, plat::Rgb(0xFF, 0xFA, 0xC6));
    ASSERT_TRUE(Click(panel, kCountyBox));
    ASSERT_TRUE(Settle(panel));
    ASSERT_TRUE(plat::headless::AskControlColours(Find(kCounty), 0, c));
    EXPECT_EQ(c.textBackground, plat::Rgb(0xFF, 0xFA, 0xC6));
    EXPECT_EQ(c.background, plat::Rgb(0xFF, 0xFA, 0xC6));
}

TEST_F(PanelTest, RussianLabelsForARussianStation) {
    // Without a host no refresh replaces the previous-QSO window's caption.
    plat::UnregisterHostObject();
    host::ContestRun run = DefaultRun();
    run.ownDxcc = "UA";
    const plat::WindowId panel = StartPanel(run);
    ASSERT_NE(panel, 0u);
    const WindowState w = Read(panel);
    EXPECT_EQ(w.caption, "Установки DI-VE-RI CW/SSB 2026");
    EXPECT_EQ(w.Control(kViewLabel)->text, "Отображать");
    EXPECT_EQ(w.Control(kModeLabel)->text, "Вид работы");
    EXPECT_EQ(w.Control(kModeLabel)->rect, (plat::Rect{26, 8, 96, 23}));
    EXPECT_EQ(w.Control(kDxccBox)->text, "DXCC");
    EXPECT_EQ(w.Control(kCountyBox)->text, "YU/YT районы");
    EXPECT_EQ(w.Control(kOnTopBox)->text, "Поверх окон");
    EXPECT_EQ(w.Control(kPrevQsoBox)->text, "Предыдущие QSO");
    ASSERT_TRUE(Click(panel, kPrevQsoBox));
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Read(Find(kPrevQso)).caption, "DI-VE-RI-2026 Предыдущие QSO");
}

TEST_F(PanelTest, EnglishLabelKeepsItsTemplatePlace) {
    const plat::WindowId panel = StartPanel();
    ASSERT_NE(panel, 0u);
    const WindowState w = Read(panel);
    EXPECT_EQ(w.Control(kModeLabel)->text, "Mode");
    EXPECT_FALSE(w.Control(kModeLabel)->rect == (plat::Rect{26, 8, 96, 23}));
}

}  // namespace
}  // namespace testing_support
