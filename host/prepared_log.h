// A contest log made ready for the plug-in: read, each call resolved to its
// DXCC entity and continent, the own station named, the contest period told.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "host/log_reader.h"
#include "host/options.h"
#include "host/plugin_loader.h"

namespace host {

class CountryResolver;

struct PreparedLog {
    ContestLog log;
    ContestRun run;               // own station and period; no folder yet
    std::vector<QsoFields> qsos;  // in log order
    std::set<std::string> unresolved;
};

// Reads the log and the country file named in the options and builds the
// QSOs; throws InputError when either cannot be used.
PreparedLog PrepareLog(const Options& o);

// Loads the country file; throws InputError when it is missing or damaged.
void LoadCountries(const std::string& path, CountryResolver& countries);

}  // namespace host
