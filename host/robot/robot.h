// The log robot without its HTTP: uploads taken, scored in a worker,
// stored in a safe order and answered; the lists the entrants and the
// committee read.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "host/robot/robot_folder.h"
#include "host/robot/serve_options.h"
#include "host/robot/submissions.h"

namespace host::robot {

struct Answer {
    int status = 200;
    nlohmann::json body;
};

// Uploads scored at once, no more than the machine has cores for.
class WorkerSlots {
  public:
    explicit WorkerSlots(unsigned count) : free_(count) {}
    void Take();
    void Give();

  private:
    std::mutex mutex_;
    std::condition_variable freed_;
    unsigned free_;
};

class Robot {
  public:
    // Prepares the folder, the token and the database and makes logs/ match
    // the database; throws InputError.
    Robot(const ServeOptions& o, std::ostream& err);

    // A log uploaded from address, with the uploader's e-mail or "".
    Answer Upload(const std::string& bytes, const std::string& address, const std::string& email);
    // The current logs, as "logs received" lists show them.
    nlohmann::json LogsReceived();
    std::optional<Submission> Receipt(const std::string& receipt);
    Answer MakeCurrent(const std::string& receipt);
    nlohmann::json Review();
    // Copies the files in logs/ to folder (made), with no upload landing
    // meanwhile.
    void SnapshotLogs(const std::string& folder);

    // The Authorization header names the committee's token.
    bool IsCommittee(const std::string& authorization) const;
    const ServeOptions& options() const { return o_; }
    const RobotFolder& folder() const { return f_; }

  private:
    bool UnderHourlyCap(const std::string& address);
    Answer Refuse(int status, const std::string& why, const std::string& address,
                  const std::string& email);
    Answer Store(Submission s, nlohmann::json answer, const std::string& upload);

    ServeOptions o_;
    RobotFolder f_;
    std::ostream& err_;
    std::string token_;
    Submissions db_;
    WorkerSlots slots_;
    std::vector<std::string> scoreOptions_;
    std::mutex storing_;  // one upload at a time from history/ to logs/
    std::mutex capMutex_;
    std::map<std::string, std::deque<std::chrono::steady_clock::time_point>> uploadsBy_;
};

// The time now, ISO 8601 UTC to the second.
std::string NowUtc();

}  // namespace host::robot
