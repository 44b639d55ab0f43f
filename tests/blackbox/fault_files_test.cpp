// File-system faults: the working folder missing or read-only, the plug-in's
// files replaced by folders, a full disk, and settings files that are huge,
// binary or without their section. Every export still answers as usual,
// nothing hangs, and what was written well before stays whole.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;
using testing_support::SplitCrLf;

constexpr const char* kBadFile = "BadQSO_DozudODODER_06_12_2026.txt";
constexpr const char* kHeader = "YUDX HF Contest CW/SSB UBN file ";
constexpr const char* kProfile = "Plugins/DI-VE-RI.ini";

// Sets or clears the immutable attribute: nothing may change, replace or
// remove the file or folder, root included.
bool SetImmutable(const std::string& path, bool immutable) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return ok;
}

// Makes a folder refuse new entries, renames and removals: the permission
// bits where they apply, the immutable attribute for root, who ignores them.
bool SetFolderReadOnly(const std::string& folder, bool readOnly) {
    if (geteuid() != 0) {
        return chmod(folder.c_str(), readOnly ? 0555 : 0755) == 0;
    }
    return SetImmutable(folder, readOnly);
}

class FileFaults : public PluginTest {
  protected:
    // A report run whose form is confirmed unchanged, with one bad QSO line
    // and one good QSO.
    void StartReportRun() {
        plat::SetModalFormHandler(
            [](const std::string&, std::vector<plat::FormField>&) { return true; });
        host::ContestRun run = DefaultRun();
        run.reportRun = 1;
        ASSERT_EQ(plugin.Reset(run), 1);
        host::QsoFields wrong = Qso("DL2BBB", "DL", "EU", "002");
        wrong.band = "30m";
        EXPECT_EQ(plugin.Add(wrong), 0);
        EXPECT_EQ(plugin.Add(Qso("OK1AAA", "OK", "EU", "003")), 1);
    }
    std::string OutputMessage() {
        const auto boxes = plat::ShownMessageBoxes();
        plat::ClearShownMessageBoxes();
        return boxes.empty() ? "<none>" : boxes.back().text;
    }
    // The bad-QSO file is its header and whole problem lines.
    void ExpectWholeBadFile(size_t problemLines) {
        const std::string bytes = ReadFile(kBadFile);
        const std::vector<std::string> lines = SplitCrLf(bytes);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], kHeader);
        EXPECT_EQ(lines.size(), problemLines + 1) << bytes;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        for (size_t i = 1; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].rfind("QSO:  ", 0), 0u) << lines[i];
            EXPECT_EQ(lines[i].back(), '!') << lines[i];
        }
    }
};

TEST_F(FileFaults, MissingWorkingFolderLosesOnlyTheFiles) {
    plugin.Reset(DefaultRun());
    ASSERT_EQ(std::system(("rm -rf '" + dir() + "'").c_str()), 0);  // the current directory

    host::ContestRun run = DefaultRun();
    run.reportRun = 1;
    EXPECT_EQ(plugin.Reset(run), 1);
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    EXPECT_EQ(plugin.Add(q), 1);
    EXPECT_EQ(plugin.Add(q), 1);  // a dupe whose line is lost
    q.band = "30m";
    EXPECT_EQ(plugin.Add(q), 0);
    EXPECT_EQ(plugin.Remove(q), 1);
    int hostValue = 0;
    const std::string result = plugin.Result(&hostValue);
    EXPECT_EQ(hostValue, -1);
    EXPECT_NE(result.find("Total\t 1\t 1\t 1\t 0\r\nDupe\t 1\r\nBad QSO\t 0\r\n"),
              std::string::npos)
        << result;
    EXPECT_EQ(OutputMessage(), "Cannot write file: DL1XYZ.cbr");
    ASSERT_EQ(mkdir(dir().c_str(), 0700), 0);  // for the fixture to clean up
}

TEST_F(FileFaults, FoldersWhereTheFilesShouldBe) {
    ASSERT_EQ(mkdir(kBadFile, 0755), 0);
    ASSERT_EQ(mkdir("DL1XYZ.cbr", 0755), 0);
    ASSERT_EQ(mkdir(kProfile, 0755), 0);
    StartReportRun();
    EXPECT_EQ(plugin.Remove(Qso("OK1AAA", "OK", "EU", "003")), 1);
    EXPECT_EQ(plugin.Add(Qso("OK1AAA", "OK", "EU", "003")), 1);
    const std::string result = plugin.Result();
    EXPECT_NE(result.find("Bad QSO\t 0\r\nScore: 2*(1+0) = 2\r\n"), std::string::npos) << result;
    EXPECT_EQ(OutputMessage(), "Cannot write file: DL1XYZ.cbr");
    struct stat info {};
    for (const char* path : {kBadFile, "DL1XYZ.cbr", kProfile}) {
        ASSERT_EQ(stat(path, &info), 0) << path;
        EXPECT_TRUE(S_ISDIR(info.st_mode)) << path << " was replaced";
    }
}

