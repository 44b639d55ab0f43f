// What the robot needs to know of a log beyond its score: the entry's
// category, the kind of file it is stored as, and whether it is refused.
#pragma once

#include <string>
#include <vector>

#include "host/one_log/prepared_log.h"

namespace host::robot {

struct EntryFacts {
    std::string category;   // the letter, or "" for none
    std::string extension;  // "log" for Cabrillo, "adi" for ADIF
    std::vector<std::string> warnings;
    std::string refusal;  // why the log is not taken, or ""
};

EntryFacts FactsOfEntry(const PreparedLog& p);

}  // namespace host::robot
