// stats-host score: the plug-in's summary of the log, and with --html the
// same summary, of the same replay, as a page.
#pragma once

#include "host/options.h"

namespace host {

// The exit status of a run that went through; throws a HostError for one
// that could not.
int RunScore(const Options& o);

}  // namespace host
