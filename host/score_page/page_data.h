// What the score page shows, gathered from the one run that printed the text
// summary: the summary's figures as the plug-in counted them, the log's
// header, the QSOs the plug-in stored and counted (by hour, band and mode),
// the multipliers per band and the problems by kind.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "host/one_log/prepared_log.h"
#include "host/plugin_host/session.h"
#include "host/plugin_host/summary_text.h"
#include "host/problems.h"
#include "scoring/contest_lists.h"

namespace host {

// The contest's bands, in the summary's order.
constexpr size_t kPageBands = kContestBands;

// The longest chart: a period given as weeks is drawn for its first days.
constexpr size_t kPageMaxHours = 7 * 24;

// The longest soapbox text shown, in bytes.
constexpr size_t kPageSoapboxBytes = 600;

struct PageHour {
    int utcHour = 0;   // 0 to 23
    std::string date;  // "2026-02-14"
    std::array<long, kPageBands> qsos{};
    long points = 0;
    long total() const;
};

struct PageEntity {
    std::string prefix;  // empty for the QSOs of no entity
    std::string name;
};

struct PageBand {
    long cw = 0;
    long ssb = 0;
    std::vector<PageEntity> entities;   // in the order first worked
    std::vector<std::string> counties;  // county codes worked, in the codes' order
};

struct PageProblems {
    ProblemKind kind = ProblemKind::kUnreadable;
    std::vector<Problem> items;  // by log line
};

struct PageData {
    std::string logName;  // the log's file name, without its folder
    std::string ownCall;
    std::string name;                                             // the NAME header line
    std::vector<std::pair<std::string, std::string>> categories;  // CATEGORY-* header lines
    std::string soapbox;  // the SOAPBOX lines, cut to kPageSoapboxBytes
    bool soapboxCut = false;
    std::string periodStart;  // "2026-02-14 12:00" UTC
    std::string periodEnd;
    SummaryFigures summary;
    std::string rules;            // "classic" or "2020"
    std::string entryBand;        // "40m" for a single-band entry under the 2020 rules
    long entryScore = 0;          // the entry's score: the summary's, or its band's
    std::vector<PageHour> hours;  // every hour of the period, up to kPageMaxHours
    long qsosOutsideChart = 0;    // counted QSOs in no hour of the chart
    // Whether the QSOs counted here, with their points and multipliers, add
    // up to the summary's figures on every band; the points per hour are
    // shown only then.
    bool recountMatches = false;
    std::string recountDifference;  // the first figure that differs
    std::array<PageBand, kPageBands> bands;
    std::vector<PageProblems> problems;  // the kinds that occur, in kind order
    size_t problemQsos = 0;              // the QSOs (and lines) with a problem
    bool reportRun = false;              // the plug-in counts no rates then
};

// Everything the page shows; the figures of the summary table come from
// figures unchanged.
PageData GatherPageData(const std::string& logName, const PreparedLog& p, const Session& s,
                        const SummaryFigures& figures, ProblemList& problems);

}  // namespace host
