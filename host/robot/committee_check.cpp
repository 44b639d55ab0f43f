#include "host/robot/committee_check.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/wait.h>

#include <filesystem>

#include "host/robot/child_process.h"
#include "host/robot/durable_files.h"
#include "host/robot/robot.h"

namespace host::robot {

namespace fs = std::filesystem;

namespace {

// A check of the largest contest ends well within this.
const int kCheckSeconds = 4 * 3600;

}  // namespace

CommitteeCheck::CommitteeCheck(Robot& robot, std::vector<std::string> checkOptions)
    : robot_(robot), options_(std::move(checkOptions)) {}

CommitteeCheck::~CommitteeCheck() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool CommitteeCheck::Start() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ == "running") {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    const std::string id = RandomHex(8);
    const std::string snapshot = robot_.folder().tmp + "/check-logs-" + id;
    const std::string fresh = robot_.folder().dir + "/results.new-" + id;
    state_ = "running";
    progress_ = "taking a snapshot of logs/";
    thread_ = std::thread([this, snapshot, fresh] { Run(snapshot, fresh); });
    return true;
}

nlohmann::json CommitteeCheck::State() {
    std::lock_guard<std::mutex> lock(mutex_);
    return {{"state", state_},
            {"progress", progress_},
            {"finished", finished_.empty() ? nlohmann::json(nullptr) : nlohmann::json(finished_)}};
}

void CommitteeCheck::Finish(const std::string& state, const std::string& progress) {
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = state;
    progress_ = progress;
    finished_ = NowUtc();
}

void CommitteeCheck::Run(const std::string& snapshot, const std::string& fresh) {
    std::error_code e;
    robot_.SnapshotLogs(snapshot);
    fs::create_directories(fresh, e);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        progress_ = "check-logs is running";
    }
    std::vector<std::string> args = {"stats-host",
                                     "check-logs",
                                     snapshot,
                                     "--out",
                                     fresh,
                                     "--json",
                                     fresh + "/results.json",
                                     "--html",
                                     fresh + "/results.html",
                                     "--csv",
                                     fresh + "/results.csv",
                                     "--site",
                                     fresh + "/site"};
    args.insert(args.end(), options_.begin(), options_.end());
    const ChildEnd end = RunThisProgram(args, snapshot + ".stderr", kCheckSeconds);
    std::string errors;
    try {
        errors = ReadWhole(snapshot + ".stderr");
    } catch (const StoreError&) {
        errors.clear();
    }
    fs::remove_all(snapshot, e);
    fs::remove(snapshot + ".stderr", e);
    if (!end.started || end.timedOut || !WIFEXITED(end.status) || WEXITSTATUS(end.status) != 0) {
        fs::remove_all(fresh, e);
        Finish("failed", errors.size() > 2000 ? errors.substr(errors.size() - 2000) : errors);
        return;
    }
    // The new results take the old ones' place in one step.
    const std::string results = robot_.folder().dir + "/results";
    if (fs::exists(results)) {
        if (::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, results.c_str(), RENAME_EXCHANGE) != 0) {
            fs::remove_all(fresh, e);
            Finish("failed", "the results could not take DIR/results' place");
            return;
        }
        fs::remove_all(fresh, e);
    } else {
        fs::rename(fresh, results, e);
    }
    Finish("done", "results in " + results);
}

}  // namespace host::robot
