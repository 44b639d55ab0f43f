// Whether a log was sent for another contest, by its CONTEST: header line.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

// True when a CONTEST: value names a contest other than ours. Ours is a value
// that, upper-cased with everything but letters and digits removed, is
// DIVERI or starts with YUDX; an empty value names none.
bool NamesOtherContest(const std::string& contestValue);

// The log's CONTEST: value when it names another contest, else "" (also when
// the log has no CONTEST: line).
std::string OtherContestOf(const std::vector<std::pair<std::string, std::string>>& header);

}  // namespace host
