// What the engine asks of the plug-in's windows, which live on a thread of
// their own. The windows implement it; the plug-in connects it at load. Until
// then, and after unload, the engine sees no windows. Every call is safe from
// the host's thread and must not wait for the windows' thread.
#pragma once

class WindowRequests {
  public:
    virtual ~WindowRequests() = default;
    // The Setup panel exists (the windows' thread runs).
    virtual bool SetupPanelExists() = 0;
    // Posts the refresh request to the panel without waiting for it.
    virtual void PostRefreshRequest() = 0;
    // The county window exists, and clearing its worked marks.
    virtual bool CountyWindowExists() = 0;
    virtual void ResetCountyMarks() = 0;
};

// The connected windows, or a stand-in that has none.
WindowRequests& Windows();
// Connects the windows; nullptr disconnects them.
void ConnectWindows(WindowRequests* windows);
