#include "host/cross_check/clock_offsets.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

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
    std::vector<std::vector<int>> differences(logCount);
    const std::vector<ContestLine>& all = lines.lines();
    for (uint32_t i = 0; i < all.size(); ++i) {
        const ContestLine& ours = all[i];
        const int32_t partnerLog = lines.LogOf(ours.call);
        // Each pair once, from the log that comes first.
        if (partnerLog < 0 || static_cast<uint32_t>(partnerLog) <= ours.log) {
            continue;
        }
        const uint32_t theirs = SoleCandidate(
            lines,
            lines.Find(static_cast<uint32_t>(partnerLog), lines.LogCall(ours.log), ours.bandMode),
            ours.minute, wide);
        if (theirs == UINT32_MAX) {
            continue;
        }
        const ContestLine& other = all[theirs];
        if (SoleCandidate(lines, lines.Find(ours.log, ours.call, ours.bandMode), other.minute,
                          wide) != i) {
            continue;
        }
        differences[ours.log].push_back(ours.minute - other.minute);
        differences[other.log].push_back(other.minute - ours.minute);
    }
    std::vector<int> medians(logCount, 0);
    for (size_t l = 0; l < logCount; ++l) {
        std::vector<int>& d = differences[l];
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
