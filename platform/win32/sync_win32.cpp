// Threads, sleeping and the engine lock on the Win32 primitives; the win32
// thread model of the cross compiler offers no std::thread or std::mutex.
#include <windows.h>

#include <new>

#include "platform/sync.h"
#include "platform/thread_exit.h"

namespace plat {

struct Mutex::Impl {
    CRITICAL_SECTION section;
};

Mutex::Mutex() : impl_(new Impl) {
    InitializeCriticalSection(&impl_->section);
}
Mutex::~Mutex() {
    DeleteCriticalSection(&impl_->section);
}
void Mutex::Lock() {
    EnterCriticalSection(&impl_->section);
}
void Mutex::Unlock() {
    LeaveCriticalSection(&impl_->section);
}

namespace {

struct ThreadStart {
    ThreadProc proc;
    void* arg;
};

// The thread StartDetachedThread made last, and the last one that began to
// run: the unload may end the former while it still waits to begin.
HANDLE g_lastThread = nullptr;
DWORD g_lastThreadId = 0;
volatile LONG g_runningThreadId = 0;

DWORD WINAPI RunThread(LPVOID param) {
    InterlockedExchange(&g_runningThreadId, static_cast<LONG>(GetCurrentThreadId()));
    const ThreadStart start = *static_cast<ThreadStart*>(param);
    delete static_cast<ThreadStart*>(param);
    return start.proc(start.arg);
}

}  // namespace

bool StartDetachedThread(ThreadProc proc, void* arg) {
    ThreadStart* start = new (std::nothrow) ThreadStart{proc, arg};
    if (start == nullptr) {
        return false;
    }
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, RunThread, start, 0, &id);
    if (thread == nullptr) {
        delete start;
        return false;
    }
    if (g_lastThread != nullptr) {
        CloseHandle(g_lastThread);
    }
    g_lastThread = thread;
    g_lastThreadId = id;
    return true;
}

bool CancelThreadNotYetRunning() {
    if (g_lastThread == nullptr ||
        static_cast<DWORD>(InterlockedCompareExchange(&g_runningThreadId, 0, 0)) ==
            g_lastThreadId ||
        WaitForSingleObject(g_lastThread, 0) == WAIT_OBJECT_0) {
        return false;
    }
    // Its start record is lost with it; it never touched anything else.
    TerminateThread(g_lastThread, 0);
    CloseHandle(g_lastThread);
    g_lastThread = nullptr;
    return true;
}

bool FinishThreadAtUnload(bool waitRanOut) {
    if (g_lastThread == nullptr) {
        return false;
    }
    const bool ended = waitRanOut && WaitForSingleObject(g_lastThread, 0) != WAIT_OBJECT_0 &&
                       TerminateThread(g_lastThread, 0) != FALSE;
    CloseHandle(g_lastThread);
    g_lastThread = nullptr;
    return ended;
}

void SleepMilliseconds(unsigned ms) {
    Sleep(ms);
}

}  // namespace plat
