#include "tests/support/plugin_fixture.h"

#include "tests/support/sample_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace testing_support {
namespace {

void RemoveTree(const std::string& path) {
    const std::string command = "rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "could not remove %s\n", path.c_str());
    }
}

}  // namespace

void PluginTest::SetUp() {
    char buffer[4096];
    previousDir_ = getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    char pattern[] = "/tmp/stats-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    dir_ = made;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    ASSERT_EQ(mkdir("Plugins", 0755), 0);
    plat::ResetHostServices();
    ASSERT_TRUE(plugin.Load(STATS_PLUGIN_PATH)) << plugin.error();
}

void PluginTest::TearDown() {
    plugin.Unload();
    plat::ResetHostServices();
    if (chdir(previousDir_.c_str()) != 0) {
        std::fprintf(stderr, "could not return to %s\n", previousDir_.c_str());
    }
    if (!dir_.empty() && !HasFailure()) {
        RemoveTree(dir_);
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
