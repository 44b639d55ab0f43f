// The files a run writes, written whole or refused with the reason.
#pragma once

#include <string>

namespace host {

// The Cabrillo file a report run makes for the own call, as the plug-in
// names it: "DL1XYZ.cbr", "YU1XYZ_P.cbr" for YU1XYZ/P.
std::string CabrilloFileName(const std::string& ownCall);

// Writes text as the whole file at path; throws InputError naming the file,
// what it was to hold and why it could not be written.
void WriteOutputFile(const std::string& path, const std::string& text, const std::string& what);

// Flushes standard output; throws InputError when what was written there
// did not all arrive (a full device, a closed pipe).
void FlushStandardOutput();

}  // namespace host
