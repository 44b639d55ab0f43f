// One accepted QSO as the log stores it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ole_date.h"

struct CInfo {
    std::string m_call;
    std::string m_dxcc;
    std::string m_continent;
    std::string m_band;
    std::string m_mode;
    std::string m_rstRcvd;
    std::string m_rstSent;
    std::string m_exchRcvd;
    std::string m_exchSent;
    std::string m_county;  // upper-cased, trimmed county code of a YU/YT station
    int32_t m_freqKHz = 0;
    int32_t m_notCounted = 0;  // stored, but earns no points and no multiplier
    int32_t m_noCounty = 0;    // YU/YT station whose exchange is no county code
    int32_t m_notANumber = 0;  // under the 2020 rules: other station whose serial is no number
    int32_t m_dupe = 0;        // repeats an earlier call, band and mode
    plat::OleDate m_time;
    uint64_t m_seq = 0;  // arrival number, assigned by the log; orders the indexes

    // A QSO whose exchange was unusable may be worked again: it makes no
    // later QSO with that station a dupe.
    bool MakesLaterDupes() const { return m_noCounty == 0 && m_notANumber == 0; }
};
