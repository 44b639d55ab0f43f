// The registered host object and the queue of calls that wait for the
// host's thread, which carries them out when it pumps.
#include "platform/posix/host_object.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/posix/host_calls.h"

namespace plat {
namespace {

// A call waiting for the host's thread. It lives on the caller's stack; the
// caller leaves only after `done` is set, under the registry's mutex.
struct PendingCall {
    const std::function<void(HostObject&)>* run = nullptr;
    bool done = false;
    bool ran = false;
};

struct Registry {
    std::mutex mutex;
    std::condition_variable queued;    // the host's thread waits for calls here
    std::condition_variable progress;  // callers wait for answers and wake-ups here
    std::shared_ptr<HostObject> object;
    std::thread::id hostThread;
    std::uint64_t registration = 0;  // the current one; 0 when none
    std::uint64_t lastRegistration = 0;
    std::deque<PendingCall*> queue;
    std::uint64_t wakeups = 0;
};

Registry& State() {
    static Registry registry;
    return registry;
}

std::atomic<SentMessageHook> g_sentMessageHook{nullptr};

// Ends the current registration with the mutex held; the caller releases the
// returned object after unlocking, since its destructor is the host's code.
std::shared_ptr<HostObject> EndRegistration(Registry& r) {
    for (PendingCall* call : r.queue) {
        call->done = true;
    }
    r.queue.clear();
    r.registration = 0;
    r.hostThread = std::thread::id();
    r.progress.notify_all();
    return std::move(r.object);
}

bool OnHostThread(const Registry& r) {
    return r.registration != 0 && r.hostThread == std::this_thread::get_id();
}

// Carries out the queued calls with the mutex held on entry and exit.
int PumpLocked(Registry& r, std::unique_lock<std::mutex>& lock) {
    int count = 0;
    while (OnHostThread(r) && !r.queue.empty()) {
        PendingCall* call = r.queue.front();
        r.queue.pop_front();
        std::shared_ptr<HostObject> object = r.object;
        lock.unlock();
        bool ran = true;
        try {
            (*call->run)(*object);
        } catch (...) {
            ran = false;
        }
        object.reset();
        lock.lock();
        call->ran = ran;
        call->done = true;
        r.progress.notify_all();
        ++count;
    }
    return count;
}

}  // namespace

namespace hostcalls {

std::uint64_t CurrentRegistration() {
    Registry& r = State();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.registration;
}

bool IsHostThread() {
    Registry& r = State();
    std::lock_guard<std::mutex> lock(r.mutex);
    return OnHostThread(r);
}

bool Call(std::uint64_t registration, const std::function<void(HostObject&)>& run) {
    Registry& r = State();
    std::unique_lock<std::mutex> lock(r.mutex);
    if (registration == 0 || r.registration != registration) {
        return false;
    }
    if (OnHostThread(r)) {
        // The host's own thread reaches its object directly.
        std::shared_ptr<HostObject> object = r.object;
        lock.unlock();
        try {
            run(*object);
            return true;
        } catch (...) {
            return false;
        }
    }
    PendingCall call;
    call.run = &run;
    r.queue.push_back(&call);
    r.queued.notify_all();
    while (!call.done) {
        const std::uint64_t seen = r.wakeups;
        r.progress.wait_for(lock, std::chrono::milliseconds(5),
                            [&] { return call.done || r.wakeups != seen; });
        if (call.done) {
            break;
        }
        // Messages sent to this thread's windows are handled while it waits,
        // as a thread blocked in a COM call handles them.
        const SentMessageHook hook = g_sentMessageHook.load();
        if (hook != nullptr) {
            lock.unlock();
            hook();
            lock.lock();
        }
    }
    return call.ran;
}

int Pump() {
    Registry& r = State();
    std::unique_lock<std::mutex> lock(r.mutex);
    return PumpLocked(r, lock);
}

}  // namespace hostcalls

void RegisterHostObject(std::shared_ptr<HostObject> object) {
    Registry& r = State();
    std::shared_ptr<HostObject> previous;
    {
        std::lock_guard<std::mutex> lock(r.mutex);
        previous = EndRegistration(r);
        if (object != nullptr) {
            r.object = std::move(object);
            r.hostThread = std::this_thread::get_id();
            r.registration = ++r.lastRegistration;
        }
    }
}

void UnregisterHostObject() {
    Registry& r = State();
    std::shared_ptr<HostObject> previous;
    {
        std::lock_guard<std::mutex> lock(r.mutex);
        previous = EndRegistration(r);
    }
}

int PumpHostCalls() {
    return hostcalls::Pump();
}

int PumpHostCallsFor(unsigned ms) {
    Registry& r = State();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    std::unique_lock<std::mutex> lock(r.mutex);
    int count = 0;
    while (OnHostThread(r)) {
        count += PumpLocked(r, lock);
        if (!r.queued.wait_until(lock, deadline, [&] { return !r.queue.empty(); })) {
            break;
        }
    }
    return count;
}

int PendingHostCalls() {
    Registry& r = State();
    std::lock_guard<std::mutex> lock(r.mutex);
    return static_cast<int>(r.queue.size());
}

void SetSentMessageHook(SentMessageHook hook) {
    g_sentMessageHook.store(hook);
}

void WakeHostCallWaiters() {
    Registry& r = State();
    std::lock_guard<std::mutex> lock(r.mutex);
    ++r.wakeups;
    r.progress.notify_all();
}

void ResetHostObject() {
    UnregisterHostObject();
}

}  // namespace plat
