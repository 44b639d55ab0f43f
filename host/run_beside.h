// Two pieces of work at once, on two threads: the machine's two cores.
#pragma once

#include <functional>

namespace host {

// Runs side on a second thread while main runs on this one, and returns once
// both are done. A failure of either is thrown then, main's before side's;
// the other piece still runs to its end, so a piece that should stop when
// the other fails must be told by it. Without threads (the Windows build)
// main runs first, then side.
void RunBeside(const std::function<void()>& side, const std::function<void()>& main);

}  // namespace host
