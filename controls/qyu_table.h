// The DXCC window's control: the DXCC prefixes worked on the radio's band
// or, while a call is typed and the previous-QSO window is closed, the
// previous-QSO table in its stead. Chosen afresh at every paint, drawn
// whole through an off-screen surface from the snapshot its window hands
// it.
#pragma once

#include "controls/qso_table_snapshot.h"
#include "platform/canvas.h"

namespace controls {

class CQYU {
  public:
    // True when the paint shows the DXCC list: no call typed (empty or
    // exactly "Call"), or the previous-QSO window open.
    static bool ShowsDxccList(const QsoTableSnapshot& s);

    // The owner-draw paint of the item rectangle `item` (left and top 0).
    // Never asks for "Call" to be stored: the table is shown only with a
    // call.
    void DrawItem(plat::Canvas& dc, const plat::Rect& item, const QsoTableSnapshot& s) const;
};

}  // namespace controls
