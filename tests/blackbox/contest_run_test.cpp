// Contest-run start: the host version, the "Start" key that suppresses the
// UI once, the bad-QSO file and the flags that follow each run.
#include <sys/stat.h>

#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;

class ContestRun : public PluginTest {
  protected:
    // A host folder that is not the current directory, holding Larq2.ini.
    std::string HostFolderWithVersion(const std::string& line) {
        mkdir("host", 0755);
        WriteFile("host/Larq2.ini", "[Main]\r\n" + line + "\r\nOther=1\r\n");
        return dir() + "/host/";
    }

    int InvalidStatusFor(const std::string& hostFolder) {
        host::ContestRun run = DefaultRun();
        run.hostFolder = hostFolder;
        plugin.Reset(run);
        host::CallCheck check;
        check.call = "DL2BBB";
        check.mode = "CW";
        check.dxcc = "DL";
        check.band = "160m";
        return plugin.Check(check).status;
    }

    std::string StartKey() {
        const std::string ini = ReadFile("Plugins/DI-VE-RI.ini");
        const size_t at = ini.find("Start=");
        return at == std::string::npos ? "<none>" : ini.substr(at + 6, ini.find('\r', at) - at - 6);
    }
};

TEST_F(ContestRun, ReadsTheHostVersionFromTheFileTheSearchFound) {
    // The host folder differs from the current directory; a stray Larq2.ini
    // in the current directory must not be the one read.
    WriteFile("Larq2.ini", "Larq=9.99\r\n");
    EXPECT_EQ(InvalidStatusFor(HostFolderWithVersion("Larq=2.19")), 1);
    EXPECT_EQ(InvalidStatusFor(HostFolderWithVersion("Larq=2.20")), 1);
    EXPECT_EQ(InvalidStatusFor(HostFolderWithVersion("Larq=2.21")), 4);
}

TEST_F(ContestRun, HostWithoutSettingsFileIsCalledLarq) {
    mkdir("empty", 0755);
    EXPECT_EQ(InvalidStatusFor(dir() + "/empty/"), 4);
    plugin.Reset(DefaultRun());  // a later report would say "Larq Larq"
}

TEST_F(ContestRun, VersionFileThatCannotBeReadKeepsThePreviousVersion) {
    const std::string folder = HostFolderWithVersion("Larq=2.19");
    EXPECT_EQ(InvalidStatusFor(folder), 1);
    WriteFile("host/Larq2.ini", "[Main]\r\nNothing=here\r\n");
    EXPECT_EQ(InvalidStatusFor(folder), 1);
}

TEST_F(ContestRun, StartKeySuppressesTheUiOnce) {
    // Host 2.18 never gets the UI, but the key is still raised.
    const std::string folder = HostFolderWithVersion("Larq=2.18");
    host::ContestRun run = DefaultRun();
    run.hostFolder = folder;
    plugin.Reset(run);
    EXPECT_EQ(StartKey(), "1");
    plugin.Reset(run);
    EXPECT_EQ(StartKey(), "0");
    plugin.Reset(run);
    EXPECT_EQ(StartKey(), "1");

    // A report run writes "1" and then consumes it.
    run.reportRun = 1;
    plugin.Reset(run);
    EXPECT_EQ(StartKey(), "0");

    WriteFile("Plugins/DI-VE-RI.ini", "[settings]\r\nSTART=  7 apples\r\n");
    run.reportRun = 0;
    plugin.Reset(run);
    EXPECT_EQ(ReadFile("Plugins/DI-VE-RI.ini"), "[settings]\r\nSTART=0\r\n");
}

TEST_F(ContestRun, CreatesTheBadQsoFileNamedAfterTheContestEnd) {
    plugin.Reset(DefaultRun());
    const std::string name = "BadQSO_DozudODODER_06_12_2026.txt";
    EXPECT_EQ(ReadFile(name), "YUDX HF Contest CW/SSB UBN file \r\n");
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    plugin.Add(q);
    plugin.Add(q);
    EXPECT_NE(ReadFile(name), "YUDX HF Contest CW/SSB UBN file \r\n");
    plugin.Reset(DefaultRun());
    EXPECT_EQ(ReadFile(name), "YUDX HF Contest CW/SSB UBN file \r\n");
}

TEST_F(ContestRun, PointTableFollowsEachRunsOwnCountry) {
    host::ContestRun yu = DefaultRun();
    yu.ownCall = "YU1ZZZ";
    yu.ownDxcc = "YU";
    plugin.Reset(yu);
    plugin.Add(Qso("YU1AAA", "YU", "EU", "BGD"));
    EXPECT_NE(plugin.Result().find("Total\t 1\t 1\t"), std::string::npos);

    plugin.Reset(DefaultRun());
    plugin.Add(Qso("YU1AAA", "YU", "EU", "BGD"));
    EXPECT_NE(plugin.Result().find("Total\t 1\t 10\t"), std::string::npos);
}

TEST_F(ContestRun, HeadingCarriesTheDateStampsAndTheOwnCall) {
    plugin.Reset(DefaultRun());
    EXPECT_EQ(plugin.Result().rfind("    DI-VE-RI  05.12-06.12.2026\r\n\tContestant: DL1XYZ \r\n"
                                    "\tQSOs\tPoints\tDXCC\tYU-County\r\n",
                                    0),
              0u);
}

}  // namespace
