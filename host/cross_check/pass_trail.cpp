#include "host/cross_check/pass_trail.h"

#include <new>
#if !defined(_WIN32)
#include <chrono>
#include <thread>
#endif

namespace host {
namespace {

struct Head {
    std::atomic<uint64_t> told{0};
    std::atomic<uint32_t> stopped{0};
};

}  // namespace

PassTrail::PassTrail(size_t qsos) : memory_(sizeof(Head) + qsos * sizeof(QsoStatus)) {
    static_assert(
        std::atomic<uint64_t>::is_always_lock_free && std::atomic<uint32_t>::is_always_lock_free,
        "the trail's counters are shared between processes");
    Head* head = new (memory_.data()) Head();
    told_ = &head->told;
    stopped_ = &head->stopped;
    // Zeroed memory: every status reads as counted until told.
    status_ =
        reinterpret_cast<QsoStatus*>(static_cast<unsigned char*>(memory_.data()) + sizeof(Head));
}

void PassTrail::Tell(size_t qso, QsoStatus status) {
    status_[qso] = status;
    told_->fetch_add(1, std::memory_order_release);
}

void PassTrail::Stop() {
    stopped_->store(1, std::memory_order_release);
}

bool PassTrail::WaitFor(uint64_t told) const {
#if defined(_WIN32)
    // Without worker processes the jobs run in turn: what is not told by
    // now never will be.
    return Told(told);
#else
    // A short wait yields the core a few times; a longer one sleeps, so
    // that a waiting pass never takes a core from the one it waits on.
    for (unsigned round = 0; !Told(told); ++round) {
        if (stopped_->load(std::memory_order_acquire) != 0) {
            return false;
        }
        if (round < 8) {
            std::this_thread::yield();
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }
    return true;
#endif
}

}  // namespace host
