// The dialogs of platform/dialog.h on the installed window backend; without
// one no window exists.
#include "platform/dialog.h"
#include "platform/posix/window_backend.h"

namespace plat {

int RunModalDialog(const DialogTemplate& t, DialogHandler& handler) {
    WindowBackend* backend = CurrentWindowBackend();
    return backend != nullptr ? backend->RunModalDialog(t, handler) : -1;
}

WindowId CreateModelessDialog(const DialogTemplate& t, DialogHandler& handler) {
    WindowBackend* backend = CurrentWindowBackend();
    return backend != nullptr ? backend->CreateModelessDialog(t, handler) : 0;
}

bool PostWindowMessage(WindowId w, unsigned msg) {
    WindowBackend* backend = CurrentWindowBackend();
    return backend != nullptr && backend->PostWindowMessage(w, msg);
}

bool SendCloseRequest(WindowId w) {
    WindowBackend* backend = CurrentWindowBackend();
    return backend != nullptr && backend->SendCloseRequest(w);
}

bool WindowExists(WindowId w) {
    WindowBackend* backend = CurrentWindowBackend();
    return backend != nullptr && backend->WindowExists(w);
}

}  // namespace plat
