// Why a QSO is not in the other station's log, in words the operator can
// act on: the other log holds our call at about that time on another band
// or mode ("YU1YV logged you at 14:35 on 40m CW"), or nothing near it.
#pragma once

#include "host/cross_check/checked_contest.h"

namespace host {

// Sets the detail of every not-in-log line: the other log's line with our
// call nearest in time within the time window (after both logs' clock
// offsets), on whatever band and mode; else "no QSO with you within N
// minutes".
void ExplainNotInLog(CheckedContest& c);

}  // namespace host
