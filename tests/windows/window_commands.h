// The stand-in host's commands that act on the plug-in's windows: finding
// them by caption and their controls by id, posted clicks, texts, check
// states, positions, topmost, pixels and screenshots. They run on any
// thread that pumps its messages (the main thread or a "when" block's).
#pragma once

#include <string>

#include "tests/windows/ui_script.h"

namespace testhost {

// Runs the statement when it is a window command: `known` says whether it
// was one, and the result whether it succeeded (the reason in `error`).
bool RunWindowCommand(const Statement& s, std::string& error, bool& known);

}  // namespace testhost
