#include "host/cross_check/clock_offsets.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "host/run_beside.h"

namespace host {
namespace {

// The only line of the range within the window of minute, or UINT32_MAX when
// none or several are.
uint32_t SoleCandidate(const ContestLines& lines, ContestLines::Range r, int32_t minute,
                       int window) {
    const ContestLines::Range w = lines.Within(r, minute, window);
    return w.end - w.begin == 1 ? *w.begin : UINT32_MAX;
}

const size_t kFewestPairs = 5;

}  // namespace

int AppliedClockOffset(int found, int windowMinutes) {
    return std::abs(found) <= windowMinutes ? 0 : found;
}

std::vector<int> ClockOffsets(const ContestLines& lines, size_t logCount, int windowMinutes,
                              std::vector<int>* found) {
    const int wide = 60 + windowMinutes;
    const std::vector<ContestLine>& all = lines.lines();
    // Each half of the lines is paired on its own core, into differences of
    // its own; a log's differences are sorted before they are read, so the
    // order they are joined in does not matter.
    std::vector<std::vector<int>> differences[2];
    auto pair = [&](uint32_t from, uint32_t to, std::vector<std::vector<int>>& into) {
        into.resize(logCount);
        for (uint32_t i = from; i < to; ++i) {
            const ContestLine& ours = all[i];
            const int32_t partnerLog = lines.LogOf(ours.call);
            // Each pair once, from the log that comes first.
            if (partnerLog < 0 || static_cast<uint32_t>(partnerLog) <= ours.log) {
                continue;
            }
            const uint32_t theirs =
                SoleCandidate(lines,
                              lines.Find(static_cast<uint32_t>(partnerLog), lines.LogCall(ours.log),
                                         ours.bandMode),
                              ours.minute, wide);
            if (theirs == UINT32_MAX) {
                continue;
            }
            const ContestLine& other = all[theirs];
            if (SoleCandidate(lines, lines.Find(ours.log, ours.call, ours.bandMode), other.minute,
                              wide) != i) {
                continue;
            }
            into[ours.log].push_back(ours.minute - other.minute);
            into[other.log].push_back(other.minute - ours.minute);
        }
    };
    const uint32_t count = static_cast<uint32_t>(all.size());
    RunBeside([&] { pair(count / 2, count, differences[1]); },
              [&] { pair(0, count / 2, differences[0]); });
    std::vector<int> medians(logCount, 0);
    for (size_t l = 0; l < logCount; ++l) {
        std::vector<int>& d = differences[0][l];
        d.insert(d.end(), differences[1][l].begin(), differences[1][l].end());
        if (d.size() < kFewestPairs) {
            continue;
        }
        std::sort(d.begin(), d.end());
        const size_t n = d.size();
        const double median = n % 2 == 1 ? d[n / 2] : (d[n / 2 - 1] + d[n / 2]) / 2.0;
        medians[l] = static_cast<int>(std::lround(median));
    }
    std::vector<int> applied(logCount, 0);
    for (size_t l = 0; l < logCount; ++l) {
        applied[l] = AppliedClockOffset(medians[l], windowMinutes);
    }
    if (found != nullptr) {
        *found = std::move(medians);
    }
    return applied;
}

}  // namespace host
