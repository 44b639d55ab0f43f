// AddData0: validation in a fixed order, the bad-QSO lines, the stored
// record with its dupe and no-county flags.
#include <algorithm>
#include <string>
#include <string_view>
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
    f.mode = std::string(q.mode);
    f.timeText = QsoTimeText(q.time);
    f.ownCall = std::string(q.ownCall);
    f.rstSent = std::string(q.rstSent);
    f.exchSent = std::string(q.exchSent);
    f.call = std::string(q.call);
    f.rstRcvd = std::string(q.rstRcvd);
    f.exchRcvd = std::string(q.exchRcvd);
    return f;
}

// A YU/YT station's exchange as a county code is compared: upper-cased,
// without blanks around it.
std::string CountyOf(std::string_view exchange) {
    const size_t from = exchange.find_first_not_of(kRuleBlanks);
    if (from == std::string_view::npos) {
        return std::string();
    }
    const size_t to = exchange.find_last_not_of(kRuleBlanks);
    std::string county(exchange.substr(from, to - from + 1));
    for (char& c : county) {
        c = plat::AsciiUpper(c);
    }
    return county;
}

int Reject(const QsoInput& q, const char* reason) REQUIRES(g_engineMutex) {
    g_badQsoFile.Append(g_badQsoFileName, LineFields(q), {reason});
    return 0;
}

}  // namespace

int AcceptQso(const QsoInput& q) {
    if (!g_bandRules.Contains(q.band)) {
        return Reject(q, kReasonWrongBand);
    }
    // The band is listed before the remaining checks, so a band whose QSOs
    // all fail them is listed all the same.
    if (std::find(g_bandsWorked.begin(), g_bandsWorked.end(), q.band) == g_bandsWorked.end()) {
        g_bandsWorked.emplace_back(q.band);
    }
    if (!g_modeRules.Contains(q.mode)) {
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
        std::string county = CountyOf(q.exchRcvd);
        if (IsCountyCode(county)) {
            record.m_county = std::move(county);
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
    // county or its number makes no dupe. The call is looked up once for the
    // count and the append.
    const size_t call = g_log.AddCall(record.m_call);
    const int earlier = g_log.CountDupeTargets(call, record.m_band, record.m_mode);
    if (earlier > 0) {
        record.m_dupe = 1;
        record.m_notCounted = 1;
        reasons.insert(reasons.end(), static_cast<size_t>(earlier), kReasonDupe);
    }
    if (!reasons.empty()) {
        g_badQsoFile.Append(g_badQsoFileName, LineFields(q), reasons);
    }
    g_log.Append(call, std::move(record));
    return 1;
}
