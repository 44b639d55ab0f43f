// The window set is not built yet: no panel ever exists, so refresh requests
// go nowhere and a contest-run start that would open the panel opens nothing.
#include "ui/ui_link.h"

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
    return false;
}
void PostRefreshRequest() {}
bool CountyWindowExists() {
    return false;
}
void ResetCountyMarks() {}
void StartUi() {}
void CloseAllWindows() {}
void OnLibraryUnload() {
    CloseAllWindows();
}

}  // namespace ui
