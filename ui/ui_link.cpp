// What the engine asks of the windows, from the host's thread: it reads the
// window references and posts, and never waits for the UI thread.
#include "ui/ui_link.h"

#include "scoring/engine_state.h"
#include "ui/window_set.h"

namespace ui {

namespace {

class Requests final : public WindowRequests {
  public:
    bool SetupPanelExists() override { return ui::SetupPanelExists(); }
    void PostRefreshRequest() override { ui::PostRefreshRequest(); }
    bool CountyWindowExists() override { return ui::CountyWindowExists(); }
    void ResetCountyMarks() override { ui::ResetCountyMarks(); }
};

Requests g_requests;

}  // namespace

WindowRequests& EngineRequests() {
    return g_requests;
}

bool SetupPanelExists() {
    return g_setupPanel.load() != 0;
}

void PostRefreshRequest() {
    const plat::WindowId panel = g_setupPanel.load();
    if (panel == 0 || panel == kPanelStarting ||
        !plat::PostWindowMessage(panel, kMsgStatsRefresh)) {
        // The refresh asked for will not come: let the next call check ask
        // again instead of waiting for it forever.
        g_refreshPending = 1;
    }
}

bool CountyWindowExists() {
    return g_countyWindow.load() != 0;
}

void ResetCountyMarks() {
    const plat::WindowId panel = g_setupPanel.load();
    if (panel != 0 && panel != kPanelStarting) {
        plat::PostWindowMessage(panel, kMsgCountyReset);
    }
}

}  // namespace ui
