// The decisions of the live refresh that need no window and no host: the
// band of the radio's frequency, when to send "<SP1>", which typed calls are
// too short to show, and which county buttons to mark.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "scoring/contest_lists.h"

namespace ui {

// The host's frequency (Hz) is one the refresh acts on: a finite number, not
// negative, whose whole megahertz fits a 32-bit signed value. Anything else
// is a host gone wrong: it has no band and never sends "<SP1>".
bool IsUsableFrequency(double hz);

// Band slot 0 to 5 ("160m" to "10m") of the whole megahertz of the
// frequency (1, 3, 7, 14, 21, 28), or kNoBand.
int BandOfFrequency(double hz);

// "<SP1>" goes to the host when the radio moved by more than 300 Hz since
// the frequency it was last sent at (0 before the first time).
bool ShouldSendSp1(double hz, double lastSp1Hz);

// A call of one or two characters is still being typed: the refresh leaves
// everything as it was.
inline bool CallTooShortToShow(const std::string& call) {
    return !call.empty() && call.size() <= 2;
}

using CountyMarks = std::array<bool, kCountyCount>;

// The counties (positions in the fixed county order) that the band's
// county list newly marks: each listed code that is one of the 30 exactly
// and not yet marked, once, in list order.
std::vector<int> CountiesToMark(const std::vector<std::string>& bandCounties,
                                const CountyMarks& marked);

}  // namespace ui
