#include "ui/info_window.h"

#include "controls/window_colours.h"
#include "ui/dialog_tables.h"
#include "ui/handler_guard.h"
#include "ui/ui_settings.h"
#include "ui/window_set.h"

namespace ui {

bool InfoWindow::OnInitDialog(plat::DialogWindow& w) {
    window_ = &w;
    id_ = w.Id();
    Guarded([&] { ReadSavedPosition(xKey_, yKey_, kDefaultWindowX, kDefaultWindowY); });
    w.MoveTo(g_savedX, g_savedY);
    if (g_onTop) {
        w.MakeTopmost();
    }
    w.SetIcon(kWindowIcon);
    w.DisableCloseEntry();
    return true;
}

// Enter and Escape leave the window as it is: it closes through the panel.
void InfoWindow::OnCommand(plat::DialogWindow&, int, int) {}

bool InfoWindow::OnControlColours(plat::DialogWindow&, int, plat::ControlColours& out) {
    out.text = plat::Rgb(0, 0, 0);
    out.textBackground = controls::kWindowBackground;
    out.background = controls::kWindowBackground;
    return true;
}

void InfoWindow::OnSetCursor(plat::DialogWindow& w) {
    Guarded([&] { SavePositionIfMoved(w, xKey_, yKey_); });
}

void InfoWindow::OnDestroy(plat::DialogWindow&) {
    window_ = nullptr;
}

}  // namespace ui
