// Each QSO's time as the plug-in takes it (a day count), after its log's
// clock correction: worked out here once and read by the contest period, the
// matching and both plug-in passes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/cross_check/contest_folder.h"

namespace host {

class QsoTimes {
  public:
    // The times as logged.
    explicit QsoTimes(const std::vector<EntrantLog>& logs);

    // Moves each log's times back by its clock offset (minutes fast); once.
    void Correct(const std::vector<int>& offsetMinutes);

    // Every QSO's time, log after log, each log's in QSO order: the order of
    // the contest's lines.
    const std::vector<double>& all() const { return days_; }
    // Where a log's QSOs begin in all(); First(logs) is all().size().
    size_t First(size_t log) const { return first_[log]; }
    // The times of one log's QSOs.
    const double* Of(size_t log) const { return days_.data() + first_[log]; }

  private:
    std::vector<size_t> first_;
    std::vector<double> days_;
};

// Whole minutes on a linear scale, for comparing times: a time within a
// minute counts as the minute it began. Times from about the year 5983 on
// do not fit and all count as the last minute that does.
int32_t MinuteOf(double day);

}  // namespace host
