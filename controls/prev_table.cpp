#include "controls/prev_table.h"

#include "controls/mem_dc.h"
#include "controls/qso_table.h"

namespace controls {

bool CPrev::DrawItem(plat::Canvas& dc, const plat::Rect& item, const QsoTableSnapshot& s) const {
    CMemDC mem(dc);
    return DrawPrevQsoTable(mem, item, s);
}

}  // namespace controls
