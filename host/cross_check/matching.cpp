#include "host/cross_check/matching.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>

#include "host/cross_check/call_match.h"
#include "host/cross_check/text_table.h"
#include "host/run_beside.h"

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
        : lines_(lines), span_(lines.CallCount()) {
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

    // Looks up each of the calls (distinct), half of them on each of two
    // threads; Of() then answers for them.
    void Prepare(const std::vector<uint32_t>& calls) {
        const size_t middle = calls.size() / 2;
        const auto prepare = [&](size_t from, size_t to, uint32_t pool) {
            std::string buffer;
            std::vector<uint32_t>& found = found_[pool];
            for (size_t k = from; k < to; ++k) {
                const uint32_t begin = static_cast<uint32_t>(found.size());
                Find(lines_.CallText(calls[k]), buffer, found);
                span_[calls[k]] = {pool, begin, static_cast<uint32_t>(found.size()) - begin};
            }
        };
        RunBeside([&] { prepare(middle, calls.size(), 1); }, [&] { prepare(0, middle, 0); });
    }

    // The logs one character from a call Prepare() looked up.
    Found Of(uint32_t call) const {
        const Span& span = span_[call];
        const uint32_t* begin = found_[span.pool].data() + span.begin;
        return {begin, begin + span.count};
    }

  private:
    struct Span {
        uint32_t pool = 0;  // which of found_
        uint32_t begin = 0;
        uint32_t count = 0;
    };

    // Appends the logs one character from text to found, each once.
    void Find(const std::string& text, std::string& buffer, std::vector<uint32_t>& found) const {
        const size_t from = found.size();
        auto consider = [&](uint32_t log) {
            if (OneCharApart(text, lines_.CallText(lines_.LogCall(log))) &&
                std::find(found.begin() + static_cast<std::ptrdiff_t>(from), found.end(), log) ==
                    found.end()) {
                found.push_back(log);
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
        EachDeletionVariant(text, buffer, [&](std::string_view v) {
            exact(v);   // the call has a character too many
            shared(v);  // one character changed
        });
        EachSwapVariant(text, buffer, exact);
    }

    const ContestLines& lines_;
    // The logs' own calls alone: a contest's worked calls are many more,
    // and only a log can be the station meant.
    TextTable calls_;
    std::vector<uint32_t> logOfCall_;
    TextTable variants_;
    std::deque<std::string> variantTexts_;  // what variants_ views; never moved
    std::vector<std::vector<uint32_t>> logsOfVariant_;
    // Each worked call's logs, once looked up, as a span of one of found_.
    std::vector<Span> span_;
    std::vector<uint32_t> found_[2];
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

    // Each half of the lines finds its candidate pairs beside the other;
    // the pairs are taken in one sorted order, so how they were found does
    // not matter.
    const uint32_t count = static_cast<uint32_t>(all.size());
    std::vector<Pair> halves[2];
    const auto inHalves = [&](const std::function<void(uint32_t, std::vector<Pair>&)>& find) {
        RunBeside(
            [&] {
                for (uint32_t i = count / 2; i < count; ++i) {
                    find(i, halves[1]);
                }
            },
            [&] {
                for (uint32_t i = 0; i < count / 2; ++i) {
                    find(i, halves[0]);
                }
            });
        std::vector<Pair> pairs = std::move(halves[0]);
        pairs.insert(pairs.end(), halves[1].begin(), halves[1].end());
        halves[0].clear();
        halves[1].clear();
        return pairs;
    };
    std::vector<Pair> pairs = inHalves([&](uint32_t i, std::vector<Pair>& found) {
        const int32_t partnerLog = lines.LogOf(all[i].call);
        // Each pair once, from the log that comes first.
        if (partnerLog >= 0 && static_cast<uint32_t>(partnerLog) > all[i].log) {
            AddPairs(lines,
                     lines.Find(static_cast<uint32_t>(partnerLog), lines.LogCall(all[i].log),
                                all[i].bandMode),
                     i, windowMinutes, m, found);
        }
    });
    Assign(pairs, MatchKind::kExact, MatchKind::kExact, m);

    // The calls of the lines left, each looked up once.
    Neighbours neighbours(lines, logCount);
    std::vector<uint32_t> wanted;
    std::vector<char> seen(lines.CallCount(), 0);
    for (uint32_t i = 0; i < count; ++i) {
        if (m.partner[i] == UINT32_MAX && seen[all[i].call] == 0) {
            seen[all[i].call] = 1;
            wanted.push_back(all[i].call);
        }
    }
    neighbours.Prepare(wanted);
    pairs = inHalves([&](uint32_t i, std::vector<Pair>& found) {
        if (m.partner[i] != UINT32_MAX) {
            return;
        }
        const Neighbours::Found near = neighbours.Of(all[i].call);
        for (const uint32_t* log = near.begin; log != near.end; ++log) {
            if (*log != all[i].log) {
                AddPairs(lines, lines.Find(*log, lines.LogCall(all[i].log), all[i].bandMode), i,
                         windowMinutes, m, found);
            }
        }
    });
    Assign(pairs, MatchKind::kWeBust, MatchKind::kTheyBust, m);
    return m;
}

}  // namespace host
