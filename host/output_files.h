// The files a run writes: checked before anything is written, so that no
// option overwrites the run's own inputs, and written whole or refused with
// the reason.
#pragma once

#include <string>

#include "host/commands/options.h"
#include "host/one_log/prepared_log.h"

namespace host {

// The Cabrillo file a report run makes for the own call, as the plug-in
// names it: "DL1XYZ.cbr", "YU1XYZ_P.cbr" for YU1XYZ/P.
std::string CabrilloFileName(const std::string& ownCall);

// Throws InputError when a file the run writes (--html, --problems, --json,
// --page, and in the output folder the bad-QSO file, the settings files and
// with --report the .cbr) is the log, the country file or the plug-in, or
// when two of them are one file. Files are compared by what they are on disk,
// not by how they are spelled.
void RefuseOverwrites(const Options& o, const PreparedLog& p, const std::string& plugin);

// Writes text as the whole file at path; throws InputError naming the file,
// what it was to hold and why it could not be written.
void WriteOutputFile(const std::string& path, const std::string& text, const std::string& what);

// Flushes standard output; throws InputError when what was written there
// did not all arrive (a full device, a closed pipe).
void FlushStandardOutput();

}  // namespace host
