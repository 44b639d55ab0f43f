// What a bad-QSO file is named and what its lines say, in one header-only
// place: the plug-in writes the file, and a host that reads it back (the
// stand-in host's problems report) needs the same name and reasons without
// linking the engine.
#pragma once

#include <string>

#include "platform/ole_date.h"

// The file's name for a contest that ends on the given date, e.g.
// "BadQSO_DozudODODER_06_12_2026.txt" for 6 December 2026.
inline std::string BadQsoFileName(const plat::OleDate& contestEnd) {
    return "BadQSO_DozudODODER_" + plat::FormatOleDate(contestEnd, "%d_%m_%Y") + ".txt";
}

// The file's first line, and the reasons that end its problem lines.
constexpr const char* kBadQsoHeader = "YUDX HF Contest CW/SSB UBN file ";
constexpr const char* kReasonWrongBand = "   WRONG BAND !!!";
constexpr const char* kReasonWrongMode = "   WRONG MODE !!!";
constexpr const char* kReasonNoRxNumber = "   NO RX NUMBER !!!";
constexpr const char* kReasonNoCounty = "   NO SERBIA COUNTY !!!";
constexpr const char* kReasonNotANumber = "   RX NOT A NUMBER !!!";
constexpr const char* kReasonDupe = "   DUPE !!!";
