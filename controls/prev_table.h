// The previous-QSO window's table control: every paint draws the
// previous-QSO table whole, through an off-screen surface, from the
// snapshot its window hands it.
#pragma once

#include "controls/qso_table_snapshot.h"
#include "platform/canvas.h"

namespace controls {

class CPrev {
  public:
    // The owner-draw paint of the item rectangle `item` (left and top 0).
    // True when no call is typed: the table then reads "Call".
    [[nodiscard]] bool DrawItem(plat::Canvas& dc, const plat::Rect& item,
                                const QsoTableSnapshot& s) const;
};

}  // namespace controls
