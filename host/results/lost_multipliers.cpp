#include "host/results/lost_multipliers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <tuple>
#include <utility>

#include "host/results/standings.h"
#include "scoring/contest_lists.h"
#include "scoring/rule_set.h"

namespace host {
namespace {

constexpr size_t kBands = sizeof kContestBandNames / sizeof kContestBandNames[0];

// A line the scoring passed, so that the claimed score counted it and the
// cross-check judged it.
bool CountedWhenClaimed(QsoStatus s) {
    switch (s) {
        case QsoStatus::kOk:
        case QsoStatus::kBustedCall:
        case QsoStatus::kBustedExchange:
        case QsoStatus::kNil:
        case QsoStatus::kNoLog:
        case QsoStatus::kUnique:
            return true;
        default:
            return false;
    }
}

// What one counted line brings, as the plug-in counts it: its band's DXCC
// entity (the country file's prefix, "" for a call the file does not know,
// which the plug-in counts too) and a YU/YT station's county where counties
// score. One object per log; its strings are reused from line to line.
class LineMultipliers {
  public:
    LineMultipliers(bool countiesScore, const std::string& entryBand)
        : countiesScore_(countiesScore), entryBand_(entryBand) {}

    // The band of the line among the contest's, or kBands where it brings
    // nothing: another band than a single-band entry's, or none of the
    // contest's names.
    size_t Band(const LogQso& q) const {
        if (!entryBand_.empty() && q.band != entryBand_) {
            return kBands;
        }
        // Compared as views: a band name's length is not counted again for
        // each of a million lines.
        static const std::array<std::string_view, kBands> kNames = [] {
            std::array<std::string_view, kBands> names;
            for (size_t b = 0; b < kBands; ++b) {
                names[b] = kContestBandNames[b];
            }
            return names;
        }();
        size_t b = 0;
        while (b < kBands && q.band != kNames[b]) {
            ++b;
        }
        return b;
    }

    // Reads the line's multipliers: its entity, resolved with the contest's
    // calls, and its county.
    void Read(const CheckedQso& line) {
        const LogQso& q = *line.qso;
        country_ = line.country != nullptr ? line.country : &none_;
        county_.clear();
        if (!countiesScore_ || !IsYuPrefix(country_->prefix)) {
            return;
        }
        // The county as the plug-in reads the exchange: upper-cased, blanks
        // around it left out.
        const size_t from = q.exchRcvd.find_first_not_of(kRuleBlanks);
        if (from != std::string::npos) {
            const size_t to = q.exchRcvd.find_last_not_of(kRuleBlanks);
            county_.assign(q.exchRcvd, from, to - from + 1);
            for (char& c : county_) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
        }
        if (!IsCountyCode(county_)) {
            county_.clear();
        }
    }
    const Country& country() const { return *country_; }
    const std::string& county() const { return county_; }

