// Threads, sleeping and the engine lock on the Win32 primitives; the win32
// thread model of the cross compiler offers no std::thread or std::mutex.
#include <windows.h>

#include <new>

#include "platform/sync.h"

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

DWORD WINAPI RunThread(LPVOID param) {
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
    HANDLE thread = CreateThread(nullptr, 0, RunThread, start, 0, nullptr);
    if (thread == nullptr) {
        delete start;
        return false;
    }
    CloseHandle(thread);
    return true;
}

void SleepMilliseconds(unsigned ms) {
    Sleep(ms);
}

}  // namespace plat
