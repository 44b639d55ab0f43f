// Reads a contest log, Cabrillo 3.0 or ADIF (told apart by the content), into
// the QSO fields the host hands to the plug-in. Lines that cannot be read are
// reported with their line and reason and left out; the rest is kept. Lines
// may end in CR LF, LF or CR alone. Calls are read in capitals, as a logging
// program's entry field shows them; exchanges in their normal form
// (NormalisedExchange); a missing report is 599 on CW and 59 on SSB.
#pragma once

#include <cstddef>
#include <string>

#include "host/readers/contest_log.h"

namespace host {

// Reads the file at path. Returns false with error set when the file cannot
// be read, is empty, is UTF-16 text, or is neither Cabrillo nor ADIF.
bool ReadLogFile(const std::string& path, ContestLog& log, std::string& error);
// The same for text already in memory; name is used in the messages.
bool ParseLog(const std::string& text, const std::string& name, ContestLog& log,
              std::string& error);

// The own call the log names: its header's, else its first QSO's; empty
// when it names none.
std::string OwnCallOf(const ContestLog& log);

// Moves the QSOs whose call cannot be a call (see BrokenCallRule) from qsos
// to badCalls. The calls of a log of more than halvesAbove QSOs are looked
// at on two threads.
void SetAsideBadCalls(ContestLog& log, const std::string& ownCall, size_t halvesAbove = 30000);

}  // namespace host
