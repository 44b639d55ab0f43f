// GetResult0: every figure is counted afresh from the log in one pass,
// grouped by band, and laid out as text or as the HTML page.
#include <climits>
#include <cmath>
#include <vector>

#include "scoring/distinct_texts.h"
#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/rule_set.h"
#include "scoring/settings.h"
#include "scoring/summary_layout.h"

namespace {

constexpr double kHalfSecond = 0.5 / 86400.0;

// The figures of one band spelling of g_bandsWorked, at the same position.
struct BandTally {
    int slot = kNoBand;  // BandIndex() of the spelling
    long long qsos = 0;
    long long points = 0;
    long long dxcc = 0;
    long long counties = 0;
    long long dupes = 0;
    // The log's own texts: the records stay in place while the result is
    // counted.
    DistinctTexts dxccSeen;
    DistinctTexts countiesSeen;
};

// Position of the band in g_bandsWorked, or its size. The list is short: a
// band is only listed once a QSO on it passed the band check.
size_t WorkedBandPosition(const std::string& band) REQUIRES(g_engineMutex) {
    size_t i = 0;
    while (i < g_bandsWorked.size() && g_bandsWorked[i] != band) {
        ++i;
    }
    return i;
}

int Saturated(long long value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

int QsoPoints(const CInfo& r) REQUIRES(g_engineMutex) {
    return QsoPointsFor(r.m_dxcc, r.m_continent, g_ownIsYu, g_ownDxcc, g_ownContinent);
}

// Sorted so that the six band names read "160m", "80m", ..., "10m": names
// left-padded with "0" to 20 characters, largest first.
void SortBandsWorked() REQUIRES(g_engineMutex) {
    auto padded = [](const std::string& s) {
        return s.size() >= 20 ? s : std::string(20 - s.size(), '0') + s;
    };
    const size_t count = g_bandsWorked.size();
    for (size_t i = 0; i + 1 < count; ++i) {
        for (size_t j = i + 1; j < count; ++j) {
            if (padded(g_bandsWorked[i]) < padded(g_bandsWorked[j])) {
                std::swap(g_bandsWorked[i], g_bandsWorked[j]);
            }
        }
    }
}

struct Rates {
    long long q60 = 0;
    long long q10 = 0;
    long long p60 = 0;
    long long p10 = 0;
};

// Counts one QSO of the last record's band into the 60- and 10-minute
// windows that end at the last record's time.
void CountRate(const CInfo& r, const plat::OleDate& reference, int points, Rates& rates) {
    if (!plat::IsUsableDate(r.m_time)) {
        return;
    }
    double span = plat::OleDateSpanDays(r.m_time, reference);
    span += span < 0 ? -kHalfSecond : kHalfSecond;
    const double minutes = std::trunc(span * 1440.0);
    if (minutes < 60) {
        ++rates.q60;
        rates.p60 += points;
    }
    if (minutes < 10) {
        ++rates.q10;
        rates.p10 += points;
    }
}

}  // namespace

SummaryTotals BuildResult(const std::string& entryBand) {
    g_resultText.clear();
    const SummaryLayout& layout = g_hostSetVersion ? HtmlSummaryLayout() : TextSummaryLayout();
    layout.heading(g_resultText, SummaryHeading{g_startDayMonth, g_endDate, g_ownCall});
    SortBandsWorked();
    // One line per reported problem; a QSO that repeats two earlier ones has
    // two DUPE lines but is one dupe, so DUPE lines are left out by their
    // reason rather than by the number of dupes.
    const long badQsos = g_badQsoFile.CountNonDupeProblems(g_badQsoFileName);

    std::vector<BandTally> tallies(g_bandsWorked.size());
    for (size_t i = 0; i < g_bandsWorked.size(); ++i) {
        const int b = BandIndex(g_bandsWorked[i]);
        tallies[i].slot = b;
        if (b < kBandSlots) {
            g_dxccByBand[static_cast<size_t>(b)].clear();
            g_countyByBand[static_cast<size_t>(b)].clear();
        }
    }

    const CInfo* last = g_log.empty() ? nullptr : &g_log.at(g_log.size() - 1);
    const size_t lastBand = last != nullptr ? WorkedBandPosition(last->m_band) : tallies.size();
    const bool countRates = last != nullptr && g_reportRun == 0 && plat::IsUsableDate(last->m_time);
    const bool countiesScore = g_rules == RuleSet::kClassic || !g_ownIsYu;
    Rates rates;
    long long lastPoints = 0;
    for (const CInfo& r : g_log.records()) {
        const size_t band = WorkedBandPosition(r.m_band);
        if (band == tallies.size() || r.m_call.empty()) {
            continue;
        }
        BandTally& t = tallies[band];
        t.dupes += r.m_dupe;
        if (r.m_notCounted != 0) {
            continue;
        }
        const int points = QsoPoints(r);
        ++t.qsos;
        t.points += points;
        if (band == lastBand) {
            lastPoints = points;
            if (countRates) {
                CountRate(r, last->m_time, points, rates);
            }
        }
        if (t.slot >= kBandSlots) {
            continue;  // counted in the totals, but no multiplier and no row
        }
        const size_t b = static_cast<size_t>(t.slot);
        if (!r.m_county.empty() && t.countiesSeen.Insert(r.m_county)) {
            g_countyByBand[b].push_back(r.m_county);
            // The county window marks it either way; it scores unless the
            // 2020 rules leave counties out for a YU/YT entrant.
            t.counties += countiesScore ? 1 : 0;
        }
        if (t.dxccSeen.Insert(r.m_dxcc)) {
            g_dxccByBand[b].push_back(r.m_dxcc);
            ++t.dxcc;
        }
    }

    long long qsos = 0;
    long long points = 0;
    long long dxcc = 0;
    long long counties = 0;
    long long dupes = 0;
    long long entryPoints = 0;
    long long entryMultipliers = 0;
    for (size_t i = 0; i < g_bandsWorked.size(); ++i) {
        const std::string& band = g_bandsWorked[i];
        const BandTally& t = tallies[i];
        if (EntryBandOf(band) == entryBand && !entryBand.empty()) {
            entryPoints += t.points;
            entryMultipliers += t.dxcc + t.counties;
        }
        if (t.slot < kBandSlots) {
            layout.bandRow(g_resultText,
                           SummaryBandRow{band, Saturated(t.qsos), Saturated(t.points),
                                          Saturated(t.dxcc), Saturated(t.counties)});
        }
        qsos += t.qsos;
        points += t.points;
        dxcc += t.dxcc;
        counties += t.counties;
        dupes += t.dupes;
    }

    SummaryTotals totals;
    totals.qsos = Saturated(qsos);
    totals.points = Saturated(points);
    totals.dxcc = Saturated(dxcc);
    totals.counties = Saturated(counties);
    totals.dupes = Saturated(dupes);
    totals.badQsos = Saturated(badQsos);
    totals.score = Saturated(static_cast<long long>(totals.points) *
                             (static_cast<long long>(totals.dxcc) + totals.counties));
    totals.entryScore =
        entryBand.empty() ? totals.score : Saturated(entryPoints * entryMultipliers);
    totals.lastPoints = Saturated(lastPoints);
    totals.q60 = Saturated(rates.q60);
    totals.q10 = Saturated(rates.q10);
    totals.p60 = Saturated(rates.p60);
    totals.p10 = Saturated(rates.p10);
    layout.totals(g_resultText, totals);

    WriteSetting("Claimed", std::to_string(totals.entryScore));
    return totals;
}
