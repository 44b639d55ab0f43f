#include "scoring/window_requests.h"

#include <atomic>

namespace {

class NoWindows final : public WindowRequests {
  public:
    bool SetupPanelExists() override { return false; }
    void PostRefreshRequest() override {}
    bool CountyWindowExists() override { return false; }
    void ResetCountyMarks() override {}
};

NoWindows g_noWindows;
std::atomic<WindowRequests*> g_windows{nullptr};

}  // namespace

WindowRequests& Windows() {
    WindowRequests* w = g_windows.load(std::memory_order_acquire);
    return w ? *w : g_noWindows;
}

void ConnectWindows(WindowRequests* windows) {
    g_windows.store(windows, std::memory_order_release);
}
