// Waiting while COM calls into the waiting thread's apartment are served:
// the host's thread answers the UI thread's pending call to the host's
// automation object and the release of its interface while it waits.
#include <objbase.h>
#include <windows.h>

#include "platform/host_wait.h"

namespace plat {

bool WaitServingHostCalls(bool (*done)(void* arg), void* arg, unsigned timeoutMs) {
    // Never signalled: the wait only serves calls and times out in steps.
    HANDLE idle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const DWORD start = GetTickCount();
    bool finished = false;
    for (;;) {
        if (done(arg)) {
            finished = true;
            break;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            break;
        }
        const DWORD left = timeoutMs - elapsed;
        const DWORD step = left < 5 ? left : 5;
        DWORD index = 0;
        const HRESULT waited =
            idle != nullptr ? CoWaitForMultipleHandles(0, step, 1, &idle, &index) : E_FAIL;
        // RPC_S_CALLPENDING is the step's timeout; any other failure (a
        // thread outside COM) would return at once, so it sleeps instead.
        if (FAILED(waited) && waited != RPC_S_CALLPENDING) {
            Sleep(step);
        }
    }
    if (idle != nullptr) {
        CloseHandle(idle);
    }
    return finished;
}

}  // namespace plat
