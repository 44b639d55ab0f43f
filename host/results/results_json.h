// The whole cross-check as JSON: the period, each log's claimed and checked
// result and every QSO line with its status, and the files left out.
#pragma once

#include <string>

#include "host/cross_check/checked_contest.h"

namespace host {

// Throws InputError when the file cannot be written.
void WriteResultsJson(const std::string& path, const CheckedContest& c);

}  // namespace host
