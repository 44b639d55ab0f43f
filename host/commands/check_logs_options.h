// The options that belong to check-logs alone.
#pragma once

#include <cstddef>
#include <string>

#include "host/options.h"

namespace host {

// --csv, --time-window and --uniques; throws InputError for a bad value.
void ParseCheckLogsOption(const std::string& name, const std::string& value, Options& o);

// Checks the command line of check-logs once all of it is read: one DIR, no
// option of the other commands; sets the default output folder.
void CheckCheckLogsArguments(size_t positionals, Options& o);

extern const char* const kCheckLogsUsage;

}  // namespace host
