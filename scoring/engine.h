// The scoring engine's operations, one per export that works on the log.
// Callers hold g_engineMutex around each.
#pragma once

#include <string>
#include <string_view>

#include "platform/ole_date.h"
#include "platform/sync.h"
#include "scoring/summary_layout.h"

// One QSO as the host passed it to AddData0 or RemoveData0. The texts are
// the host's own, valid for the one call: the engine copies what it keeps.
struct QsoInput {
    std::string_view ownCall;
    std::string_view call;
    plat::OleDate time;
    unsigned frequencyHz = 0;
    std::string_view mode;
    std::string_view rstSent;
    std::string_view rstRcvd;
    std::string_view exchSent;
    std::string_view exchRcvd;
    std::string_view dxcc;
    std::string_view continent;
    std::string_view band;
};

// Validates and stores one QSO; 1 stored (perhaps flagged), 0 rejected.
int AcceptQso(const QsoInput& qso) REQUIRES(g_engineMutex);

// Takes one QSO back out of the log and its lines out of the bad-QSO file.
void RemoveQso(const QsoInput& qso) REQUIRES(g_engineMutex);

// The call-check status; the previous exchange goes to prevExchange (10
// bytes) when it is not null. Bands may be null.
int CheckCall(const std::string& call, const std::string& mode, const std::string& dxcc,
              const char* band, const char* secondBand, char* prevExchange) REQUIRES(g_engineMutex);

// 1 when the exchange is a 3- or 4-digit serial other than 599, or a county.
int IsValidExchange(const char* exchange);

// Recounts the log into g_resultText, saves the claimed score in the
// settings and returns the totals it counted. entryBand ("40m") names the
// one band a single-band entry scores, "" all bands; the summary shows
// every band either way.
SummaryTotals BuildResult(const std::string& entryBand) REQUIRES(g_engineMutex);
