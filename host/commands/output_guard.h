// The files a score or check run writes, checked before anything is
// written, so that no option overwrites the run's own inputs.
#pragma once

#include <string>

#include "host/one_log/prepared_log.h"
#include "host/options.h"

namespace host {

// Throws InputError when a file the run writes (--html, --problems, --json,
// --page, and in the output folder the bad-QSO file, the settings files and
// with --report the .cbr) is the log, the country file or the plug-in, or
// when two of them are one file. Files are compared by what they are on disk,
// not by how they are spelled.
void RefuseOverwrites(const Options& o, const PreparedLog& p, const std::string& plugin);

}  // namespace host
