// How far each log's clock ran off: the median difference between its times
// and its partners' times over the QSOs both sides logged unambiguously.
#pragma once

#include <vector>

#include "host/cross_check/contest_lines.h"

namespace host {

// Per used log, whole minutes its clock ran fast (negative: slow), as the
// log's times are to be corrected: 0 when fewer than 5 QSOs pair up, and 0
// when the offset found is no larger than the matching window, which the
// window absorbs anyway (a right clock's jitter of a minute would otherwise
// move its QSOs of the period's first or last minute out of the period).
// Pairs are exact calls within +-(60 + windowMinutes) where each side has
// exactly one candidate. found, when given, gets the offsets found, applied
// or not.
std::vector<int> ClockOffsets(const ContestLines& lines, size_t logCount, int windowMinutes,
                              std::vector<int>* found = nullptr);

// The offset applied for one found: 0 within the window, else as found.
int AppliedClockOffset(int found, int windowMinutes);

}  // namespace host
