// A modal dialog with an owner window, for the Windows backend only: the
// owner is disabled while the dialog runs and active again after it.
#pragma once

#include "platform/win32/windows_api.h"

#include "platform/dialog.h"

namespace plat {

// RunModalDialog with `owner` (null: none) as the dialog's owner window.
int RunOwnedModalDialog(const DialogTemplate& t, DialogHandler& handler, HWND owner)
    EXCLUDES(g_engineMutex);

}  // namespace plat
