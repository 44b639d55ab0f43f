// QSO lines made under another own call than the one the run scores: the
// log's lines name each such call once, with where it stands.
#pragma once

#include <string>
#include <vector>

#include "host/readers/log_reader.h"

namespace host {

// One text per other own call on the QSO lines, in the order they first
// appear: "1 QSO line carries the own call DL1ZZZ, not DL1XYZ: line 9"; with
// more than five lines, their count and the first five.
std::vector<std::string> OtherOwnCallLines(const ContestLog& log, const std::string& ownCall);

}  // namespace host
