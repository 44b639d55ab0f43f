// The UI thread from inside the library: the claim on the panel, a second
// start while a panel runs, the unload hook's end state, and refresh
// requests that cannot be delivered.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

#include "platform/posix/host_object.h"
#include "platform/posix/host_services.h"
#include "platform/profile.h"
#include "scoring/engine_state.h"
#include "tests/headless/headless_windows.h"
#include "tests/support/scratch_folder.h"
#include "ui/dialog_tables.h"
#include "ui/setup_panel.h"
#include "ui/ui_link.h"
#include "ui/ui_thread.h"
#include "ui/window_set.h"

namespace {

using Clock = std::chrono::steady_clock;

class NoHost : public plat::HostObject {
  public:
    bool RunMacro(const std::string&) override { return true; }
    std::optional<plat::HostValue> GetFieldText(int) override {
        return plat::HostValue(std::string());
    }
    std::optional<plat::HostValue> Frequency() override { return plat::HostValue(7010000.0); }
};

// A scratch folder as the current directory; the engine and the windows as
// after load; a host object on this thread.
class UiThreadUnitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.Enter("stats-ui"));
        plat::ResetHostServices();
        plat::headless::ResetWindows();
        ui::ResetWindowSet();
        {
            plat::LockGuard lock(EngineLock());
            ResetEngineState();
            g_startYear = "2026";
        }
        plat::RegisterHostObject(std::make_shared<NoHost>());
    }
    void TearDown() override {
        ui::OnLibraryUnload();
        EXPECT_EQ(ui::g_setupPanel.load(), 0u);
        plat::UnregisterHostObject();
        plat::headless::ResetWindows();
        plat::ResetHostServices();
        EXPECT_TRUE(scratch_.Leave());
    }

    static void SetSetting(const std::string& key, const std::string& value) {
        plat::WriteProfileString("Plugins\\DI-VE-RI.ini", "Settings", key, value);
    }

    // Waits, answering host calls, until `done` holds.
    static bool WaitFor(const std::function<bool()>& done) {
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (Clock::now() >= deadline) {
                return false;
            }
            plat::PumpHostCallsFor(2);
        }
        return true;
    }

    // The panel's window once its start is over.
    static plat::WindowId RunningPanel() {
        plat::WindowId panel = 0;
        // The panel's thread has also handled what was queued, so its
        // initialisation is over (WaitFor answers its host calls meanwhile).
        const bool up = WaitFor([&] {
            panel = ui::g_setupPanel.load();
            return panel != 0 && panel != ui::kPanelStarting &&
                   plat::headless::ReadWindow(panel).has_value() && plat::headless::Sync(panel, 1);
        });
        return up ? panel : 0;
    }

    testing_support::ScratchFolder scratch_;
};

