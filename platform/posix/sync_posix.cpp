#include <chrono>
#include <csetjmp>
#include <mutex>
#include <thread>

#include "platform/sync.h"
#include "platform/thread_exit.h"

namespace plat {

struct Mutex::Impl {
    std::mutex mutex;
};

Mutex::Mutex() : impl_(new Impl) {}
Mutex::~Mutex() = default;
void Mutex::Lock() {
    impl_->mutex.lock();
}
void Mutex::Unlock() {
    impl_->mutex.unlock();
}

namespace {

// Where ExitThreadClearing ends a thread that StartDetachedThread started:
// back in this library, beneath every frame of the caller's library.
thread_local std::jmp_buf* t_threadEnd = nullptr;

void RunDetached(ThreadProc proc, void* arg) {
    std::jmp_buf end;
    t_threadEnd = &end;
    if (setjmp(end) == 0) {
        proc(arg);
    }
    t_threadEnd = nullptr;
}

}  // namespace

bool StartDetachedThread(ThreadProc proc, void* arg) {
    try {
        std::thread([proc, arg] { RunDetached(proc, arg); }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

void ExitThreadClearing(std::atomic<std::uintptr_t>& word) {
    std::jmp_buf* end = t_threadEnd;
    word.store(0, std::memory_order_release);
    if (end != nullptr) {
        std::longjmp(*end, 1);
    }
}

bool CancelThreadNotYetRunning() {
    return false;
}

bool FinishThreadAtUnload(bool) {
    return false;
}

// The other threads outlive the library's unload on POSIX, even at exit.
bool ProcessIsEnding() {
    return false;
}

void SleepMilliseconds(unsigned ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace plat
