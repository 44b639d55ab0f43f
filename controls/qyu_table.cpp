#include "controls/qyu_table.h"

#include "controls/mem_dc.h"
#include "controls/qso_table.h"

namespace controls {

bool CQYU::ShowsDxccList(const QsoTableSnapshot& s) {
    return s.currentCall.empty() || s.currentCall == kNoCall || s.prevQsoWindowOpen;
}

void CQYU::DrawItem(plat::Canvas& dc, const plat::Rect& item, const QsoTableSnapshot& s) const {
    CMemDC mem(dc);
    if (ShowsDxccList(s)) {
        DrawDxccList(mem, item, s);
    } else {
        // A call is typed here, so the table never asks for "Call".
        static_cast<void>(DrawPrevQsoTable(mem, item, s));
    }
}

}  // namespace controls
