// AddData0: validation in a fixed order, the bad-QSO lines, the stored
// record with its dupe and no-county flags.
#include <algorithm>
#include <vector>

#include "platform/plain_text.h"
#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/rule_set.h"
#include "scoring/text_fields.h"

namespace {

BadQsoFields LineFields(const QsoInput& q) {
    BadQsoFields f;
    f.frequencyKHz = q.frequencyHz / 1000;
    f.mode = q.mode;
    f.timeText = QsoTimeText(q.time);
    f.ownCall = q.ownCall;
    f.rstSent = q.rstSent;
    f.exchSent = q.exchSent;
    f.call = q.call;
    f.rstRcvd = q.rstRcvd;
    f.exchRcvd = q.exchRcvd;
    return f;
}

int Reject(const QsoInput& q, const char* reason) REQUIRES(g_engineMutex) {
    g_badQsoFile.Append(g_badQsoFileName, LineFields(q), {reason});
    return 0;
}

}  // namespace

int AcceptQso(const QsoInput& q) {
    if (!g_bandRules.Contains(q.band.c_str())) {
        return Reject(q, kReasonWrongBand);
    }
    // The band is listed before the remaining checks, so a band whose QSOs
    // all fail them is listed all the same.
    if (std::find(g_bandsWorked.begin(), g_bandsWorked.end(), q.band) == g_bandsWorked.end()) {
        g_bandsWorked.push_back(q.band);
    }
    if (!g_modeRules.Contains(q.mode.c_str())) {
        return Reject(q, kReasonWrongMode);
    }
    if (q.exchRcvd.empty() || q.exchSent.empty()) {
        return Reject(q, kReasonNoRxNumber);
    }

    CInfo record;
    record.m_call = q.call;
    record.m_band = q.band;
    record.m_mode = q.mode;
    record.m_continent = q.continent;
    record.m_rstRcvd = q.rstRcvd;
    record.m_rstSent = q.rstSent;
    record.m_dxcc = q.dxcc;
    record.m_exchSent = q.exchSent;
    record.m_exchRcvd = q.exchRcvd;
    record.m_freqKHz = static_cast<int32_t>(q.frequencyHz / 1000);
    record.m_time = q.time;

    std::vector<const char*> reasons;
    if (IsYuPrefix(q.dxcc)) {
        const std::string county = plat::TrimBlanks(plat::AsciiUpper(q.exchRcvd));
        if (IsCountyCode(county)) {
            record.m_county = county;
        } else {
            record.m_noCounty = 1;
            record.m_notCounted = 1;
            reasons.push_back(kReasonNoCounty);
        }
    } else if (g_rules == RuleSet::k2020 && !IsSerialNumber(q.exchRcvd)) {
        // Under the 2020 rules every station outside YU/YT sends a serial
        // number; anything else scores nothing but may be worked again.
        record.m_notANumber = 1;
        record.m_notCounted = 1;
        reasons.push_back(kReasonNotANumber);
    }
    // One DUPE line for every earlier QSO with the same call, band and mode,
    // but those without a usable exchange: re-working a station to get its
    // county or its number makes no dupe.
    const int earlier = g_log.CountDupeTargets(q.call, q.band, q.mode);
    if (earlier > 0) {
        record.m_dupe = 1;
        record.m_notCounted = 1;
        reasons.insert(reasons.end(), static_cast<size_t>(earlier), kReasonDupe);
    }
    if (!reasons.empty()) {
        g_badQsoFile.Append(g_badQsoFileName, LineFields(q), reasons);
    }
    g_log.Append(std::move(record));
    return 1;
}
