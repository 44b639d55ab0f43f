#include "plugin/report_run.h"

#include "scoring/engine_state.h"
#include "scoring/rule_set.h"

CabrilloLog g_cabrilloLog;

std::string ReportRunEntryBand() {
    if (g_reportRun == 0 || g_rules != RuleSet::k2020) {
        return "";
    }
    return EntryBandOf(g_cabrilloLog.m_categoryBand);
}

std::string WriteReportRunCabrillo(int claimedScore) {
    g_cabrilloLog.m_qsoLines.clear();
    for (const CInfo& r : g_log.records()) {
        const char* mode = r.m_mode == "CW" ? "CW" : r.m_mode == "SSB" ? "PH" : "??";
        g_cabrilloLog.AddQso(r.m_call, r.m_freqKHz, mode, r.m_time, r.m_rstSent, r.m_exchSent,
                             r.m_rstRcvd, r.m_exchRcvd);
    }
    return g_cabrilloLog.WriteCabrilloFile(claimedScore, g_hostVersion);
}
