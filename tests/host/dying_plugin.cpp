// A plug-in that kills the process loading it, as a plug-in that crashes
// does: check-logs loads it in its worker processes.
#include <csignal>

namespace {

__attribute__((constructor)) void DieOnLoad() {
    std::raise(SIGKILL);
}

}  // namespace
