// The library's entry point. Loading builds the global objects (through the
// runtime's startup code, before DllMain runs); unloading runs their
// destructors after DllMain, among them the hook that closes the windows.
#include <windows.h>

#include "platform/sync.h"

namespace {

volatile LONG g_processEnding = 0;

}  // namespace

namespace plat {

bool ProcessIsEnding() {
    return InterlockedCompareExchange(&g_processEnding, 0, 0) != 0;
}

}  // namespace plat

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // A detach with a reserved pointer is the end of the process: every other
    // thread has been stopped, so the close hook must not wait for any.
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr) {
        InterlockedExchange(&g_processEnding, 1);
    }
    return TRUE;
}
