#include "tests/support/ui_fixture.h"

#include <chrono>
#include <thread>

#include "platform/profile.h"

namespace testing_support {

void UiTest::SetUp() {
    plat::headless::ResetWindows();
    host = std::make_shared<RecordingHost>();
    host->SetField(plat::HostValue(std::string()));  // no call typed
    plat::RegisterHostObject(host);
    PluginTest::SetUp();
}

void UiTest::TearDown() {
    // The unload closes the windows, answering the UI thread's host calls
    // while it waits.
    PluginTest::TearDown();
    plat::UnregisterHostObject();
    plat::headless::ResetWindows();
}

plat::WindowId UiTest::StartPanel(const host::ContestRun& run) {
    plugin.Reset(run);
    plat::WindowId panel = 0;
    if (!WaitFor([&] { return (panel = Find(kPanel)) != 0; })) {
        return 0;
    }
    return Settle(panel) ? panel : 0;
}

bool UiTest::Settle(plat::WindowId w) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        // Each refresh asks the host a few times: answer while waiting, and
        // look at the queue often, so a backlog of refreshes drains quickly.
        plat::PumpHostCallsFor(1);
        if (plat::PendingHostCalls() == 0 && plat::headless::Sync(w, 1) &&
            plat::PendingHostCalls() == 0) {
            return true;
        }
    }
    return false;
}

bool UiTest::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        plat::PumpHostCalls();
        if (done()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        plat::PumpHostCallsFor(2);
        std::this_thread::yield();
    }
}

plat::headless::WindowState UiTest::Read(plat::WindowId w) {
    return plat::headless::ReadWindow(w).value_or(plat::headless::WindowState());
}

std::vector<int> UiTest::LiveTemplates() {
    std::vector<int> templates;
    for (const plat::headless::WindowState& w : plat::headless::LiveWindows()) {
        templates.push_back(w.templateId);
    }
    return templates;
}

std::string UiTest::Setting(const std::string& key) {
    return plat::ReadProfileString("Plugins\\DI-VE-RI.ini", "Settings", key, "");
}

void UiTest::SetSetting(const std::string& key, const std::string& value) {
    plat::WriteProfileString("Plugins\\DI-VE-RI.ini", "Settings", key, value);
}

}  // namespace testing_support
