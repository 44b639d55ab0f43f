#include "ui/prev_qso_window.h"

#include "ui/window_set.h"

namespace ui {

void Prev_QSO::OnDestroy(plat::DialogWindow& w) {
    const plat::WindowId current = g_prevQsoWindow.load();
    if (current == 0 || current == w.Id()) {
        prevQsoWindowOpen = false;
    }
    InfoWindow::OnDestroy(w);
}

}  // namespace ui
