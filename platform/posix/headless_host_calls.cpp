// Ties the headless windows to the host object's calls: a thread that waits
// for the host's answer handles the messages other threads send to its
// windows (a close request, say), as a Windows thread waiting inside a COM
// call does. Without it a host thread that sends the UI thread a close
// request while the UI thread waits for that host would wait forever.
#include <chrono>

#include "platform/posix/host_object.h"
#include "platform/posix/window_system.h"

namespace plat {
namespace headless {
namespace {

// Handles the sent messages waiting for the calling thread, and returns.
void HandleWaitingSentMessages() {
    const auto now = std::chrono::steady_clock::now();
    while (WindowSystem::Get().HandleOne(nullptr, true, &now)) {
    }
}

struct InstallHook {
    InstallHook() { SetSentMessageHook(&HandleWaitingSentMessages); }
};
const InstallHook g_installHook;

}  // namespace
}  // namespace headless
}  // namespace plat
