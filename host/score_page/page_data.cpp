#include "host/score_page/page_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

#include "host/one_log/contest_period.h"
#include "host/one_log/rules_choice.h"
#include "host/score_page/page_text.h"
#include "platform/plain_text.h"
#include "scoring/contest_lists.h"

namespace host {

long PageHour::total() const {
    long sum = 0;
    for (long n : qsos) {
        sum += n;
    }
    return sum;
}

namespace {

// A QSO's points by the plug-in's own rule; the recount is checked against
// the summary's points per band before it is shown.
long QsoPoints(const QsoFields& q, const ContestRun& own) {
    return QsoPointsFor(q.dxcc, q.continent, IsYuPrefix(own.ownDxcc), own.ownDxcc,
                        own.ownContinent);
}

struct BandRecount {
    long qsos = 0;
    long points = 0;
    std::set<std::string> entities;
    std::set<std::string> counties;
};

void HeaderText(const PreparedLog& p, PageData& d) {
    for (const auto& field : p.log.headerFields) {
        if (field.first == "NAME") {
            d.name = field.second;
        } else if (field.first.rfind("CATEGORY-", 0) == 0) {
            d.categories.push_back(field);
        } else if (field.first == "SOAPBOX" && !d.soapboxCut) {
            // Lines are joined; once the text is too long the rest is left
            // out.
            d.soapbox += (d.soapbox.empty() ? "" : " ") + field.second;
            d.soapboxCut = d.soapbox.size() > kPageSoapboxBytes;
            d.soapbox = CutText(d.soapbox, kPageSoapboxBytes);
        }
    }
}

void MakeHours(const ContestPeriod& period, PageData& d) {
    const double days = plat::OleDateSpanDays(period.start, period.end);
    const long long minutes = std::llround(days * 1440.0);
    size_t hours = minutes <= 0 ? 1 : static_cast<size_t>((minutes + 59) / 60);
    hours = hours > kPageMaxHours ? kPageMaxHours : hours;
    d.hours.resize(hours);
    for (size_t h = 0; h < hours; ++h) {
        plat::DateFields f;
        if (plat::OleDateToFields(period.start.m_dt + static_cast<double>(h) / 24.0, f)) {
            char date[16];
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", f.year, f.month, f.day);
            d.hours[h].date = date;
            d.hours[h].utcHour = f.hour;
        }
    }
}

// The hour of the chart a QSO falls in, or -1.
long HourOf(const ContestPeriod& period, const QsoFields& q, size_t hours) {
    if (!plat::IsUsableDate(q.time)) {
        return -1;
    }
    const long long minutes = std::llround(plat::OleDateSpanDays(period.start, q.time) * 1440.0);
    const long long hour = minutes < 0 ? -1 : minutes / 60;
    return hour < static_cast<long long>(hours) ? static_cast<long>(hour) : -1;
}

// The first figure where the recount and the summary differ, or "".
std::string CompareWithSummary(const std::array<BandRecount, kPageBands>& recount,
                               const SummaryFigures& f) {
    std::array<bool, kPageBands> inSummary{};
    for (const SummaryBand& row : f.bands) {
        const int b = ContestBandIndex(row.band);
        if (b == kNoContestBand) {
            return "band " + row.band;
        }
        inSummary[static_cast<size_t>(b)] = true;
        const BandRecount& r = recount[static_cast<size_t>(b)];
        const long figures[][2] = {{r.qsos, row.qsos},
                                   {r.points, row.points},
                                   {static_cast<long>(r.entities.size()), row.dxcc},
                                   {static_cast<long>(r.counties.size()), row.counties}};
        const char* const names[] = {"QSOs", "points", "DXCC", "counties"};
        for (size_t k = 0; k < 4; ++k) {
            if (figures[k][0] != figures[k][1]) {
                return row.band + " " + names[k] + ": " + std::to_string(figures[k][0]) +
                       " here, " + std::to_string(figures[k][1]) + " in the summary";
            }
        }
    }
    for (size_t b = 0; b < kPageBands; ++b) {
        if (!inSummary[b] && recount[b].qsos != 0) {
            return std::string(g_contestBandNames[b]) +
                   " QSOs: " + std::to_string(recount[b].qsos) + " here, none in the summary";
        }
    }
    return "";
}

}  // namespace

PageData GatherPageData(const std::string& logName, const PreparedLog& p, const Session& s,
                        const SummaryFigures& figures, ProblemList& problems) {
    PageData d;
    // The file's name only: an entrant may share the page, and the folders
    // above the log are nobody else's business.
    d.logName = std::filesystem::path(logName).filename().string();
    d.ownCall = figures.ownCall;
    d.summary = figures;
    d.rules = RuleSetName(p.rules);
    d.entryBand = p.entryBand;
    d.entryScore = EntryScore(figures, p.entryBand);
    d.periodStart = FormatWhen(p.period.start);
    d.periodEnd = FormatWhen(p.period.end);
    HeaderText(p, d);
    MakeHours(p.period, d);

    // The QSOs the plug-in stored and counted: not a dupe, not a YU/YT
    // station without a county and no serial number that is no number, as
    // its bad-QSO lines say. Under the 2020 rules a YU/YT entrant's counties
    // are no multipliers.
    const ProblemMask notCounted = MaskOf(ProblemKind::kDupe) | MaskOf(ProblemKind::kNoCounty) |
                                   MaskOf(ProblemKind::kNotANumber);
    const bool countiesScore = p.rules == RuleSet::kClassic || !IsYuPrefix(p.run.ownDxcc);
    std::array<BandRecount, kPageBands> recount;
    for (size_t k = 0; k < p.passed.size(); ++k) {
        const QsoFields& q = p.qsos[p.passed[k]];
        const int b = ContestBandIndex(q.band);
        if (!s.Stored(k) || (s.Reasons(k) & notCounted) != 0 || q.call.empty() ||
            b == kNoContestBand) {
            continue;
        }
        const size_t band = static_cast<size_t>(b);
        PageBand& pb = d.bands[band];
        BandRecount& r = recount[band];
        const long points = QsoPoints(q, p.run);
        ++r.qsos;
        r.points += points;
        (q.mode == "CW" ? pb.cw : pb.ssb) += 1;
        if (r.entities.insert(q.dxcc).second) {
            Country c;
            pb.entities.push_back(
                {q.dxcc, !q.dxcc.empty() && p.countries.Resolve(q.call, c) ? c.name : ""});
        }
        if (countiesScore && IsYuPrefix(q.dxcc)) {
            const std::string county = plat::TrimBlanks(plat::AsciiUpper(q.exchRcvd));
            if (IsCountyCode(county)) {
                r.counties.insert(county);
            }
        }
        const long hour = HourOf(p.period, q, d.hours.size());
        if (hour < 0) {
            ++d.qsosOutsideChart;
            continue;
        }
        ++d.hours[static_cast<size_t>(hour)].qsos[band];
        d.hours[static_cast<size_t>(hour)].points += points;
    }
    for (size_t b = 0; b < kPageBands; ++b) {
        for (const char* code : g_countyCodes) {
            if (recount[b].counties.count(code) != 0) {
                d.bands[b].counties.push_back(code);
            }
        }
    }
    d.recountDifference = CompareWithSummary(recount, figures);
    d.recountMatches = d.recountDifference.empty();

    for (const Problem& problem : problems.Sorted()) {
        PageProblems* group = nullptr;
        for (PageProblems& g : d.problems) {
            group = g.kind == problem.kind ? &g : group;
        }
        if (group == nullptr) {
            d.problems.push_back({problem.kind, {}});
            group = &d.problems.back();
        }
        group->items.push_back(problem);
    }
    d.problemQsos = problems.ByQso().size();
    std::sort(d.problems.begin(), d.problems.end(),
              [](const PageProblems& a, const PageProblems& b) { return a.kind < b.kind; });
    return d;
}

}  // namespace host
