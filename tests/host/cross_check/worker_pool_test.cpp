// The worker processes: results come back by place in the order, whatever
// indexes the order holds, and a job that waits on another's trail gives up
// when that one fails or its worker dies, instead of waiting for ever; the
// failure told is the first job's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "host/cross_check/pass_trail.h"
#include "host/cross_check/worker_pool.h"
#include "host/host_error.h"

namespace {

using host::HostError;
using host::PassTrail;
using host::QsoStatus;

// A folder of the test's own for the workers' folders.
std::string Folder() {
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("worker-pool-test-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(dir);
    return dir + "/";
}

TEST(WorkerPool, ResultsComeBackByPlaceForAnyIndexes) {
    const std::vector<size_t> order = {7, 2, 40, 0};
    const std::vector<std::string> results = host::RunJobs(
        order, Folder(), [](size_t i) { return std::to_string(i * i); }, [](size_t) {});
    EXPECT_EQ(results, (std::vector<std::string>{"49", "4", "1600", "0"}));
}

TEST(WorkerPool, AJobOnAnothersTrailGivesUpWhenThatOneFails) {
    // Job 3 tells part of a trail and then fails (throws, or its worker is
    // killed); job 9 waits for more of the trail than will ever be told.
    struct Case {
        const char* name;
        bool killed;
        const char* told;  // what RunJobs throws
    };
    const Case cases[] = {
        {"the job throws", false, "the plug-in refused the log"},
        {"its worker is killed", true, " before log 4 was scored"},
    };
    for (const Case& c : cases) {
        PassTrail trail(10);
        const auto job = [&](size_t i) -> std::string {
            if (i == 3) {
                try {
                    trail.Tell(0, QsoStatus::kDupe);
                    trail.Tell(1, QsoStatus::kCounted);
                    if (c.killed) {
                        std::raise(SIGKILL);
                    }
                    throw HostError(host::kExitInput, "the plug-in refused the log");
                } catch (...) {
                    trail.Stop();
                    throw;
                }
            }
            if (!trail.WaitFor(10)) {
                throw host::JobAbandoned();
            }
            return "all told";
        };
        try {
            host::RunJobs(
                {3, 9}, Folder(), job, [](size_t) {}, {},
                [&](size_t i) {
                    if (i == 3) {
                        trail.Stop();
                    }
                },
                [](size_t i) { return i; });
            ADD_FAILURE() << c.name << ": no failure told";
        } catch (const HostError& e) {
            EXPECT_NE(std::string(e.what()).find(c.told), std::string::npos)
                << c.name << ": " << e.what();
            EXPECT_EQ(e.status(), c.killed ? host::kExitInternal : host::kExitInput) << c.name;
        }
    }
}

TEST(WorkerPool, ATrailIsReadAsItIsTold) {
    PassTrail trail(3);
    EXPECT_TRUE(trail.Told(0));
    EXPECT_FALSE(trail.Told(1));
    trail.Tell(2, QsoStatus::kNoCounty);
    EXPECT_TRUE(trail.WaitFor(1));
    EXPECT_EQ(trail.Of(2), QsoStatus::kNoCounty);
    EXPECT_EQ(trail.Of(0), QsoStatus::kCounted);  // not told yet
    trail.Stop();
    EXPECT_FALSE(trail.WaitFor(2));
    EXPECT_TRUE(trail.WaitFor(1));  // what was told stays told
}

}  // namespace
