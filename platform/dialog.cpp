// What a dialog does with Escape and with a close request when its window's
// class does not say otherwise. Shared by both window systems.
#include "platform/dialog.h"

namespace plat {

void DialogHandler::OnCommand(DialogWindow& w, int id, int /*code*/) {
    if (id == kIdCancel && w.IsModal()) {
        w.EndDialog(kIdCancel);
    }
}

void DialogHandler::OnClose(DialogWindow& w) {
    if (w.IsModal()) {
        w.EndDialog(kIdCancel);
    } else {
        w.Destroy();
    }
}

}  // namespace plat
