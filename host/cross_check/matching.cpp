#include "host/cross_check/matching.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <unordered_map>

#include "host/cross_check/call_match.h"

namespace host {
namespace {

struct Pair {
    int32_t difference;
    uint32_t a;
    uint32_t b;
    bool operator<(const Pair& o) const {
        return std::tie(difference, a, b) < std::tie(o.difference, o.a, o.b);
    }
};

// Candidate lines of the range within the window of a's time, as pairs with a.
void AddPairs(const ContestLines& lines, ContestLines::Range r, uint32_t a, int window,
              const Matches& m, std::vector<Pair>& pairs) {
    const int32_t minute = lines.lines()[a].minute;
    const ContestLines::Range w = lines.Within(r, minute, window);
    for (const uint32_t* i = w.begin; i != w.end; ++i) {
        if (m.partner[*i] == UINT32_MAX) {
            pairs.push_back({std::abs(lines.lines()[*i].minute - minute), a, *i});
        }
    }
}

// Takes the pairs in order while both lines are free.
void Assign(std::vector<Pair>& pairs, MatchKind aKind, MatchKind bKind, Matches& m) {
    std::sort(pairs.begin(), pairs.end());
    for (const Pair& p : pairs) {
        if (m.partner[p.a] != UINT32_MAX || m.partner[p.b] != UINT32_MAX) {
            continue;
        }
        m.partner[p.a] = p.b;
        m.partner[p.b] = p.a;
        m.kind[p.a] = aKind;
        m.kind[p.b] = bKind;
    }
}

// The used logs whose call is one character from a call, found through the
// deletion variants of the logs' calls.
class Neighbours {
  public:
    explicit Neighbours(const ContestLines& lines, size_t logCount) : lines_(lines) {
        for (uint32_t l = 0; l < logCount; ++l) {
            logByCall_.emplace(lines.CallText(lines.LogCall(l)), l);
            for (const std::string& v : DeletionVariants(lines.CallText(lines.LogCall(l)))) {
                byVariant_[v].push_back(l);
            }
        }
    }

    const std::vector<uint32_t>& Of(uint32_t call) {
        const auto known = cache_.find(call);
        if (known != cache_.end()) {
            return known->second;
        }
        const std::string& text = lines_.CallText(call);
        std::vector<uint32_t> found;
        auto consider = [&](uint32_t log) {
            if (OneCharApart(text, lines_.CallText(lines_.LogCall(log))) &&
                std::find(found.begin(), found.end(), log) == found.end()) {
                found.push_back(log);
            }
        };
        auto exact = [&](const std::string& variant) {
            const auto log = logByCall_.find(variant);
            if (log != logByCall_.end()) {
                consider(log->second);
            }
        };
        auto shared = [&](const std::string& variant) {
            const auto logs = byVariant_.find(variant);
            if (logs != byVariant_.end()) {
                for (uint32_t log : logs->second) {
                    consider(log);
                }
            }
        };
        shared(text);  // the call lacks a character of theirs
        for (const std::string& v : DeletionVariants(text)) {
            exact(v);   // the call has a character too many
            shared(v);  // one character changed
        }
        for (const std::string& v : SwapVariants(text)) {
            exact(v);
        }
        return cache_.emplace(call, std::move(found)).first->second;
    }

  private:
    const ContestLines& lines_;
    // The logs' own calls alone: a contest's worked calls are many more,
    // and only a log can be the station meant.
    std::unordered_map<std::string, uint32_t> logByCall_;
    std::unordered_map<std::string, std::vector<uint32_t>> byVariant_;
    std::unordered_map<uint32_t, std::vector<uint32_t>> cache_;
};

}  // namespace

Matches MatchLines(const ContestLines& lines, int windowMinutes) {
    const std::vector<ContestLine>& all = lines.lines();
    Matches m;
    m.partner.assign(all.size(), UINT32_MAX);
    m.kind.assign(all.size(), MatchKind::kNone);
    size_t logCount = 0;
    for (const ContestLine& line : all) {
        logCount = std::max<size_t>(logCount, line.log + 1);
    }

    std::vector<Pair> pairs;
    for (uint32_t i = 0; i < all.size(); ++i) {
        const int32_t partnerLog = lines.LogOf(all[i].call);
        // Each pair once, from the log that comes first.
        if (partnerLog >= 0 && static_cast<uint32_t>(partnerLog) > all[i].log) {
            AddPairs(lines,
                     lines.Find(static_cast<uint32_t>(partnerLog), lines.LogCall(all[i].log),
                                all[i].bandMode),
                     i, windowMinutes, m, pairs);
        }
    }
    Assign(pairs, MatchKind::kExact, MatchKind::kExact, m);

    pairs.clear();
    Neighbours neighbours(lines, logCount);
    for (uint32_t i = 0; i < all.size(); ++i) {
        if (m.partner[i] != UINT32_MAX) {
            continue;
        }
        for (uint32_t log : neighbours.Of(all[i].call)) {
            if (log != all[i].log) {
                AddPairs(lines, lines.Find(log, lines.LogCall(all[i].log), all[i].bandMode), i,
                         windowMinutes, m, pairs);
            }
        }
    }
    Assign(pairs, MatchKind::kWeBust, MatchKind::kTheyBust, m);
    return m;
}

}  // namespace host
