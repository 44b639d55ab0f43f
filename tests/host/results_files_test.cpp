// What check-logs leaves on disk: every output checked before any work, the
// reports of logs no longer in the folder removed, the same bytes from two
// runs, and after a kill at any moment each output either the earlier run's
// whole file or this run's.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "stats_host_fixture.h"

namespace {

namespace fs = std::filesystem;
using stats_host_test::HostRun;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

using Snapshot = std::map<std::string, std::string>;  // file under dir() -> bytes

class ResultsFiles : public StatsHost {
  protected:
    void Generate(const std::string& folder, int seed, int stations) {
        fs::create_directories(dir() + "/" + folder);
        ASSERT_EQ(std::system((std::string(STATS_CONTEST_GENERATOR) + " --out '" + dir() + "/" +
                               folder + "' --stations " + std::to_string(stations) +
                               " --qsos 150 --seed " + std::to_string(seed))
                                  .c_str()),
                  0);
    }
    // The arguments of a run over dir()/folder writing every output.
    std::string Arguments(const std::string& folder) {
        return "check-logs '" + dir() + "/" + folder +
               "' --cty '" STATS_HOST_TEST_DATA "/cty.dat' --out '" + dir() + "/out' --json '" +
               dir() + "/r.json' --csv '" + dir() + "/r.csv' --html '" + dir() + "/r.html'";
    }
    // The outputs as they are now; temporary files left by a kill aside.
    Snapshot Outputs() {
        Snapshot s;
        for (const char* file : {"r.json", "r.csv", "r.html"}) {
            if (fs::exists(dir() + "/" + file)) {
                s[file] = Slurp(dir() + "/" + file);
            }
        }
        std::error_code error;
        for (fs::directory_iterator it(dir() + "/out/ubn", error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name.find(".partial") == std::string::npos) {
                s["ubn/" + name] = Slurp(it->path().string());
            }
        }
        return s;
    }
    void Restore(const Snapshot& s) {
        fs::remove_all(dir() + "/out/ubn");
        fs::create_directories(dir() + "/out/ubn");
        for (const auto& file : s) {
            Write(file.first.compare(0, 4, "ubn/") == 0 ? "out/" + file.first : file.first,
                  file.second);
        }
    }
    // Starts the run in a process group of its own and kills the whole group
    // after the delay; returns whether it had finished by then.
    bool KillAfter(const std::string& folder, std::chrono::milliseconds delay) {
        const std::string command =
            std::string(STATS_HOST_EXE) + " " + Arguments(folder) + " >/dev/null 2>&1";
        const pid_t pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(pid, pid);
        std::this_thread::sleep_for(delay);
        int status = 0;
        const bool finished = waitpid(pid, &status, WNOHANG) == pid;
        if (!finished) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        return finished;
    }
};

TEST_F(ResultsFiles, AKilledRunLeavesEachOutputWholeAndTwoRunsWriteTheSameBytes) {
    Generate("first", 3, 40);
    Generate("second", 4, 60);
    HostRun r = Host(Arguments("first"));
    ASSERT_EQ(r.status, 0) << r.err;
    const Snapshot before = Outputs();
    // Timed twice, the shorter taken: on a busy machine one run can take
    // far longer than the next, and the kills below must land inside a run.
    auto timed = [&] {
        const auto start = std::chrono::steady_clock::now();
        r = Host(Arguments("second"));
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
    };
    auto took = timed();
    ASSERT_EQ(r.status, 0) << r.err;
    const Snapshot after = Outputs();
    // The reports of the first contest's calls are gone.
    for (const auto& file : before) {
        if (file.first.compare(0, 4, "ubn/") == 0) {
            EXPECT_EQ(after.count(file.first), 0u) << file.first;
        }
    }
    took = std::min(took, timed());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Outputs() == after) << "a second run wrote other bytes";

    int killed = 0;
    for (int eighth = 1; eighth <= 9; ++eighth) {
        Restore(before);
        if (KillAfter("second", took * eighth / 8)) {
            continue;
        }
        ++killed;
        const Snapshot now = Outputs();
        for (const char* file : {"r.json", "r.csv", "r.html"}) {
            ASSERT_EQ(now.count(file), 1u) << file << " lost at " << eighth << "/8";
        }
        for (const auto& file : now) {
            const bool earlier = before.count(file.first) && before.at(file.first) == file.second;
            const bool later = after.count(file.first) && after.at(file.first) == file.second;
            EXPECT_TRUE(earlier || later) << file.first << " cut at " << eighth << "/8";
        }
    }
    EXPECT_GE(killed, 4);
}

TEST_F(ResultsFiles, EveryOutputIsCheckedBeforeAnyWork) {
    Generate("logs", 5, 10);
    fs::create_directories(dir() + "/folder.json");
    const struct {
        const char* option;
        const char* message;
    } cases[] = {
        {"--json '%/folder.json'", "folder.json: is a folder, not a file for the results"},
        {"--csv '%/missing/r.csv'", "missing/r.csv: cannot write the results: No such file"},
        {"--html '%/missing/r.html'", "missing/r.html: cannot write the results: No such file"},
    };
    for (const auto& c : cases) {
        std::string option = c.option;
        option.replace(option.find('%'), 1, dir());
        const HostRun r = Host("check-logs '" + dir() +
                               "/logs' --cty '" STATS_HOST_TEST_DATA "/cty.dat' --out '" + dir() +
                               "/out' " + option);
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir() + "/out/ubn")) << option << ": reports written";
    }
    // The files and folders the run writes inside its output folder and the
    // site's: a file where a folder belongs, or a folder where a file does,
    // stops it before the logs are even read.
    const struct {
        const char* in;  // made under dir()
        bool folder;
        const char* option;
        const char* message;
    } inside[] = {
        {"out2/ubn", false, "--out '%/out2'", "out2/ubn: cannot create the folder of reports"},
        {"out3/review.txt", true, "--out '%/out3'",
         "out3/review.txt: is a folder, not a file for the review list"},
        {"site/entrants", false, "--out '%/out4' --site '%/site'",
         "site/entrants: cannot create the folder of the entrants' pages"},
    };
    for (const auto& c : inside) {
        const fs::path made = dir() + "/" + c.in;
        fs::create_directories(c.folder ? made : made.parent_path());
        if (!c.folder) {
            Write(c.in, "");
        }
        std::string option = c.option;
        for (size_t at; (at = option.find('%')) != std::string::npos;) {
            option.replace(at, 1, dir());
        }
        const HostRun r = Host("check-logs '" + dir() +
                               "/logs' --cty '" STATS_HOST_TEST_DATA "/cty.dat' " + option);
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("contest period"), std::string::npos) << option << ": logs checked";
    }
}

}  // namespace
