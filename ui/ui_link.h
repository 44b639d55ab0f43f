// What the engine and the contest-run start ask of the plug-in's windows.
// The windows live on a UI thread of their own; everything here is safe to
// call from the host's thread without holding the engine lock.
#pragma once

#include "platform/sync.h"
#include "scoring/window_requests.h"

namespace ui {

// The Setup panel exists (the UI thread runs).
bool SetupPanelExists();

// Posts the refresh request to the Setup panel, when it exists, without
// waiting for it.
void PostRefreshRequest();

// The county window exists, and clearing its 30 worked marks: posted to
// the panel, so the UI thread clears them ahead of the refresh request
// that the removal posts next.
bool CountyWindowExists();
void ResetCountyMarks();

// The four requests above as the engine's interface to the windows; the
// plug-in connects it at load.
WindowRequests& EngineRequests();

// Starts the UI thread, first closing a panel that still runs.
void StartUi() EXCLUDES(g_engineMutex);

// Closes the county, DXCC and previous-QSO windows, then the panel, and
// waits until the UI thread has let the panel go.
void CloseAllWindows() EXCLUDES(g_engineMutex);

// Runs when the library is unloaded; never hangs.
void OnLibraryUnload() EXCLUDES(g_engineMutex);

}  // namespace ui
