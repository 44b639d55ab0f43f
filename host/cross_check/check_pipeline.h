// The cross-check of a whole contest, from the logs read to the results the
// reports print: the index of every QSO line, the clock offsets, the
// contest period, the claimed pass of each log through the plug-in, the
// matching, the verdicts and the checked pass.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "host/cross_check/checked_contest.h"
#include "host/cross_check/contest_folder.h"
#include "host/readers/country_file.h"
#include "scoring/rule_set.h"

namespace host {

struct CheckSettings {
    std::string start;     // the period's start and end as given; both empty:
    std::string end;       // the busiest 24 hours of all logs
    std::string logsName;  // the folder of logs, for messages
    int timeWindow = 3;
    bool keepUniques = true;
    RuleSet rules = RuleSet::kClassic;
    std::string pluginPath;
    std::string folder;  // the output folder, entered, ending in a separator
    // Told each call the passes resolve, once, before they run.
    CountryResolver* countries = nullptr;
    // Told the period once it is chosen, before the passes run.
    std::function<void(const ContestPeriod&)> periodChosen;
    // Told how many logs were scored ("scored") or checked ("checked").
    std::function<void(const char* what, size_t done, size_t of)> progress;
    // Told as each stage ends, by name ("matching"), for measuring them.
    std::function<void(const char* stage)> stageDone = [](const char*) {};
    // Work on the contest that needs no score of the checked pass, done while
    // that pass runs: each log's entrant, lines and verdicts are in, and the
    // contest's rules, period and time window; not yet the logs' figures.
    std::function<void(CheckedContest&)> linesReady = [](CheckedContest&) {};
};

// Checks the contest's logs; the result points into contest.logs. Throws
// InputError when no period can be told, HostError as a pass fails.
CheckedContest CheckContest(const ContestFolder& contest, const CheckSettings& settings);

}  // namespace host
