// Rules for the fields the host passes as they go into the plug-in's
// one-line records: the bad-QSO file, the Cabrillo file, the settings file.
#pragma once

#include <string>

#include "platform/ole_date.h"

// A field as it goes into a one-line record: CR and LF become blanks.
std::string OneLine(const std::string& text);

// A QSO's date and time as the Cabrillo and bad-QSO lines write it
// ("2026-12-05 1200"); removal finds a QSO's bad-QSO lines by it.
std::string QsoTimeText(const plat::OleDate& time);
