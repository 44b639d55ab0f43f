// A test that drives the plug-in's windows as the host and its operator do:
// the plug-in loaded in a scratch folder, a host automation object
// registered on the test's thread (which is therefore the host's thread and
// answers the UI thread's calls only when it pumps), and the headless
// window system's driver to look at the windows and click them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/host_object.h"
#include "tests/headless/headless_windows.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/recording_host.h"

namespace testing_support {

// Template numbers of the four windows.
constexpr int kPanel = 104;
constexpr int kDxcc = 105;
constexpr int kCounty = 106;
constexpr int kPrevQso = 108;

class UiTest : public PluginTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a contest run, which starts the UI, and waits until the panel
    // has finished its start (macros run, first refresh done). 0 when no
    // panel came.
    plat::WindowId StartPanel(const host::ContestRun& run);
    plat::WindowId StartPanel() { return StartPanel(DefaultRun()); }

    // Waits, answering the UI thread's host calls, until the thread of `w`
    // has handled everything queued for it.
    bool Settle(plat::WindowId w);
    // Waits, answering host calls, until `done` is true.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);

    // The live window of the template, or 0.
    static plat::WindowId Find(int templateId) { return plat::headless::FindWindow(templateId); }
    static plat::headless::WindowState Read(plat::WindowId w);
    // Templates of the live windows, oldest first.
    static std::vector<int> LiveTemplates();

    // A key of the plug-in's settings file, "" when missing.
    static std::string Setting(const std::string& key);
    static void SetSetting(const std::string& key, const std::string& value);

    std::shared_ptr<RecordingHost> host;
};

}  // namespace testing_support
