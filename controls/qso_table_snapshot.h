// What the two table controls draw: a copy of the shared data that their
// window takes under the engine lock just before the paint, so a paint
// never reads the engine or the windows' globals. Texts are UTF-8, as the
// canvas takes them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "scoring/contest_lists.h"

namespace controls {

struct QsoTableSnapshot {
    // Row b belongs to band index b: the band label, the time of a CW QSO
    // with the call, the time of an SSB QSO, the received exchange (further
    // cells are not drawn). Row 0, the 160m slot, is never drawn.
    std::array<std::vector<std::string>, kBandSlots> prevQsoRows;
    // The radio's band slot; kNoBand (or any other value) while it is not
    // known.
    int currentBandIndex = kNoBand;
    // The call being typed; empty or "Call" when none is.
    std::string currentCall;
    // The DXCC prefixes worked on the current band, in any order.
    std::vector<std::string> bandDxcc;
    // Whether the previous-QSO window exists.
    bool prevQsoWindowOpen = false;
};

// The call shown when none is being typed.
inline constexpr const char* kNoCall = "Call";

}  // namespace controls
