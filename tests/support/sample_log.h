// The contest run and QSOs the tests replay: DL1XYZ's 20 m CW QSOs on
// 5 December 2026, for a contest from the 5th to the 6th. Free of GoogleTest,
// so the Windows test programs use it too.
#pragma once

#include <string>

#include "host/plugin_host/plugin_loader.h"

namespace sample {

inline host::ContestRun Run(const std::string& ownCall, const std::string& ownDxcc, int reportRun) {
    host::ContestRun run;
    run.hostFolder = "Host\\";
    run.reportRun = reportRun;
    run.ownCall = ownCall;
    run.start = host::MakeDate(2026, 12, 5, 12, 0);
    run.end = host::MakeDate(2026, 12, 6, 12, 0);
    run.ownDxcc = ownDxcc;
    run.ownContinent = "EU";
    return run;
}

// Sent 599 001 at 12:<minute>.
inline host::QsoFields Qso(const std::string& call, const std::string& dxcc,
                           const std::string& continent, const std::string& exchRcvd, int minute) {
    host::QsoFields q;
    q.ownCall = "DL1XYZ";
    q.call = call;
    q.time = host::MakeDate(2026, 12, 5, 12, minute);
    q.frequencyHz = 14025000;
    q.mode = "CW";
    q.rstSent = "599";
    q.rstRcvd = "599";
    q.exchSent = "001";
    q.exchRcvd = exchRcvd;
    q.dxcc = dxcc;
    q.continent = continent;
    q.band = "20m";
    return q;
}

}  // namespace sample
