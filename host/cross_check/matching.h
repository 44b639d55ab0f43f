// One-to-one matching of QSO lines between logs: exact calls first, then
// one-character busts among the lines still unmatched. The smallest time
// difference wins; ties go to the earlier line.
#pragma once

#include <cstdint>
#include <vector>

#include "host/cross_check/contest_lines.h"

namespace host {

enum class MatchKind : uint8_t {
    kNone,
    kExact,     // both logged each other's call
    kTheyBust,  // we logged them right, they logged a bust of our call
    kWeBust,    // we logged a bust of their call, they logged ours right
};

struct Matches {
    std::vector<uint32_t> partner;  // per line: the partner line, or UINT32_MAX
    std::vector<MatchKind> kind;
};

// windowMinutes: the largest time difference (after correction) that matches.
Matches MatchLines(const ContestLines& lines, int windowMinutes);

}  // namespace host
