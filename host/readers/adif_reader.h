// Reads an ADIF log: <NAME:length[:type]>value fields, records closed by
// <EOR>, an optional header closed by <EOH>.
#pragma once

#include <string>

#include "host/readers/contest_log.h"

namespace host {

// Fills log from the text of an ADIF log (without a byte order mark).
void ParseAdif(const std::string& text, ContestLog& log);

}  // namespace host
