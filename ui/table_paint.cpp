#include "ui/table_paint.h"

#include <cstddef>
#include <string>
#include <vector>

#include "controls/prev_table.h"
#include "controls/qyu_table.h"
#include "scoring/engine_state.h"
#include "ui/live_refresh.h"
#include "ui/window_set.h"
#include "ui/window_texts.h"

namespace ui {

controls::QsoTableSnapshot TakeTableSnapshot() {
    controls::QsoTableSnapshot s;
    const LiveState& live = Live();
    s.currentBandIndex = live.currentBandIndex;
    s.currentCall = Shown(live.currentCall);
    s.prevQsoWindowOpen = prevQsoWindowOpen.load();

    plat::LockGuard lock(EngineLock());
    for (size_t b = 0; b < s.prevQsoRows.size() && b < g_prevQsoRows.size(); ++b) {
        for (const std::string& cell : g_prevQsoRows[b]) {
            s.prevQsoRows[b].push_back(Shown(cell));
        }
    }
    if (s.currentBandIndex >= 0 && static_cast<size_t>(s.currentBandIndex) < g_dxccByBand.size()) {
        for (const std::string& prefix : g_dxccByBand[static_cast<size_t>(s.currentBandIndex)]) {
            s.bandDxcc.push_back(Shown(prefix));
        }
    }
    return s;
}

void PaintPrevQsoTable(plat::Canvas& dc, const plat::Rect& item) {
    // The paint only reads the refresh's state: with no call typed the
    // table reads "Call", and the DXCC table keeps its list all the same.
    static_cast<void>(controls::CPrev().DrawItem(dc, item, TakeTableSnapshot()));
}

void PaintDxccTable(plat::Canvas& dc, const plat::Rect& item) {
    controls::CQYU().DrawItem(dc, item, TakeTableSnapshot());
}

}  // namespace ui
