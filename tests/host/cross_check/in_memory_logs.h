// Contest logs built in memory for the cross-check's tests: each QSO on
// 2026-02-14 some minutes after 12:00 UTC, 20m CW unless told otherwise.
#pragma once

#include <string>
#include <vector>

#include "host/cross_check/contest_folder.h"

namespace cross_check_test {

inline host::LogQso Qso(const std::string& call, int minute, const std::string& band = "20m") {
    host::LogQso q;
    q.call = call;
    q.time = {2026, 2, 14, 12 + minute / 60, minute % 60, 0};
    q.band = band;
    q.mode = "CW";
    return q;
}

inline host::EntrantLog Entrant(const std::string& call, std::vector<host::LogQso> qsos) {
    host::EntrantLog e;
    e.file = call + ".log";
    e.call = call;
    for (size_t i = 0; i < qsos.size(); ++i) {
        qsos[i].line = static_cast<int>(i) + 3;
        qsos[i].ownCall = call;
    }
    e.log.ownCall = call;
    e.log.qsos = std::move(qsos);
    return e;
}

}  // namespace cross_check_test
