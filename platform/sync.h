// Threads, sleeping and the lock that guards the engine's state.
#pragma once

#include <memory>

namespace plat {

class Mutex {
  public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    void Lock();
    void Unlock();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class LockGuard {
  public:
    explicit LockGuard(Mutex& m) : m_(m) { m_.Lock(); }
    ~LockGuard() { m_.Unlock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

  private:
    Mutex& m_;
};

// Releases a held lock for the lifetime of the object, e.g. around a modal
// box, so that the other thread is never kept waiting on it.
class UnlockGuard {
  public:
    explicit UnlockGuard(Mutex& m) : m_(m) { m_.Unlock(); }
    ~UnlockGuard() { m_.Lock(); }
    UnlockGuard(const UnlockGuard&) = delete;
    UnlockGuard& operator=(const UnlockGuard&) = delete;

  private:
    Mutex& m_;
};

using ThreadProc = unsigned (*)(void* arg);

// Starts a detached thread; false when it could not be created.
bool StartDetachedThread(ThreadProc proc, void* arg);

void SleepMilliseconds(unsigned ms);

// True once the process has begun to end with the library still loaded:
// other threads may already be gone, so the unload must not wait on them.
bool ProcessIsEnding();

}  // namespace plat
