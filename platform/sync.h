// Threads, sleeping and the lock that guards the plug-in's shared state.
#pragma once

#include <memory>

#include "platform/thread_annotations.h"

namespace plat {

class CAPABILITY("mutex") Mutex {
  public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    void Lock() ACQUIRE();
    void Unlock() RELEASE();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class SCOPED_CAPABILITY LockGuard {
  public:
    explicit LockGuard(Mutex& m) ACQUIRE(m) : m_(m) { m_.Lock(); }
    ~LockGuard() RELEASE() { m_.Unlock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

  private:
    Mutex& m_;
};

// Releases a held lock for the lifetime of the object, e.g. around a modal
// box, so that the other thread is never kept waiting on it. The destructor
// is marked RELEASE() as every scoped destructor is: ending the scope takes
// back what the constructor let go (clang 14 reads ACQUIRE() there as a
// second release).
class SCOPED_CAPABILITY UnlockGuard {
  public:
    explicit UnlockGuard(Mutex& m) RELEASE(m) : m_(m) { m_.Unlock(); }
    ~UnlockGuard() RELEASE() { m_.Lock(); }
    UnlockGuard(const UnlockGuard&) = delete;
    UnlockGuard& operator=(const UnlockGuard&) = delete;

  private:
    Mutex& m_;
};

}  // namespace plat

// The one lock over the state that the host's thread and the windows' thread
// share: the engine's log, lists, strings and flags. Every export holds it
// while it works; the windows hold it while they read. Calls that wait (for
// a person, for another thread, for time) are marked EXCLUDES(g_engineMutex)
// so that waiting with it held does not compile.
extern plat::Mutex g_engineMutex;

inline plat::Mutex& EngineLock() RETURN_CAPABILITY(g_engineMutex) {
    return g_engineMutex;
}

namespace plat {

using ThreadProc = unsigned (*)(void* arg);

// Starts a detached thread; false when it could not be created.
bool StartDetachedThread(ThreadProc proc, void* arg);

void SleepMilliseconds(unsigned ms) EXCLUDES(g_engineMutex);

// True once the process has begun to end with the library still loaded:
// other threads may already be gone, so the unload must not wait on them.
bool ProcessIsEnding();

}  // namespace plat
