// RemoveData0: the record leaves the log, its county leaves the county
// window's list, and its lines leave the bad-QSO file.
#include <algorithm>
#include <string>

#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/text_fields.h"
#include "scoring/window_requests.h"

void RemoveQso(const QsoInput& q) {
    const std::string call(q.call);
    const std::string band(q.band);
    const std::string mode(q.mode);
    const long found = g_log.FindFirst(call, band, mode, q.time);
    if (found >= 0) {
        const CInfo& record = g_log.at(static_cast<size_t>(found));
        int b = BandIndex(band);
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
    g_badQsoFile.RemoveQsoLines(g_badQsoFileName, call, mode, QsoTimeText(q.time));
    if (g_log.empty()) {
        g_bandsWorked.clear();
    }
    g_refreshPending = 1;
    Windows().PostRefreshRequest();
}
