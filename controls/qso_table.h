// The two pictures the table controls paint, in control coordinates (the
// item rectangle's left and top are 0, its right and bottom the control's
// size): the previous-QSO table and the wrapped list of DXCC prefixes.
#pragma once

#include "controls/qso_table_snapshot.h"
#include "controls/window_colours.h"
#include "platform/canvas.h"

namespace controls {

constexpr plat::Colour kTableBackground = 0x00C6FFFF;
constexpr plat::Colour kTableHighlight = 0x00FFFFC6;

// One line per band from 80m to 10m under a header with the call above
// the "SSB" title, on seven row slots of a seventh of the height each; the
// current band's line highlighted. The call reads "Call" when none is
// typed, and then the result is true.
[[nodiscard]] bool DrawPrevQsoTable(plat::Canvas& dc, const plat::Rect& item,
                                    const QsoTableSnapshot& s);

// The current band's prefixes in byte order, 40 pixels apart, wrapped into
// lines 15 pixels apart before the right edge; only the background while
// the band is not known.
void DrawDxccList(plat::Canvas& dc, const plat::Rect& item, const QsoTableSnapshot& s);

}  // namespace controls
