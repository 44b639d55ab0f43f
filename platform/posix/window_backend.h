// Where the dialogs of platform/dialog.h come from natively. libStatsPosix.so
// has no window system of its own: the program that loads the plug-in may
// install one (the tests install a headless one that keeps the windows
// without pixels, and drive it as a user would). Until one is installed no
// window can be made: a modal run returns -1 at once, a modeless dialog is
// not created, and there is no window to post or send to. The plug-in then
// runs without its windows, as it does when Windows cannot make them; this
// is how stats-host runs it.
#pragma once

#include "platform/dialog.h"
#include "platform/posix/posix_api.h"

namespace plat {

// The window system behind platform/dialog.h; each member does what the
// function of the same name there promises.
class WindowBackend {
  public:
    virtual int RunModalDialog(const DialogTemplate& t, DialogHandler& handler) = 0;
    virtual WindowId CreateModelessDialog(const DialogTemplate& t, DialogHandler& handler) = 0;
    virtual bool PostWindowMessage(WindowId w, unsigned msg) = 0;
    virtual bool SendCloseRequest(WindowId w) = 0;
    virtual bool WindowExists(WindowId w) = 0;

  protected:
    // Installed for the rest of the process: never destroyed through this.
    ~WindowBackend() = default;
};

// Makes `backend` the window system from now on; null for none. The backend
// must outlive every thread that may still reach a window.
STATS_POSIX_API void SetWindowBackend(WindowBackend* backend);

// The installed backend; null when none is.
WindowBackend* CurrentWindowBackend();

}  // namespace plat
