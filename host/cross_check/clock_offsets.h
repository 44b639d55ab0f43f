// How far each log's clock ran off: the median difference between its times
// and its partners' times over the QSOs both sides logged unambiguously.
#pragma once

#include <vector>

#include "host/cross_check/contest_lines.h"

namespace host {

// Per used log, whole minutes its clock ran fast (negative: slow); 0 when
// fewer than 5 QSOs pair up. Pairs are exact calls within
// +-(60 + windowMinutes) where each side has exactly one candidate.
std::vector<int> ClockOffsets(const ContestLines& lines, size_t logCount, int windowMinutes);

}  // namespace host
