// RemoveData0: the record leaves the log, its county leaves the county
// window's list, and its lines leave the bad-QSO file.
#include <algorithm>

#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/text_fields.h"
#include "scoring/window_requests.h"

void RemoveQso(const QsoInput& q) {
    const long found = g_log.FindFirst(q.call, q.band, q.mode, q.time);
    if (found >= 0) {
        const CInfo& record = g_log.at(static_cast<size_t>(found));
        int b = BandIndex(q.band);
        if (b >= kBandSlots) {
            b = 0;
        }
        if (IsYuPrefix(record.m_dxcc) && Windows().CountyWindowExists()) {
            Windows().ResetCountyMarks();
            std::vector<std::string>& counties = g_countyByBand[static_cast<size_t>(b)];
            auto it = std::find(counties.begin(), counties.end(), record.m_county);
            if (it != counties.end()) {
                counties.erase(it);
            }
        }
        g_log.RemoveAt(static_cast<size_t>(found));
    }
    g_badQsoFile.RemoveQsoLines(g_badQsoFileName, q.call, q.mode, QsoTimeText(q.time));
    if (g_log.empty()) {
        g_bandsWorked.clear();
    }
    g_refreshPending = 1;
    Windows().PostRefreshRequest();
}
