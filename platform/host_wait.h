// Waiting on the host's thread without starving the host's automation
// object. The UI thread may be inside a call to that object, which only the
// host's thread can answer; a wait for the UI thread that does not serve
// such calls would never end.
#pragma once

#include "platform/sync.h"

namespace plat {

// Waits until done(arg) is true or timeoutMs has passed, checking it every
// few milliseconds. Meanwhile the calling thread carries out the calls that
// other threads make to its objects (on Windows: COM's modal loop of its
// apartment; natively: the registered host object's queued calls). True
// when done(arg) became true.
bool WaitServingHostCalls(bool (*done)(void* arg), void* arg, unsigned timeoutMs)
    EXCLUDES(g_engineMutex);

}  // namespace plat
