// An entrant's page on the published results: its report laid out as
// tables (the figures per band, the multipliers lost, each kind of QSO that
// did not stand, what the scoring found), every text escaped.
#pragma once

#include <string>

#include "host/cross_check/checked_contest.h"

namespace host {

std::string EntrantPage(const CheckedLog& l, bool keepUniques);

}  // namespace host
