// The background of the plug-in's windows (the Setup panel and the DXCC,
// county and previous-QSO windows, with their controls' text background),
// which the DXCC list painted inside one of them continues.
#pragma once

#include "platform/canvas.h"

namespace controls {

constexpr plat::Colour kWindowBackground = plat::Rgb(0xFF, 0xFA, 0xC6);

}  // namespace controls