TEST_F(UiThreadUnitTest, ASecondUiThreadFindsThePanelAndLeavesItAlone) {
    ui::StartUi();
    const plat::WindowId panel = RunningPanel();
    ASSERT_NE(panel, 0u);
    std::future<unsigned> second =
        std::async(std::launch::async, [] { return ui::UiThreadMain(); });
    ASSERT_TRUE(WaitFor(
        [&] { return second.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(second.get(), 1u);
    EXPECT_EQ(ui::g_setupPanel.load(), panel);
    EXPECT_EQ(plat::headless::LiveWindows().size(), 1u);
}

TEST_F(UiThreadUnitTest, StartUiWithAPanelOpenReplacesItWithOneThatReadsTheSettingsAgain) {
    ui::StartUi();
    const plat::WindowId first = RunningPanel();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(ui::g_dxccWindow.load(), 0u);
    SetSetting("setup_view_dxcc", "1");
    std::future<void> start = std::async(std::launch::async, [] { ui::StartUi(); });
    ASSERT_TRUE(WaitFor(
        [&] { return start.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_FALSE(plat::headless::ReadWindow(first).has_value());
    const plat::WindowId second = RunningPanel();
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_TRUE(WaitFor([] { return ui::g_dxccWindow.load() != 0; }));
}

TEST_F(UiThreadUnitTest, UnloadReturnsWithEveryReferenceClearedAndThePreviousQsoFlagDown) {
    SetSetting("setup_view_dxcc", "1");
    SetSetting("setup_view_county", "1");
    SetSetting("setup_view_prev_qso", "1");
    ui::StartUi();
    ASSERT_NE(RunningPanel(), 0u);
    ASSERT_TRUE(WaitFor([] { return ui::g_countyWindow.load() != 0; }));
    EXPECT_TRUE(ui::prevQsoWindowOpen);
    ui::OnLibraryUnload();
    EXPECT_EQ(ui::g_setupPanel.load(), 0u);
    EXPECT_EQ(ui::g_dxccWindow.load(), 0u);
    EXPECT_EQ(ui::g_countyWindow.load(), 0u);
    EXPECT_EQ(ui::g_prevQsoWindow.load(), 0u);
    EXPECT_FALSE(ui::prevQsoWindowOpen);
    EXPECT_TRUE(plat::headless::LiveWindows().empty());
}

TEST_F(UiThreadUnitTest, EscapeLowersThePreviousQsoFlagWithItsWindow) {
    SetSetting("setup_view_prev_qso", "1");
    ui::StartUi();
    const plat::WindowId panel = RunningPanel();
    ASSERT_NE(panel, 0u);
    ASSERT_TRUE(WaitFor([] { return ui::g_prevQsoWindow.load() != 0; }));
    EXPECT_TRUE(ui::prevQsoWindowOpen);
    ASSERT_TRUE(plat::headless::PressEscape(panel));
    ASSERT_TRUE(WaitFor([] { return ui::g_setupPanel.load() == 0; }));
    EXPECT_EQ(ui::g_prevQsoWindow.load(), 0u);
    EXPECT_FALSE(ui::prevQsoWindowOpen);
}

TEST_F(UiThreadUnitTest, ARefreshRequestThatCannotBeDeliveredLetsTheNextCheckAskAgain) {
    // A panel claimed but not yet created, and one whose window is gone.
    for (plat::WindowId panel : {ui::kPanelStarting, plat::WindowId{987654321}}) {
        ui::g_setupPanel = panel;
        g_refreshPending = 0;
        ui::PostRefreshRequest();
        EXPECT_EQ(g_refreshPending.load(), 1) << panel;
    }
    ui::g_setupPanel = 0;
}

struct ButtonColours {
    plat::Colour cwBack, cwFore, ssbBack, ssbFore;
};

// Runs a panel object of the test's own on a UI thread until its start is
// over, and reads its mode buttons.
ButtonColours PanelStartColours() {
    plat::HostLink link;
    ui::InfoWindows windows;
    ui::Setup panel(link, windows);
    std::thread uiThread([&] { plat::RunModalDialog(ui::SetupPanelTemplate(), panel); });
    plat::WindowId id = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while ((id = ui::g_setupPanel.load()) == 0 && Clock::now() < deadline) {
        plat::PumpHostCallsFor(2);
    }
    while (!plat::headless::Sync(id, 20) && Clock::now() < deadline) {
        plat::PumpHostCallsFor(2);
    }
    const ButtonColours colours = {panel.m_cwButton.BackColor(), panel.m_cwButton.ForeColor(),
                                   panel.m_ssbButton.BackColor(), panel.m_ssbButton.ForeColor()};
    plat::headless::PressEscape(id);
    uiThread.join();
    ui::g_setupPanel = 0;
    return colours;
}

TEST_F(UiThreadUnitTest, ModeButtonsShowTheSavedMode) {
    const plat::Colour green = plat::Rgb(0, 255, 0);
    const plat::Colour grey = plat::Rgb(192, 192, 192);
    const plat::Colour text = plat::Rgb(1, 1, 1);

    ButtonColours c = PanelStartColours();  // no "Mode": CW
    EXPECT_EQ(c.cwBack, green);
    EXPECT_EQ(c.ssbBack, grey);
    EXPECT_EQ(c.ssbFore, text);

    SetSetting("Mode", "SSB");
    c = PanelStartColours();
    EXPECT_EQ(c.cwBack, grey);
    EXPECT_EQ(c.cwFore, text);
    EXPECT_EQ(c.ssbBack, green);

    SetSetting("Mode", "cw");
    c = PanelStartColours();
    EXPECT_EQ(c.cwBack, grey);
    EXPECT_EQ(c.ssbBack, grey);
}

TEST_F(UiThreadUnitTest, SettingsAreReadWhole) {
    // A value longer than 49 characters whose number comes at its end.
    SetSetting("setup_x", std::string(60, '0') + "250");
    ui::StartUi();
    const plat::WindowId panel = RunningPanel();
    ASSERT_NE(panel, 0u);
    EXPECT_EQ(plat::headless::ReadWindow(panel)->rect.left, 250);
}

}  // namespace
