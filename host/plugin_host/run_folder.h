// Where a run happens: the plug-in it loads, and the output folder made the
// host's folder.
#pragma once

#include <string>

#include "host/options.h"

namespace host {

// The plug-in library: --plugin, else the one beside stats-host, else the
// one this build made.
std::string PluginPath(const Options& o);

// Creates the output folder with its Plugins folder and the host's settings
// file, and makes it the current directory: the plug-in writes there. Returns
// the folder ending in a separator. Throws InputError when it cannot, or
// when the folder cannot be written.
std::string EnterOutFolder(const std::string& out);

// The plug-in's settings file in the current folder chooses the rules at
// the contest-run start: "Rules=2020" for the 2020 rules, no Rules key for
// the classic ones, so that no choice carries over from an earlier run into
// the same folder. Throws InputError when the file cannot be written.
void ChooseRulesInFolder(RuleSet rules);

}  // namespace host
