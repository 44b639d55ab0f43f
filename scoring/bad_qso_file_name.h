// The name of a contest run's bad-QSO file, "BadQSO_DozudODODER_06_12_2026.txt"
// for a contest ending on 6 December 2026. The plug-in creates the file under
// this name in its current directory; a host that reads the file back builds
// the name here too. Header-only, so a host needs no more of the engine than
// the date formatting.
#pragma once

#include <string>

#include "platform/ole_date.h"

inline std::string BadQsoFileName(const plat::OleDate& contestEnd) {
    return "BadQSO_DozudODODER_" + plat::FormatOleDate(contestEnd, "%d_%m_%Y") + ".txt";
}
