// Records as the log stores them, for tests that fill the engine's log
// directly rather than through the exports.
#pragma once

#include <string>

#include "scoring/cinfo.h"

namespace unit_support {

// A QSO on 5 December 2026 at hour:minute.
inline CInfo LoggedQso(const std::string& call, const std::string& band, const std::string& mode,
                       const std::string& dxcc, const std::string& exchRcvd,
                       const std::string& county, int hour, int minute) {
    CInfo r;
    r.m_call = call;
    r.m_band = band;
    r.m_mode = mode;
    r.m_dxcc = dxcc;
    r.m_exchRcvd = exchRcvd;
    r.m_county = county;
    r.m_time.m_dt = 46361.0 + (hour * 60 + minute) / 1440.0;
    return r;
}

}  // namespace unit_support
