// The results of the plug-in passes as bytes, for handing them back from a
// worker process; decoding refuses a frame that is cut short.
#pragma once

#include <string>

#include "host/cross_check/plugin_passes.h"

namespace host {

std::string Encode(const ClaimedPass& pass);
ClaimedPass DecodeClaimed(const std::string& bytes);
std::string Encode(const PassFigures& figures);
PassFigures DecodeFigures(const std::string& bytes);

}  // namespace host
