#include <chrono>
#include <mutex>
#include <thread>

#include "platform/sync.h"

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

bool StartDetachedThread(ThreadProc proc, void* arg) {
    try {
        std::thread([proc, arg] { proc(arg); }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

// The other threads outlive the library's unload on POSIX, even at exit.
bool ProcessIsEnding() { return false; }

void SleepMilliseconds(unsigned ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace plat
