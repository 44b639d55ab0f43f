// The panel's answer to the refresh request. It runs on the UI thread and
// ends, whichever way, by raising g_refreshPending, so that the next call
// check may ask again.
#include "scoring/engine_state.h"
#include "ui/setup_panel.h"
#include "ui/ui_settings.h"

namespace ui {
namespace {

struct RaisePendingOnExit {
    RaisePendingOnExit() = default;
    RaisePendingOnExit(const RaisePendingOnExit&) = delete;
    RaisePendingOnExit& operator=(const RaisePendingOnExit&) = delete;
    ~RaisePendingOnExit() { g_refreshPending = 1; }
};

}  // namespace

void Setup::OnStatsRefresh(plat::DialogWindow&) {
    const RaisePendingOnExit finish;
    if (!link_.IsOpen()) {
        return;  // no host to follow: nothing is shown
    }
    // Windows the view choices ask for and that are not open: the first
    // refresh of a new panel, and the one after the on-top toggle.
    if (m_viewPrevQso != 0 && !InfoWindows::IsOpen(InfoKind::kPrevQso)) {
        OpenInfoWindow(InfoKind::kPrevQso);
    }
    if (m_viewDxcc != 0 && !InfoWindows::IsOpen(InfoKind::kDxcc)) {
        OpenInfoWindow(InfoKind::kDxcc);
        WriteUiSetting("setup_view_dxcc", "1");
    }
    if (m_viewCounty != 0 && !InfoWindows::IsOpen(InfoKind::kCounty)) {
        OpenInfoWindow(InfoKind::kCounty);
        WriteUiSetting("setup_view_county", "1");
    }
}

}  // namespace ui
