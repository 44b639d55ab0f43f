// The UI thread's life as the host sees it: started by a contest run, ended
// by Escape or by the library's unload, which closes the county, DXCC and
// previous-QSO windows before the panel and never hangs, even while the UI
// thread waits for the host that is unloading it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/sample_log.h"
#include "tests/support/ui_fixture.h"

namespace testing_support {
namespace {

using Clock = std::chrono::steady_clock;

class UiThreadTest : public UiTest {
  protected:
    // A panel with all three other windows, as saved view choices open them.
    plat::WindowId StartWithAllWindows() {
        SetSetting("setup_view_dxcc", "1");
        SetSetting("setup_view_county", "1");
        SetSetting("setup_view_prev_qso", "1");
        const plat::WindowId panel = StartPanel();
        if (panel != 0 && LiveTemplates().size() != 4) {
            ADD_FAILURE() << "the panel opened " << LiveTemplates().size() - 1 << " windows";
        }
        return panel;
    }

    // Unloads the library and says how long it took.
    std::chrono::milliseconds TimedUnload() {
        const auto start = Clock::now();
        plugin.Unload();
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    }

    static bool LibraryGone() {
        void* handle = dlopen(STATS_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD);
        if (handle != nullptr) {
            dlclose(handle);
        }
        return handle == nullptr;
    }
};

TEST_F(UiThreadTest, UnloadWithoutAPanelDoesNotWait) {
    EXPECT_LT(TimedUnload().count(), 200);
    EXPECT_TRUE(LibraryGone());
}

TEST_F(UiThreadTest, UnloadClosesCountyDxccPreviousQsoThenThePanel) {
    ASSERT_NE(StartWithAllWindows(), 0u);
    // Watches the windows go while the unload runs: whatever moment it sees,
    // the windows already gone are the first ones of the closing order.
    const std::vector<int> order = {kCounty, kDxcc, kPrevQso, kPanel};
    std::atomic<bool> watching{true};
    std::vector<std::vector<int>> seen;
    std::thread watcher([&] {
        while (watching) {
            std::vector<int> live = LiveTemplates();
            if (seen.empty() || seen.back() != live) {
                seen.push_back(live);
            }
        }
    });
    const auto took = TimedUnload();
    watching = false;
    watcher.join();
    EXPECT_LT(took.count(), 2000);
    EXPECT_TRUE(LiveTemplates().empty());
    EXPECT_TRUE(LibraryGone());
    for (const std::vector<int>& live : seen) {
        size_t closed = 0;
        while (closed < order.size() &&
               std::find(live.begin(), live.end(), order[closed]) == live.end()) {
            ++closed;
        }
        for (size_t i = closed; i < order.size(); ++i) {
            EXPECT_NE(std::find(live.begin(), live.end(), order[i]), live.end())
                << "template " << order[i] << " went before template " << order[closed - 1];
        }
    }
}

TEST_F(UiThreadTest, UnloadWhileTheUiThreadWaitsForTheUnloadingHost) {
    const plat::WindowId panel = StartWithAllWindows();
    ASSERT_NE(panel, 0u);
    // The SSB button calls the host, which does not pump: the UI thread
    // waits inside the call when the host unloads the library.
    ASSERT_TRUE(plat::headless::Click(panel, 1007));
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (plat::PendingHostCalls() == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_GT(plat::PendingHostCalls(), 0);
    EXPECT_LT(TimedUnload().count(), 2000);
    EXPECT_TRUE(LiveTemplates().empty());
    EXPECT_TRUE(LibraryGone());
}

TEST_F(UiThreadTest, ProcessExitWithTheWindowsOpenEndsPromptly) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The host ends without unloading the library.
        const int code = StartWithAllWindows() != 0 && LiveTemplates().size() == 4 ? 0 : 3;
        std::exit(code);
    }
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    const auto start = Clock::now();
    pid_t done = 0;
    while ((done = waitpid(child, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (done == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the process did not end";
    }
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // Opening the windows takes part of this; closing them must not hang.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count(),
              3000);
}

TEST_F(UiThreadTest, EscapeEndsThePanelWithItsWindowsAndTheNextRunReopensThem) {
    const plat::WindowId panel = StartWithAllWindows();
    ASSERT_NE(panel, 0u);
    ASSERT_TRUE(plat::headless::PressEscape(panel));
    ASSERT_TRUE(WaitFor([] { return LiveTemplates().empty(); }));
    // "Start" lets every other run start the UI; the one after that finds
    // the panel gone and starts a fresh one with the saved windows.
    plugin.Reset(DefaultRun());
    EXPECT_TRUE(LiveTemplates().empty());
    ASSERT_NE(StartPanel(), 0u);
    EXPECT_EQ(LiveTemplates(), (std::vector<int>{kPanel, kPrevQso, kDxcc, kCounty}));
}

TEST_F(UiThreadTest, RepeatedLoadAndUnloadWithTheWindowsOpen) {
    for (int cycle = 0; cycle < 20; ++cycle) {
        if (cycle > 0) {
            ASSERT_TRUE(plugin.Load(STATS_PLUGIN_PATH)) << plugin.error();
            SetSetting("Start", "0");
        }
        ASSERT_NE(StartWithAllWindows(), 0u) << "cycle " << cycle;
        ASSERT_LT(TimedUnload().count(), 2000) << "cycle " << cycle;
        ASSERT_TRUE(LiveTemplates().empty()) << "cycle " << cycle;
        ASSERT_TRUE(LibraryGone()) << "cycle " << cycle;
    }
}

// The operator clicks through the panel while the host logs, checks, removes
// and scores QSOs: both threads share the settings file and the engine's
// state, and neither loses what the other wrote.
TEST_F(UiThreadTest, OperatorUsesThePanelWhileTheHostRunsExports) {
    const plat::WindowId panel = StartWithAllWindows();
    ASSERT_NE(panel, 0u);
    std::atomic<bool> clicking{true};
    std::thread operatorThread([&] {
        const int controls[] = {1016, 1017, 1020, 1018, 1004, 1007};
        for (int i = 0; clicking; ++i) {
            plat::headless::Click(panel, controls[i % 6]);
            plat::headless::MovePointerOver(panel);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    for (int i = 0; i < 200; ++i) {
        const std::string call = "DL" + std::to_string(i % 40) + "ABC";
        plugin.Add(sample::Qso(call, "DL", "EU", "001", i % 60));
        host::CallCheck check;
        check.call = call;
        check.mode = "CW";
        check.dxcc = "DL";
        plugin.Check(check);
        if (i % 7 == 0) {
            plugin.Remove(sample::Qso(call, "DL", "EU", "001", i % 60));
        }
        if (i % 25 == 0) {
            plugin.Result();
        }
        plat::PumpHostCalls();
    }
    clicking = false;
    operatorThread.join();
    ASSERT_TRUE(Settle(panel));
    EXPECT_EQ(Setting("Start"), "1");
    EXPECT_NE(Setting("Claimed"), "");
    const std::string mode = Setting("Mode");
    EXPECT_TRUE(mode == "CW" || mode == "SSB") << mode;
    EXPECT_NE(Setting("setup_window_on_top"), "");
    EXPECT_LT(TimedUnload().count(), 2000);
    EXPECT_TRUE(LiveTemplates().empty());
}

}  // namespace
}  // namespace testing_support
