// The panel's answer to the refresh request and to the county reset, both
// on the UI thread.
#include "ui/refresh_adapters.h"
#include "ui/setup_panel.h"
#include "ui/ui_settings.h"

namespace ui {

void Setup::OnStatsRefresh(plat::DialogWindow&) {
    LinkedHost host(link_);
    RefreshedWindows windows(windows_, [this] { OpenRequestedWindows(); });
    RunRefresh(host, windows);
}

// Windows the view choices ask for and that are not open: those of a new
// panel, and those the on-top toggle closed.
void Setup::OpenRequestedWindows() {
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

void Setup::OnCountyReset() {
    if (YU_County* county = windows_.County()) {
        county->ResetCountyMarks();
    }
}

}  // namespace ui
