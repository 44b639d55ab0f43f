// Contest logs for timing the plug-in: a realistic mix of calls from many
// countries on five bands and two modes, about 3 % dupes, and a few YU
// stations that send serial numbers instead of their county. The same size
// always gives the same log.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/plugin_host/plugin_loader.h"

namespace bench {

struct BenchLog {
    std::vector<host::QsoFields> qsos;

    // Call checks against the whole log: a call never worked, the call,
    // band and mode of a stored QSO, and a worked call on a band and mode it
    // was not worked on (so its previous exchange is looked up).
    host::CallCheck newCall;
    host::CallCheck dupeCall;
    host::CallCheck knownCall;

    // A QSO near the middle of the log whose call, band and mode occur once
    // and that wrote no bad-QSO line: removing it and adding it again gives
    // back a log with the same counts.
    size_t middle = 0;
};

// The contest run all logs belong to: DL1XYZ (DL, EU).
host::ContestRun BenchRun();

// The name of the bad-QSO file of BenchRun().
std::string BenchBadQsoFileName();

BenchLog MakeBenchLog(size_t qsoCount);

// The log of this size, made once per program.
const BenchLog& CachedBenchLog(size_t qsoCount);

}  // namespace bench
