// What the chosen rule set makes of one log: the band a single-band entry
// scores, the entry's score, and under the classic rules a note when the
// contest's rules since 2020 would score the log otherwise.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/plugin_host/summary_text.h"
#include "scoring/rule_set.h"

namespace host {

struct PreparedLog;

// The entry's CATEGORY-BAND as the report run's form gets it: --header's
// answer, else the log's header line, else "".
std::string CategoryBand(const std::map<std::string, std::string>& headerOptions,
                         const std::vector<std::pair<std::string, std::string>>& headerFields);

// "40m" when the rules score a single band for this CATEGORY-BAND (the 2020
// rules, 80M to 10M); "" for every band.
std::string EntryBandUnder(RuleSet rules, const std::string& categoryBand);

// The entry's score from the summary: every band's, or the entry band's
// points times its multipliers (0 when the band has no row).
long EntryScore(const SummaryFigures& figures, const std::string& entryBand);

// Under the classic rules, the note for standard error when the 2020 rules
// differ for this log, naming why; "" when they would not, or under 2020.
std::string RulesNote(const PreparedLog& p);

}  // namespace host
