// The robot's folder: its parts made at start, the scratch folder emptied,
// the committee's token, and logs/ made again from the database.
#pragma once

#include <ostream>
#include <string>

#include "host/robot/submissions.h"

namespace host::robot {

struct RobotFolder {
    explicit RobotFolder(const std::string& d)
        : dir(d),
          logs(d + "/logs"),
          history(d + "/history"),
          tmp(d + "/tmp"),
          database(d + "/robot.sqlite"),
          token(d + "/committee.token") {}
    std::string dir;
    std::string logs;
    std::string history;
    std::string tmp;
    std::string database;
    std::string token;
};

// Makes the folders that are missing and empties tmp/; throws InputError.
void PrepareFolder(const RobotFolder& f);

// The committee's token: read from its file, or made there (created
// exclusively, mode 0600) with its path said once on err. Throws
// InputError for a file that holds no token or that others may read.
std::string CommitteeToken(const RobotFolder& f, std::ostream& err);

// Makes logs/ hold exactly one file per current call, the bytes of its
// current upload in history/, and removes uploads in history/ that the
// database does not know (a start after a crash). Says on err what it
// removed or put back.
void RebuildLogs(const RobotFolder& f, Submissions& db, std::ostream& err);

// A call's file in logs/: its safe name and the upload's kind.
std::string LogFileName(const std::string& call, const std::string& extension);

// Equal strings, compared in a time that does not tell how much of them
// agrees.
bool SameSecret(const std::string& a, const std::string& b);

}  // namespace host::robot
