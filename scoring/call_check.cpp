// CheckCall0 and IsValidExchg0: questions about the QSO being typed. Neither
// changes the log.
#include <algorithm>
#include <cstring>

#include "platform/plain_text.h"
#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/window_requests.h"

namespace {

constexpr size_t kExchangeBufferSize = 10;

// Hosts 2.19 and 2.20 read 1 as "invalid"; every other host reads 4.
int InvalidStatus() REQUIRES(g_engineMutex) {
    return g_hostVersion == "2.19" || g_hostVersion == "2.20" ? 1 : 4;
}

}  // namespace

int CheckCall(const std::string& call, const std::string& mode, const std::string& dxcc,
              const char* band, const char* secondBand, char* prevExchange) {
    if (Windows().SetupPanelExists()) {
        if (g_refreshPending.exchange(0) != 0) {
            Windows().PostRefreshRequest();
        } else {
            g_refreshAgain.store(1);
        }
    }
    if (band != nullptr && secondBand != nullptr &&
        !plat::EqualIgnoringAsciiCase(band, secondBand)) {
        return InvalidStatus();
    }
    const std::string bandText = band != nullptr ? band : "";
    if (!g_bandRules.Contains(bandText.c_str()) || !g_modeRules.Contains(mode.c_str())) {
        return InvalidStatus();
    }
    if (dxcc.empty()) {
        return 1;
    }
    if (g_log.CountDupeTargets(call, bandText, mode) > 0) {
        return 0;  // dupe; the buffer is left alone
    }
    const int status = !g_log.BandHasQsos(bandText) || g_log.BandHasDxcc(bandText, dxcc) ? 1 : 2;
    if (prevExchange != nullptr) {
        const CInfo* last = g_log.LastWithCall(call);
        const std::string previous = last != nullptr ? last->m_exchRcvd : std::string();
        // The host's buffer holds 9 characters and the terminator.
        const size_t n = std::min(previous.size(), kExchangeBufferSize - 1);
        std::memcpy(prevExchange, previous.data(), n);
        prevExchange[n] = '\0';
    }
    return status;
}

int IsValidExchange(const char* exchange) {
    if (exchange == nullptr) {
        return 0;
    }
    const std::string x = exchange;
    if (x == "599") {
        return 0;
    }
    if (x.size() == 3 || x.size() == 4) {
        bool digits = true;
        for (char c : x) {
            digits = digits && c >= '0' && c <= '9';
        }
        if (digits) {
            return 1;
        }
    }
    return IsCountyCode(x) ? 1 : 0;
}
