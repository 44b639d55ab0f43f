// The library's entry point. Loading builds the global objects (through the
// runtime's startup code, before DllMain runs); unloading calls DllMain
// first and then runs their destructors, so the detach hook, which closes
// the windows, still finds everything in place.
#include <windows.h>

#include "platform/library_detach.h"
#include "platform/sync.h"

namespace {

volatile LONG g_processEnding = 0;
plat::LibraryDetachHook volatile g_detachHook = nullptr;

}  // namespace

namespace plat {

bool ProcessIsEnding() {
    return InterlockedCompareExchange(&g_processEnding, 0, 0) != 0;
}

void SetLibraryDetachHook(LibraryDetachHook hook) {
    g_detachHook = hook;
    MemoryBarrier();
}

}  // namespace plat

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) {
        // A detach with a reserved pointer is the end of the process: every
        // other thread has been stopped, so the hook must not wait for any.
        if (reserved != nullptr) {
            InterlockedExchange(&g_processEnding, 1);
        }
        const plat::LibraryDetachHook hook = g_detachHook;
        g_detachHook = nullptr;
        if (hook != nullptr) {
            hook();
        }
    }
    return TRUE;
}
