#include "tests/support/plugin_fixture.h"

#include "tests/support/sample_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace testing_support {
namespace {}  // namespace

void PluginTest::SetUp() {
    ASSERT_TRUE(scratch_.Enter());
    plat::ResetHostServices();
    ASSERT_TRUE(plugin.Load(STATS_PLUGIN_PATH)) << plugin.error();
}

void PluginTest::TearDown() {
    plugin.Unload();
    plat::ResetHostServices();
    if (!scratch_.Leave(HasFailure())) {
        std::fprintf(stderr, "could not leave or remove the scratch folder\n");
    }
}

void PluginTest::Reload() {
    plugin.Unload();
    ASSERT_TRUE(plugin.Load(STATS_PLUGIN_PATH)) << plugin.error();
}

std::string PluginTest::ReadFile(const std::string& name) const {
    return ReadFileBytes(name);
}

void PluginTest::WriteFile(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(name, bytes);
}

bool PluginTest::FileExists(const std::string& name) const {
    struct stat info {};
    return stat(name.c_str(), &info) == 0;
}

host::ContestRun PluginTest::DefaultRun() {
    host::ContestRun run = sample::Run("DL1XYZ", "DL", 0);
    run.hostFolder = "";
    return run;
}

host::QsoFields PluginTest::Qso(const std::string& call, const std::string& dxcc,
                                const std::string& continent, const std::string& exchRcvd) {
    return sample::Qso(call, dxcc, continent, exchRcvd, 0);
}

}  // namespace testing_support
