// The Cabrillo file's name, shared by the plug-in that writes the file and
// the stand-in host that guards it. Header-only, so the host needs no part
// of the plug-in to know it.
#pragma once

#include <string>

#include "platform/plain_text.h"

// The file name's base: "/" and "\" become "_", blanks at both ends go, and
// an empty result is "VOKA".
inline std::string CabrilloFileBase(const std::string& call) {
    const std::string base =
        plat::TrimBlanks(plat::ReplaceAll(plat::ReplaceAll(call, "/", "_"), "\\", "_"));
    return base.empty() ? "VOKA" : base;
}