TEST_F(FileFaults, PluginsIsAFileNotAFolder) {
    ASSERT_EQ(rmdir("Plugins"), 0);
    WriteFile("Plugins", "not a folder");
    StartReportRun();
    EXPECT_NE(plugin.Result().find("Score: 2*(1+0) = 2\r\n"), std::string::npos);
    EXPECT_EQ(OutputMessage(), "File produced: DL1XYZ.cbr");
    EXPECT_EQ(ReadFile("Plugins"), "not a folder");
}

TEST_F(FileFaults, ReadOnlyFolderKeepsEveryEarlierFile) {
    StartReportRun();
    plugin.Result();
    ASSERT_EQ(OutputMessage(), "File produced: DL1XYZ.cbr");
    const std::string cabrillo = ReadFile("DL1XYZ.cbr");
    const std::string profile = ReadFile(kProfile);
    // The files themselves stay writable; only the folders refuse changes.
    if (!SetFolderReadOnly(".", true) || !SetFolderReadOnly("Plugins", true)) {
        GTEST_SKIP() << "cannot make a folder read-only here";
    }
    EXPECT_EQ(plugin.Add(Qso("OK1AAA", "OK", "EU", "003")), 1);  // a dupe: one more line
    // The file is rewritten in place when no new file can be made beside it.
    EXPECT_EQ(plugin.Remove(Qso("DL2BBB", "DL", "EU", "002")), 1);
    const std::string result = plugin.Result();
    const std::string message = OutputMessage();
    SetFolderReadOnly("Plugins", false);
    SetFolderReadOnly(".", false);

    EXPECT_NE(result.find("Dupe\t 1\r\nBad QSO\t 0\r\n"), std::string::npos) << result;
    ExpectWholeBadFile(1);
    if (message == "File produced: DL1XYZ.cbr") {
        EXPECT_NE(ReadFile("DL1XYZ.cbr"), cabrillo);  // rewritten in place, whole
        EXPECT_EQ(SplitCrLf(ReadFile("DL1XYZ.cbr")).back(), "END-OF-LOG:");
    } else {
        EXPECT_EQ(message, "Cannot write file: DL1XYZ.cbr");
        EXPECT_EQ(ReadFile("DL1XYZ.cbr"), cabrillo);
    }
    EXPECT_NE(ReadFile(kProfile).find("[Settings]"), std::string::npos);
    (void)profile;
}

TEST_F(FileFaults, FilesThatCannotBeReplacedStayAsTheyWere) {
    StartReportRun();
    plugin.Result();
    ASSERT_EQ(OutputMessage(), "File produced: DL1XYZ.cbr");
    const std::string cabrillo = ReadFile("DL1XYZ.cbr");
    const std::string badQsos = ReadFile(kBadFile);
    const std::string profile = ReadFile(kProfile);
    const char* const files[] = {"DL1XYZ.cbr", kBadFile, kProfile};
    for (const char* file : files) {
        if (geteuid() != 0 || !SetImmutable(file, true)) {
            GTEST_SKIP() << "cannot make a file unchangeable here";
        }
    }
    EXPECT_EQ(plugin.Add(Qso("OK1AAA", "OK", "EU", "003")), 1);
    EXPECT_EQ(plugin.Remove(Qso("DL2BBB", "DL", "EU", "002")), 1);
    const std::string result = plugin.Result();
    const std::string message = OutputMessage();
    host::ContestRun run = DefaultRun();
    EXPECT_EQ(plugin.Reset(run), 1);  // would empty the bad-QSO file
    for (const char* file : files) {
        SetImmutable(file, false);
    }
    EXPECT_NE(result.find("Dupe\t 1\r\nBad QSO\t 1\r\n"), std::string::npos) << result;
    EXPECT_EQ(message, "Cannot write file: DL1XYZ.cbr");
    EXPECT_EQ(ReadFile("DL1XYZ.cbr"), cabrillo);
    EXPECT_EQ(ReadFile(kBadFile), badQsos);
    EXPECT_EQ(ReadFile(kProfile), profile);
}

// A folder on a file system of a few kilobytes, made the current directory
// for the test; the disk is then filled up to the last byte.
class FullDisk : public FileFaults {
  protected:
    void SetUp() override {
        FileFaults::SetUp();
        ASSERT_EQ(mkdir("disk", 0755), 0);
        if (mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
        }
        mounted_ = true;
        ASSERT_EQ(chdir("disk"), 0);
        ASSERT_EQ(mkdir("Plugins", 0755), 0);
    }
    void TearDown() override {
        if (mounted_) {
            chdir(dir().c_str());
            umount("disk");
        }
        FileFaults::TearDown();
    }
    // Writes a filler file until no byte is left.
    void FillDisk() {
        std::FILE* f = std::fopen("filler", "wb");
        ASSERT_NE(f, nullptr);
        std::setvbuf(f, nullptr, _IONBF, 0);
        const std::string block(512, 'x');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        while (std::fputc('x', f) != EOF) {
        }
        std::fclose(f);
    }
    void FreeDisk() { std::remove("filler"); }

    bool mounted_ = false;
};

