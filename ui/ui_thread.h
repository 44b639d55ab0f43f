// The UI thread: it exists exactly as long as the Setup panel, runs the
// panel modally (the thread's only message loop) and owns every window.
// StartUi, CloseAllWindows and the unload hook are in ui/ui_link.h.
#pragma once

#include "platform/sync.h"

namespace ui {

// The thread's body: claims g_setupPanel, runs the panel until it ends,
// closes the other windows and the host link, and clears g_setupPanel as
// its last action. Returns 1 at once when another panel holds the claim.
unsigned UiThreadMain() EXCLUDES(g_engineMutex);

}  // namespace ui
