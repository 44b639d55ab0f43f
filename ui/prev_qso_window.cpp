#include "ui/prev_qso_window.h"

#include "ui/dialog_tables.h"
#include "ui/handler_guard.h"
#include "ui/table_paint.h"
#include "ui/window_set.h"

namespace ui {

void Prev_QSO::OnDrawItem(plat::DialogWindow&, int id, plat::Canvas& c, const plat::Rect& r,
                          unsigned) {
    if (id == kIdPrevQsoTable) {
        Guarded([&] { PaintPrevQsoTable(c, r); });
    }
}

void Prev_QSO::OnDestroy(plat::DialogWindow& w) {
    const plat::WindowId current = g_prevQsoWindow.load();
    if (current == 0 || current == w.Id()) {
        prevQsoWindowOpen = false;
    }
    InfoWindow::OnDestroy(w);
}

}  // namespace ui
