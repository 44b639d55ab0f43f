// Two pieces of work at once, on two threads: the machine's two cores.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace host {

// Runs side on a second thread while main runs on this one, and returns once
// both are done. A failure of either is thrown then, main's before side's;
// the other piece still runs to its end, so a piece that should stop when
// the other fails must be told by it. Without threads (the Windows build)
// main runs first, then side.
void RunBeside(const std::function<void()>& side, const std::function<void()>& main);

// Where to cut a run of pieces (logs) into two of about the same weight
// (lines), for RunBeside: starts holds where each piece begins and, last,
// the total. The pieces before the one returned make the first half.
template <typename Count>
size_t HalfWay(const std::vector<Count>& starts) {
    if (starts.size() < 2) {
        return 0;
    }
    return static_cast<size_t>(
        std::lower_bound(starts.begin(), starts.end() - 1, starts.back() / 2) - starts.begin());
}

}  // namespace host
