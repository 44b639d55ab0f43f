// The published standings of a checked contest: each log's category and
// section from its header and own call, the reasons a log is not ranked, and
// its ranks in its category, DXCC entity and continent.
#pragma once

#include "host/cross_check/checked_contest.h"
#include "host/readers/country_file.h"

namespace host {

// Fills in every log's standing. A log is ranked when its category is one of
// the contest's (no checklog, no unknown value), its own call keeps the call
// rule and its CONTEST: line names no other contest. Ranks follow the checked
// score; equal scores share a rank and the next rank skips (1, 1, 3).
void RankEntries(CheckedContest& c, const CountryResolver& countries);

// The error rate's figures: the lines that do not stand (busted call,
// busted exchange, not in log) and the lines cross-checked (those and the
// ones found ok). False when no line was cross-checked.
bool ErrorRateOf(const CheckedLog& l, size_t& wrong, size_t& checked);
// "1.4 %", or "-" when no line was cross-checked.
std::string ErrorRateText(const CheckedLog& l);

// The checked pass's row of a band; zero figures when it has none.
SummaryBand CheckedBand(const CheckedLog& l, const std::string& band);

// The ranked logs of one letter and section, best first (ties by call):
// those of ranked (Ranked's list) in its order.
std::vector<const CheckedLog*> CategoryTable(const std::vector<const CheckedLog*>& ranked,
                                             char letter, bool yu);

}  // namespace host
