// The committee's review list: the logs to look at before the results are
// published, each with its reason and the figure behind it.
#pragma once

#include <string>
#include <vector>

#include "host/cross_check/checked_contest.h"

namespace host {

// The entries for every log, in the logs' order, reasons in a fixed order:
// callsign-mismatch (CALLSIGN: against the own call of most QSO lines),
// other-contest, call-rule, uniques (over 10 % of the QSO lines in the period
// and at least 10), rate-minute (more than 8 QSOs in a clock minute) and
// rate-hour (more than 300 in 60 minutes) for single-op entries, clock-offset
// (more than 30 minutes found), category-band. Run after RankEntries.
std::vector<ReviewEntry> ReviewList(const CheckedContest& c);

// Adds to each log's warnings the reasons it is on the list that its
// standing does not already name (not ranked, a category band that
// disagrees), so its report shows them.
void AddReviewToWarnings(CheckedContest& c);

// The list as text for OUT/review.txt.
std::string ReviewText(const std::vector<ReviewEntry>& review);

}  // namespace host