TEST_F(FullDisk, FailedWritesLeaveEveryFileWhole) {
    StartReportRun();
    plugin.Result();
    ASSERT_EQ(OutputMessage(), "File produced: DL1XYZ.cbr");
    const std::string cabrillo = ReadFile("DL1XYZ.cbr");
    const std::string profile = ReadFile(kProfile);
    FillDisk();

    // Long lines, so that the slack at the end of the file's last block
    // takes a part of one.
    host::QsoFields big = Qso("OK1AAA", "OK", "EU", std::string(3000, '7'));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(plugin.Add(big), 1);
    }
    EXPECT_EQ(plugin.Remove(Qso("DL2BBB", "DL", "EU", "002")), 1);
    const std::string result = plugin.Result();
    EXPECT_EQ(OutputMessage(), "Cannot write file: DL1XYZ.cbr");
    EXPECT_EQ(ReadFile("DL1XYZ.cbr"), cabrillo);
    EXPECT_EQ(ReadFile(kProfile), profile);
    const size_t lines = SplitCrLf(ReadFile(kBadFile)).size() - 1;
    ExpectWholeBadFile(lines);

    // With room again, later lines are whole and follow the earlier ones.
    FreeDisk();
    host::QsoFields wrong = Qso("DL2BBB", "DL", "EU", "002");
    wrong.band = "160m";
    EXPECT_EQ(plugin.Add(wrong), 0);
    ExpectWholeBadFile(lines + 1);
    EXPECT_NE(plugin.Result().find("Score: 2*(1+0) = 2\r\n"), std::string::npos);
    EXPECT_EQ(OutputMessage(), "File produced: DL1XYZ.cbr");
    EXPECT_NE(ReadFile(kProfile).find("Claimed=2"), std::string::npos);
}

TEST_F(FullDisk, ContestRunStartOnAFullDisk) {
    FillDisk();
    host::ContestRun run = DefaultRun();
    run.reportRun = 1;
    EXPECT_EQ(plugin.Reset(run), 1);
    host::QsoFields q = Qso("DL2BBB", "DL", "EU", "002");
    EXPECT_EQ(plugin.Add(q), 1);
    EXPECT_EQ(plugin.Add(q), 1);
    EXPECT_NE(plugin.Result().find("Dupe\t 1\r\nBad QSO\t 0\r\n"), std::string::npos);
    EXPECT_EQ(OutputMessage(), "Cannot write file: DL1XYZ.cbr");
    FreeDisk();
    // No half-made bad-QSO file: either none, or its header and whole lines.
    if (FileExists(kBadFile) && !ReadFile(kBadFile).empty()) {
        ExpectWholeBadFile(SplitCrLf(ReadFile(kBadFile)).size() - 1);
    }
}

// Settings files the plug-in reads but did not write.
class DamagedSettings : public PluginTest {};

TEST_F(DamagedSettings, HugeBinaryOrSectionlessFilesGiveTheDefaults) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 7919) & 0xFF);
    }
    const std::string huge =
        "[Settings]\r\nStart=" + std::string(20 * 1024 * 1024, '1') + "\r\nSoapBox=x\r\n";
    const std::vector<std::string> profiles = {binary, huge, "Start=1\r\nClaimed=77\r\n",
                                               std::string("[Settings\0]\r\nStart=1", 20)};
    for (const std::string& profile : profiles) {
        WriteFile(kProfile, profile);
        WriteFile("Larq2.ini", profile);
        host::ContestRun run = DefaultRun();
        run.reportRun = 1;
        EXPECT_EQ(plugin.Reset(run), 1);
        EXPECT_EQ(plugin.Add(Qso("OK1AAA", "OK", "EU", "003")), 1);
        const std::string result = plugin.Result();
        EXPECT_NE(result.find("Score: 2*(1+0) = 2\r\n"), std::string::npos);
        EXPECT_EQ(plat::ShownMessageBoxes().back().text, "File produced: DL1XYZ.cbr");
        const std::vector<std::string> cabrillo = SplitCrLf(ReadFile("DL1XYZ.cbr"));
        ASSERT_EQ(cabrillo.size(), 25u);
        EXPECT_EQ(cabrillo[11], "CLUB: ");
        EXPECT_EQ(cabrillo[10], "CLAIMED-SCORE: 2");
    }
}

TEST_F(DamagedSettings, HostSettingsThatAreNotAPlainFile) {
    ASSERT_EQ(mkdir("host", 0755), 0);
    ASSERT_EQ(mkdir("host/Larq2.ini", 0755), 0);    // a folder matching the search
    ASSERT_EQ(mkfifo("host2-Larq2.ini", 0644), 0);  // would block a reader forever
    host::ContestRun run = DefaultRun();
    for (const char* folder : {"host/", "host2-"}) {
        run.hostFolder = folder;
        EXPECT_EQ(plugin.Reset(run), 1);
    }
    EXPECT_EQ(plugin.Check({"DL2BBB", "CW", "DL", "30m", nullptr, true}).status, 4);
}

}  // namespace
