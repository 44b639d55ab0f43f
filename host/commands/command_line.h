// The command line of stats-host, checked for shape before anything is read.
#pragma once

#include "host/options.h"

namespace host {

// Throws InputError for a command line that cannot be run. The paths come
// back absolute, resolved against the folder stats-host was started in; the
// calls in capitals.
Options ParseArguments(int argc, char** argv);

// The text of stats-host --help.
const char* UsageText();

}  // namespace host
