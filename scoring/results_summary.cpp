// GetResult0: every figure is counted afresh from the log in one pass,
// grouped by band, and laid out as text or as the HTML page.
#include <climits>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/rule_set.h"
#include "scoring/settings.h"
#include "scoring/summary_layout.h"

namespace {

constexpr double kHalfSecond = 0.5 / 86400.0;

struct BandTally {
    long long qsos = 0;
    long long points = 0;
    long long dxcc = 0;
    long long counties = 0;
    long long dupes = 0;
    std::unordered_set<std::string> dxccSeen;
    std::unordered_set<std::string> countiesSeen;
};

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

    std::unordered_map<std::string, BandTally> tallies;
    for (const std::string& band : g_bandsWorked) {
        tallies[band];
        const int b = BandIndex(band);
        if (b < kBandSlots) {
            g_dxccByBand[static_cast<size_t>(b)].clear();
            g_countyByBand[static_cast<size_t>(b)].clear();
        }
    }

    const CInfo* last = g_log.empty() ? nullptr : &g_log.at(g_log.size() - 1);
    const bool countRates = last != nullptr && g_reportRun == 0 && plat::IsUsableDate(last->m_time);
    const bool countiesScore = g_rules == RuleSet::kClassic || !g_ownIsYu;
    Rates rates;
    long long lastPoints = 0;
    for (const CInfo& r : g_log.records()) {
        auto found = tallies.find(r.m_band);
        if (found == tallies.end() || r.m_call.empty()) {
            continue;
        }
        BandTally& t = found->second;
        t.dupes += r.m_dupe;
        if (r.m_notCounted != 0) {
            continue;
        }
        const int points = QsoPoints(r);
        ++t.qsos;
        t.points += points;
        if (r.m_band == last->m_band) {
            lastPoints = points;
            if (countRates) {
                CountRate(r, last->m_time, points, rates);
            }
        }
        const int b = BandIndex(r.m_band);
        if (b >= kBandSlots) {
            continue;  // counted in the totals, but no multiplier and no row
        }
        if (!r.m_county.empty() && t.countiesSeen.insert(r.m_county).second) {
            g_countyByBand[static_cast<size_t>(b)].push_back(r.m_county);
            // The county window marks it either way; it scores unless the
            // 2020 rules leave counties out for a YU/YT entrant.
            t.counties += countiesScore ? 1 : 0;
        }
        if (t.dxccSeen.insert(r.m_dxcc).second) {
            g_dxccByBand[static_cast<size_t>(b)].push_back(r.m_dxcc);
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
    for (const std::string& band : g_bandsWorked) {
        const BandTally& t = tallies[band];
        if (EntryBandOf(band) == entryBand && !entryBand.empty()) {
            entryPoints += t.points;
            entryMultipliers += t.dxcc + t.counties;
        }
        if (BandIndex(band) < kBandSlots) {
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
