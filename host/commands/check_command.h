// stats-host check: replays the log, then asks the plug-in about one call as
// the logging program does while the call is typed.
#pragma once

#include "host/options.h"

namespace host {

// The exit status of a run that went through; throws a HostError for one
// that could not.
int RunCheck(const Options& o);

}  // namespace host
