// Reads a Cabrillo 3.0 log: header tags, then one QSO: line per QSO in fixed
// columns.
#pragma once

#include <string>

#include "host/readers/contest_log.h"

namespace host {

// Fills log from the text of a Cabrillo log (without a byte order mark).
void ParseCabrillo(const std::string& text, ContestLog& log);

}  // namespace host
