// The commands of stats-host. Each returns the exit status of a run that
// went through and throws a HostError for one that could not.
#pragma once

#include "host/commands/options.h"

namespace host {

int RunScore(const Options& o);
int RunCheck(const Options& o);
int RunCheckLogs(const Options& o);
// The log robot; argv as main() has it, argv[1] being "serve".
int RunServe(int argc, char** argv);

}  // namespace host
