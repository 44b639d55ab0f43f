// The two runs of each log through the plug-in: the claimed pass (the log as
// score scores it in the contest period) and the checked pass (only the QSOs
// that stand after the cross-check, in the same order).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/cross_check/contest_folder.h"
#include "host/cross_check/qso_status.h"
#include "host/one_log/contest_period.h"
#include "host/one_log/prepared_log.h"
#include "host/plugin_host/plugin_loader.h"
#include "host/plugin_host/summary_text.h"
#include "host/problems.h"
#include "host/readers/country_file.h"
#include "scoring/rule_set.h"

namespace host {

struct PassFigures {
    long qsos = 0;
    long points = 0;
    long multipliers = 0;  // DXCC plus counties
    long score = 0;
    // The summary's rows, one per band in its order; a single-band entry's
    // other bands count nothing, so the rows add up to the figures above.
    std::vector<SummaryBand> bands;
};

struct ClaimedPass {
    PassFigures figures;
    std::vector<QsoStatus> status;  // per QSO of the log: what the scoring found
    std::vector<Problem> problems;  // the scoring's problems, by line
};

struct PassContext {
    std::string pluginPath;
    // Loaded by the first pass that runs, then kept for the passes after it
    // in the same process.
    Plugin* plugin = nullptr;
    std::string folder;  // the host's folder, the current directory, ending in a separator
    const CountryResolver* countries = nullptr;
    ContestPeriod period;
    RuleSet rules = RuleSet::kClassic;
};

// The band a log's entry scores under these rules: "40m" for a single-band
// entry under the 2020 rules (the band of its category: its CATEGORY: line's
// letter H to L, else its CATEGORY-BAND), else "" for every band.
std::string EntryBandOfLog(RuleSet rules, const EntrantLog& e);

// What the claimed pass found of one QSO of the log, told as soon as it is
// known: first the QSOs outside the period, then each QSO as it is replayed.
using StatusFound = std::function<void(size_t qso, QsoStatus status)>;

// known: the log's QSO times, corrected (QsoTimes::Of), and their calls'
// entities.
ClaimedPass RunClaimedPass(const PassContext& c, const EntrantLog& e, KnownOfQsos known,
                           const StatusFound& found = {});

// stands(qso): whether the QSO goes into the checked pass, asked once for
// each QSO of the period in the order they are replayed.
PassFigures RunCheckedPass(const PassContext& c, const EntrantLog& e, KnownOfQsos known,
                           const std::function<bool(size_t qso)>& stands);

}  // namespace host
