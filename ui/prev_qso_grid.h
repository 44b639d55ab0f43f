// The previous-QSO grid: per band, when the typed call was last worked in CW
// and in SSB, and what it sent. Row b of the grid belongs to band slot b
// ("160m" to "10m"); cell 0 names the band, cell 1 holds the time of the
// call's last CW QSO on the band, cell 2 that of its last SSB QSO, cell 3 the
// received serial number (or the county of a YU/YT station), cell 4 is
// unused. Callers hold EngineLock() around both functions.
#pragma once

#include <string>

#include "scoring/engine_state.h"

namespace ui {

// What an empty cell shows once a refresh has touched the grid.
extern const char* const kEmptyGridCell;

// Sets cells 1 to 4 of every row to kEmptyGridCell. A row too short to hold
// them (the grid before any contest run) is first completed with the band's
// name and placeholders.
void ClearPrevQsoCells(BandLists& rows);

// Fills the rows from the call's own QSOs, in log order, so that each cell
// shows the last matching QSO. Bands and modes compare exactly: a QSO stored
// in "cw" fills no time cell but still sets the exchange cell, and one stored
// on "20M" has no row and fills nothing. Reads only the call's records through the log's index, so
// the cost does not grow with the log. An empty call fills nothing.
void FillPrevQsoCells(const QsoLog& log, const std::string& call, BandLists& rows);

}  // namespace ui
