// What a cross-check of a whole contest found, as the reports read it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/cross_check/contest_folder.h"
#include "host/cross_check/plugin_passes.h"
#include "host/cross_check/qso_countries.h"
#include "host/cross_check/qso_status.h"
#include "host/cross_check/standing.h"
#include "host/one_log/contest_period.h"
#include "scoring/rule_set.h"

namespace host {

// One QSO line of a log, read or not, in file order.
struct CheckedQso {
    int line = 0;
    const LogQso* qso = nullptr;       // null for a line that could not be read
    double time = 0.0;                 // its time after the clock correction, as a day count
    const Country* country = nullptr;  // its call's entity; null where it names none
    std::string reason;                // why it could not be read
    Verdict verdict;
};

struct CheckedLog {
    const EntrantLog* entrant = nullptr;
    std::string entryBand;     // "40m": the one band a single-band entry scores, else ""
    int clockOffset = 0;       // applied to the log's times
    int clockOffsetFound = 0;  // found, applied or not
    Standing standing;
    PassFigures claimed;
    PassFigures checked;
    std::vector<CheckedQso> qsos;
    std::vector<Problem> problems;  // the scoring's, by line
    std::array<size_t, kQsoStatuses> counts{};
};

struct CheckedContest {
    RuleSet rules = RuleSet::kClassic;
    ContestPeriod period;
    int timeWindow = 3;
    bool keepUniques = true;
    std::vector<CheckedLog> logs;  // in file-name order
    std::vector<SkippedFile> skipped;
    std::vector<ReviewEntry> review;  // by log, in the logs' order
    QsoCountries countries;           // what the lines' countries point into
};

// "2026-02-14 12:03", the time as logged.
std::string LoggedTime(const LogTime& t);
// The same, appended to out: a million lines' times cost far less so.
void AppendLoggedTime(std::string& out, const LogTime& t);

// The logs best checked score first; ties by call.
std::vector<const CheckedLog*> Ranked(const CheckedContest& c);

}  // namespace host
