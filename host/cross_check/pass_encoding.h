// The results of the plug-in passes as bytes, for handing them back from a
// worker process; a frame that is cut short or malformed is refused.
#pragma once

#include <string>

#include "host/cross_check/plugin_passes.h"

namespace host {

// The results as bytes, for handing them back from a worker process.
std::string Encode(const ClaimedPass& pass);
ClaimedPass DecodeClaimed(const std::string& bytes);
std::string Encode(const PassFigures& figures);
PassFigures DecodeFigures(const std::string& bytes);

}  // namespace host
