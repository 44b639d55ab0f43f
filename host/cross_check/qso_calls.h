// Every QSO's worked call as a number: the contest's distinct calls, as
// logged, numbered in the order they first come, log after log. The
// countries and the index of the lines work once per distinct call rather
// than once per line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/cross_check/contest_folder.h"

namespace host {

class QsoCalls {
  public:
    // Half of the QSOs are numbered on each of two threads, then joined.
    explicit QsoCalls(const std::vector<EntrantLog>& logs);

    // Each QSO's number, log after log in the order of the logs, each log's
    // QSOs in order (the order of QsoTimes).
    const std::vector<uint32_t>& ofQso() const { return ofQso_; }
    // The distinct calls by number; they point into the logs.
    const std::vector<const std::string*>& calls() const { return calls_; }

  private:
    std::vector<uint32_t> ofQso_;
    std::vector<const std::string*> calls_;
};

}  // namespace host
