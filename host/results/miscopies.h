// What other stations copied wrong of each entrant: their QSO lines whose
// call is one character off the entrant's (a busted call on their side) or
// whose exchange is not what the entrant sent. Their error, no cost to the
// entrant; a report lists them so the operator can see how the signal and
// the sending were taken.
#pragma once

#include "host/cross_check/checked_contest.h"

namespace host {

// Fills each log's standing.copiedWrong, in the order of the other logs.
void FindMiscopies(CheckedContest& c);

}  // namespace host
