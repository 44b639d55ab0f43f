// A test that drives the plug-in as the host does: a fresh scratch folder as
// the current directory (with its "Plugins" folder), a freshly loaded
// library, and nothing left over from the test before.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/plugin_host/plugin_loader.h"
#include "platform/posix/host_services.h"
#include "tests/support/bytes.h"
#include "tests/support/scratch_folder.h"

namespace testing_support {

class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Unloads and loads the library again: state as right after load.
    void Reload();

    // The scratch folder, which is the current directory during the test.
    const std::string& dir() const { return scratch_.dir(); }

    // A whole file of the scratch folder, or "<missing>".
    std::string ReadFile(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;
    bool FileExists(const std::string& name) const;

    // A contest run of DL1XYZ (DL, EU) from 5 to 6 December 2026.
    static host::ContestRun DefaultRun();
    // A QSO on 20 m CW with DL1XYZ sending 599 001 at 2026-12-05 12:00.
    static host::QsoFields Qso(const std::string& call, const std::string& dxcc,
                               const std::string& continent, const std::string& exchRcvd);

    host::Plugin plugin;

  private:
    ScratchFolder scratch_;
};

}  // namespace testing_support
