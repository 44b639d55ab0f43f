// What both commands do around a replay: find the plug-in, make the output
// folder the host's folder, and tell the user what was left out.
#pragma once

#include <string>

#include "host/commands/options.h"
#include "host/one_log/prepared_log.h"
#include "host/plugin_host/session.h"

namespace host {

// The plug-in library: --plugin, else the one beside stats-host, else the
// one this build made.
std::string PluginPath(const Options& o);

// Creates the output folder with its Plugins folder and the host's settings
// file, and makes it the current directory: the plug-in writes there. Returns
// the folder ending in a separator. Throws InputError when it cannot, or
// when the folder cannot be written.
std::string EnterOutFolder(const std::string& out);

SessionSetup MakeSetup(const Options& o, const PreparedLog& p, const std::string& plugin,
                       const std::string& folder);

// Standard error: the calls that resolved to no DXCC entity.
void WarnUnresolved(const PreparedLog& p);

}  // namespace host
