// stats-host check-logs: every log of a contest scored, cross-checked against
// the others and scored again with only the QSOs that stand.
#pragma once

#include "host/options.h"

namespace host {

// The exit status of a run that went through; throws a HostError for one
// that could not.
int RunCheckLogs(const Options& o);

}  // namespace host
