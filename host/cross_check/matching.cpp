#include "host/cross_check/matching.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <tuple>

#include "host/cross_check/call_match.h"
#include "host/cross_check/text_table.h"

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
// deletion variants of the logs' calls. Each worked call is looked up once:
// a contest's worked calls are many more than its logs, and most of them
// are one character from none.
class Neighbours {
  public:
    struct Found {
        const uint32_t* begin;
        const uint32_t* end;
    };

    Neighbours(const ContestLines& lines, size_t logCount)
        : lines_(lines), span_(lines.CallCount(), Span{kNotYet, 0}) {
        std::string buffer;
        for (uint32_t l = 0; l < logCount; ++l) {
            const std::string& call = lines.CallText(lines.LogCall(l));
            if (calls_.Intern(call).second) {
                logOfCall_.push_back(l);  // the first log of a call tells
            }
            EachDeletionVariant(call, buffer, [&](std::string_view v) {
                uint32_t id = variants_.Find(v);
                if (id == TextTable::kNone) {
                    variantTexts_.emplace_back(v);
                    id = variants_.Intern(variantTexts_.back()).first;
                    logsOfVariant_.emplace_back();
                }
                logsOfVariant_[id].push_back(l);
            });
        }
    }

    Found Of(uint32_t call) {
        Span& span = span_[call];
        if (span.begin == kNotYet) {
            span.begin = static_cast<uint32_t>(found_.size());
            Find(lines_.CallText(call));
            span.count = static_cast<uint32_t>(found_.size()) - span.begin;
        }
        return {found_.data() + span.begin, found_.data() + span.begin + span.count};
    }

  private:
    static constexpr uint32_t kNotYet = UINT32_MAX;
    struct Span {
        uint32_t begin;  // in found_, or kNotYet
        uint32_t count;
    };

    // Appends the logs one character from text to found_, each once.
    void Find(const std::string& text) {
        const size_t from = found_.size();
        auto consider = [&](uint32_t log) {
            if (OneCharApart(text, lines_.CallText(lines_.LogCall(log))) &&
                std::find(found_.begin() + static_cast<std::ptrdiff_t>(from), found_.end(), log) ==
                    found_.end()) {
                found_.push_back(log);
            }
        };
        auto exact = [&](std::string_view variant) {
            const uint32_t id = calls_.Find(variant);
            if (id != TextTable::kNone) {
                consider(logOfCall_[id]);
            }
        };
        auto shared = [&](std::string_view variant) {
            const uint32_t id = variants_.Find(variant);
            if (id != TextTable::kNone) {
                for (uint32_t log : logsOfVariant_[id]) {
                    consider(log);
                }
            }
        };
        shared(text);  // the call lacks a character of theirs
        EachDeletionVariant(text, buffer_, [&](std::string_view v) {
            exact(v);   // the call has a character too many
            shared(v);  // one character changed
        });
        EachSwapVariant(text, buffer_, exact);
    }

    const ContestLines& lines_;
    // The logs' own calls alone: a contest's worked calls are many more,
    // and only a log can be the station meant.
    TextTable calls_;
    std::vector<uint32_t> logOfCall_;
    TextTable variants_;
    std::deque<std::string> variantTexts_;  // what variants_ views; never moved
    std::vector<std::vector<uint32_t>> logsOfVariant_;
    // Each worked call's logs, once looked up, as a span of found_.
    std::vector<Span> span_;
    std::vector<uint32_t> found_;
    std::string buffer_;
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
        const Neighbours::Found near = neighbours.Of(all[i].call);
        for (const uint32_t* log = near.begin; log != near.end; ++log) {
            if (*log != all[i].log) {
                AddPairs(lines, lines.Find(*log, lines.LogCall(all[i].log), all[i].bandMode), i,
                         windowMinutes, m, pairs);
            }
        }
    }
    Assign(pairs, MatchKind::kWeBust, MatchKind::kTheyBust, m);
    return m;
}

}  // namespace host
