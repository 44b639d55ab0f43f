// The results table as a page for a browser: one section per category
// (CATEGORY-OPERATOR and CATEGORY-MODE), best checked score first in each.
#pragma once

#include <string>

#include "host/cross_check/checked_contest.h"

namespace host {

// The whole page: self-contained, no script, every text from the logs
// escaped.
std::string ResultsPage(const CheckedContest& c);

}  // namespace host
