#include "ui/dxcc_window.h"

#include "ui/dialog_tables.h"
#include "ui/handler_guard.h"
#include "ui/table_paint.h"

namespace ui {

// The table fills the client area but for a two-pixel margin.
void Multiplier::OnSize(plat::DialogWindow& w, int cx, int cy) {
    w.MoveItem(kIdDxccTable, {1, 1, 1 + cx - 4, 1 + cy - 4});
    w.InvalidateItem(kIdDxccTable);
}

void Multiplier::OnDrawItem(plat::DialogWindow&, int id, plat::Canvas& c, const plat::Rect& r,
                            unsigned) {
    if (id == kIdDxccTable) {
        Guarded([&] { PaintDxccTable(c, r); });
    }
}

}  // namespace ui
