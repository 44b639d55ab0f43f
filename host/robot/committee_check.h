// The committee's cross-check, run in the background by the robot: a
// snapshot of logs/ is checked by check-logs in a process of its own, into a
// new folder that then takes the place of DIR/results whole.
#pragma once

#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

namespace host::robot {

class Robot;

class CommitteeCheck {
  public:
    CommitteeCheck(Robot& robot, std::vector<std::string> checkOptions);
    ~CommitteeCheck();
    CommitteeCheck(const CommitteeCheck&) = delete;
    CommitteeCheck& operator=(const CommitteeCheck&) = delete;

    // Starts a run; false while one runs.
    bool Start();
    // {"state": "idle" | "running" | "done" | "failed", "progress", "finished"}
    nlohmann::json State();

  private:
    void Run(const std::string& snapshot, const std::string& fresh);
    void Finish(const std::string& state, const std::string& progress);

    Robot& robot_;
    std::vector<std::string> options_;
    std::mutex mutex_;
    std::string state_ = "idle";
    std::string progress_;
    std::string finished_;
    std::thread thread_;
};

}  // namespace host::robot
