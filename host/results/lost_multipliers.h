// The multipliers an entrant claimed and lost in the cross-check, each with
// the QSO line that cost it: the plug-in counts a DXCC entity and (where
// counties score) a Serbian county once per band, so a multiplier is lost
// when every line that brought it on that band fell.
#pragma once

#include "host/cross_check/checked_contest.h"
#include "host/readers/country_file.h"

namespace host {

// Fills each log's standing.lostMultipliers. Runs after the standings are
// judged (RankEntries starts each standing afresh). The countries are the
// ones the passes resolved the calls with.
void FindLostMultipliers(CheckedContest& c, const CountryResolver& countries);

}  // namespace host
