// Reads a Cabrillo 3.0 log: header tags, then one QSO: line per QSO in fixed
// columns.
#pragma once

#include <cstddef>
#include <string>

#include "host/readers/contest_log.h"

namespace host {

// Texts longer than this (about 30,000 QSO lines) are read in two halves at
// once, one on each core.
constexpr size_t kCabrilloHalvesAbove = 2 * 1024 * 1024;

// Fills log from the text of a Cabrillo log (without a byte order mark).
void ParseCabrillo(const std::string& text, ContestLog& log);

// The same, read as two stretches on two threads: the lines before the
// first line that starts at or after byte cut, and the rest (whole when no
// line starts there). The log comes out as ParseCabrillo gives it.
void ParseCabrilloInHalves(const std::string& text, size_t cut, ContestLog& log);

}  // namespace host