  private:
    bool countiesScore_;
    const std::string& entryBand_;
    const Country none_;  // "" for each: a call the file does not know
    const Country* country_ = &none_;
    std::string county_;
};

// A multiplier one fallen line brought.
struct Candidate {
    size_t band = 0;
    bool county = false;
    std::string value;
    std::string entity;
    size_t qso = 0;  // index into the log's lines
    double time = 0.0;
};

bool SameKey(const Candidate& a, const Candidate& b) {
    return a.band == b.band && a.county == b.county && a.value == b.value;
}

void FindIn(CheckedLog& l, LineMultipliers& m, bool keepUniques) {
    // The plug-in's own figures tell on which bands the checked score has
    // fewer DXCC or counties: only those lost any, so only their lines are
    // looked into.
    bool lostOn[kBands][2] = {};
    bool anyLost = false;
    for (const SummaryBand& claimed : l.claimed.bands) {
        const SummaryBand checked = CheckedBand(l, claimed.band);
        for (size_t b = 0; b < kBands; ++b) {
            if (claimed.band == kContestBandNames[b]) {
                lostOn[b][0] = claimed.dxcc > checked.dxcc;
                lostOn[b][1] = claimed.counties > checked.counties;
                anyLost = anyLost || lostOn[b][0] || lostOn[b][1];
            }
        }
    }
    if (!anyLost) {
        return;
    }
    // The multipliers of the lines that fell, each line's in replay order
    // (by corrected time, then file order) among those of the same key.
    std::vector<Candidate> fallen;
    for (size_t i = 0; i < l.qsos.size(); ++i) {
        const CheckedQso& q = l.qsos[i];
        const QsoStatus s = q.verdict.status;
        if (q.qso == nullptr || !CountedWhenClaimed(s) || Stands(s, keepUniques)) {
            continue;
        }
        const size_t band = m.Band(*q.qso);
        if (band == kBands || (!lostOn[band][0] && !lostOn[band][1])) {
            continue;
        }
        m.Read(q);
        if (lostOn[band][0]) {
            fallen.push_back({band, false, m.country().prefix, m.country().name, i, q.time});
        }
        if (lostOn[band][1] && !m.county().empty()) {
            fallen.push_back({band, true, m.county(), std::string(), i, q.time});
        }
    }
    if (fallen.empty()) {
        return;
    }
    std::sort(fallen.begin(), fallen.end(), [](const Candidate& a, const Candidate& b) {
        return std::tie(a.band, a.county, a.value, a.time, a.qso) <
               std::tie(b.band, b.county, b.value, b.time, b.qso);
    });
    // One group per multiplier, its first line the one replayed first.
    std::vector<const Candidate*> keys;
    std::vector<LostMultiplier> groups;
    for (size_t i = 0; i < fallen.size(); ++i) {
        const Candidate& c = fallen[i];
        if (i > 0 && SameKey(fallen[i - 1], c)) {
            groups.back().otherLines.push_back(l.qsos[c.qso].line);
            continue;
        }
        keys.push_back(&c);
        LostMultiplier lost;
        lost.band = kContestBandNames[c.band];
        lost.county = c.county;
        lost.multiplier = c.value;
        lost.entity = c.entity;
        lost.qso = c.qso;
        groups.push_back(std::move(lost));
    }
    // A standing line that brings the same multiplier on the same band
    // keeps it in the checked score.
    std::vector<char> kept(groups.size(), 0);
    auto keep = [&](size_t band, bool county, const std::string& value) {
        const auto at = std::lower_bound(
            keys.begin(), keys.end(), nullptr, [&](const Candidate* k, std::nullptr_t) {
                return std::tie(k->band, k->county, k->value) < std::tie(band, county, value);
            });
        if (at != keys.end() && (*at)->band == band && (*at)->county == county &&
            (*at)->value == value) {
            kept[static_cast<size_t>(at - keys.begin())] = 1;
        }
    };
    bool bands[kBands] = {};
    for (const Candidate& c : fallen) {
        bands[c.band] = true;
    }
    for (const CheckedQso& q : l.qsos) {
        if (q.qso == nullptr || !Stands(q.verdict.status, keepUniques)) {
            continue;
        }
        const size_t band = m.Band(*q.qso);
        if (band == kBands || !bands[band]) {
            continue;
        }
        m.Read(q);
        keep(band, false, m.country().prefix);
        if (!m.county().empty()) {
            keep(band, true, m.county());
        }
    }
    // By band, then by the line that cost each.
    std::vector<size_t> lost;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (kept[g] == 0) {
            lost.push_back(g);
        }
    }
    std::stable_sort(lost.begin(), lost.end(), [&](size_t a, size_t b) {
        return std::make_pair(keys[a]->band, l.qsos[groups[a].qso].line) <
               std::make_pair(keys[b]->band, l.qsos[groups[b].qso].line);
    });
    for (size_t g : lost) {
        std::sort(groups[g].otherLines.begin(), groups[g].otherLines.end());
        l.standing.lostMultipliers.push_back(std::move(groups[g]));
    }
}

}  // namespace

void FindLostMultipliers(CheckedContest& c, const CountryResolver& countries) {
    for (CheckedLog& l : c.logs) {
        Country own;
        const bool ownIsYu = countries.Resolve(l.entrant->call, own) && IsYuPrefix(own.prefix);
        LineMultipliers m(c.rules == RuleSet::kClassic || !ownIsYu, l.entryBand);
        FindIn(l, m, c.keepUniques);
    }
}

}  // namespace host
