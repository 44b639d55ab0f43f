// Waiting while serving the registered host object's queued calls, as the
// Windows wait serves COM calls into the waiting thread's apartment.
#include <algorithm>
#include <chrono>

#include "platform/host_wait.h"
#include "platform/posix/host_calls.h"
#include "platform/posix/host_object.h"
#include "platform/sync.h"

namespace plat {

bool WaitServingHostCalls(bool (*done)(void* arg), void* arg, unsigned timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        hostcalls::Pump();
        if (done(arg)) {
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        const unsigned step = static_cast<unsigned>(std::min<long long>(left.count(), 5));
        if (hostcalls::IsHostThread()) {
            PumpHostCallsFor(step);
        } else {
            SleepMilliseconds(step);
        }
    }
}

}  // namespace plat
