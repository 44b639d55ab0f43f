#include "tests/headless/window_system.h"

#include <chrono>
#include <utility>

#include "tests/headless/headless_window.h"

namespace plat {
namespace headless {
namespace {

using Clock = std::chrono::steady_clock;

// Ties the calling thread's queue to the thread's lifetime.
struct ThreadAnchor {
    std::shared_ptr<ThreadQueue> queue;
    ThreadAnchor() = default;
    ThreadAnchor(const ThreadAnchor&) = delete;
    ThreadAnchor& operator=(const ThreadAnchor&) = delete;
    ~ThreadAnchor() {
        if (queue) {
            WindowSystem::Get().ThreadEnded(queue);
        }
    }
};

thread_local ThreadAnchor t_anchor;

void Complete(Completion& c, bool ok) {
    c.done = true;
    c.ok = ok;
    if (c.waiter) {
        c.waiter->wake.notify_all();
    }
}

bool QueueIdleLocked(const ThreadQueue& q) {
    return q.sent.empty() && q.posted.empty() && q.unpainted.empty();
}

// Nothing waits but other sync markers (left, say, by syncs that timed
// out): a marker that waited for those would wait for ever, each sending
// the other to the back of the queue.
bool OnlyMarkersWaitLocked(const ThreadQueue& q) {
    if (!q.sent.empty() || !q.unpainted.empty()) {
        return false;
    }
    for (const Message& m : q.posted) {
        if (m.target != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

WindowSystem& WindowSystem::Get() {
    // Never destroyed: threads may still end after the library's statics are
    // gone at process exit.
    static WindowSystem* const system = new WindowSystem;
    return *system;
}

std::shared_ptr<ThreadQueue> WindowSystem::CurrentQueue() {
    if (!t_anchor.queue) {
        auto q = std::make_shared<ThreadQueue>();
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::weak_ptr<ThreadQueue>> kept;
        for (const auto& weak : queues_) {
            if (!weak.expired()) {
                kept.push_back(weak);
            }
        }
        kept.push_back(q);
        queues_.swap(kept);
        t_anchor.queue = q;
    }
    return t_anchor.queue;
}

WindowId WindowSystem::Add(const std::shared_ptr<HeadlessWindow>& w) {
    std::lock_guard<std::mutex> lock(mutex_);
    const WindowId id = nextId_++;
    w->SetId(id);
    live_[id] = w;
    owners_[id] = w->Queue();
    return id;
}

void WindowSystem::RemoveLocked(WindowId id) {
    auto it = live_.find(id);
    if (it == live_.end()) {
        return;
    }
    it->second->Queue()->unpainted.erase(id);
    live_.erase(it);
}

std::shared_ptr<HeadlessWindow> WindowSystem::Find(WindowId id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return FindLocked(id);
}

std::shared_ptr<HeadlessWindow> WindowSystem::FindLocked(WindowId id) const {
    auto it = live_.find(id);
    if (it == live_.end() || it->second->DestroyedLocked()) {
        return nullptr;
    }
    return it->second;
}

std::vector<std::shared_ptr<HeadlessWindow>> WindowSystem::LiveWindows() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::shared_ptr<HeadlessWindow>> out;
    for (const auto& entry : live_) {
        if (!entry.second->DestroyedLocked()) {
            out.push_back(entry.second);
        }
    }
    return out;
}

bool WindowSystem::Post(WindowId id, std::function<void(HeadlessWindow&)> run) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto w = FindLocked(id);
    if (!w || w->Queue()->ended) {
        return false;
    }
    ThreadQueue& q = *w->Queue();
    q.posted.push_back(Message{id, std::move(run), nullptr});
    q.wake.notify_all();
    return true;
}

bool WindowSystem::Send(WindowId id, std::function<void(HeadlessWindow&)> run, int timeoutMs) {
    auto own = CurrentQueue();
    std::unique_lock<std::mutex> lock(mutex_);
    auto w = FindLocked(id);
    if (!w || w->Queue()->ended) {
        return false;
    }
    if (w->Queue() == own) {
        lock.unlock();
        run(*w);
        return true;
    }
    auto c = std::make_shared<Completion>();
    c->waiter = own;
    ThreadQueue& q = *w->Queue();
    q.sent.push_back(Message{id, std::move(run), c});
    q.wake.notify_all();
    return Wait(lock, c, *own, timeoutMs);
}

bool WindowSystem::Sync(WindowId id, int timeoutMs) {
    auto own = CurrentQueue();
    std::unique_lock<std::mutex> lock(mutex_);
    auto it = owners_.find(id);
    if (it == owners_.end()) {
        return false;
    }
    auto q = it->second.lock();
    if (!q || q->ended) {
        return true;
    }
    if (q == own) {
        lock.unlock();
        while (HandleOne([&q] { return QueueIdleLocked(*q); }, false)) {
        }
        return true;
    }
    auto c = std::make_shared<Completion>();
    c->waiter = own;
    q->posted.push_back(Message{0, nullptr, c});
    q->wake.notify_all();
    return Wait(lock, c, *own, timeoutMs);
}

std::size_t WindowSystem::Queued(WindowId id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto w = FindLocked(id);
    return w ? w->Queue()->sent.size() + w->Queue()->posted.size() : 0;
}

bool WindowSystem::Wait(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Completion>& c,
                        ThreadQueue& own, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        if (c->done) {
            return c->ok;
        }
        if (!own.sent.empty()) {
            Message m = std::move(own.sent.front());
            own.sent.pop_front();
            lock.unlock();
            Deliver(m);
            lock.lock();
            continue;
        }
        if (timeoutMs < 0) {
            own.wake.wait(lock);
        } else if (own.wake.wait_until(lock, deadline) == std::cv_status::timeout) {
            return c->done && c->ok;
        }
    }
}

bool WindowSystem::HandleOne(const std::function<bool()>& stop, bool sentOnly,
                             const Clock::time_point* deadline) {
    auto q = CurrentQueue();
    std::unique_lock<std::mutex> lock(mutex_);
    Message m;
    for (;;) {
        if (stop && stop()) {
            return false;
        }
        if (!q->sent.empty()) {
            m = std::move(q->sent.front());
            q->sent.pop_front();
            break;
        }
        // A sync marker is no message: the paints that wait go before it,
        // or it would be queued again behind them for ever.
        bool onlyMarkersPosted = true;
        for (const Message& posted : q->posted) {
            onlyMarkersPosted = onlyMarkersPosted && posted.target == 0;
        }
        const bool paintsFirst = onlyMarkersPosted && !q->unpainted.empty();
        if (!sentOnly && !q->posted.empty() && !paintsFirst) {
            m = std::move(q->posted.front());
            q->posted.pop_front();
            break;
        }
        if (!sentOnly && !q->unpainted.empty()) {
            const WindowId id = *q->unpainted.begin();
            q->unpainted.erase(q->unpainted.begin());
            auto w = FindLocked(id);
            lock.unlock();
            if (w) {
                w->PaintInvalidated();
            }
            return true;
        }
        if (deadline == nullptr) {
            q->wake.wait(lock);
        } else if (q->wake.wait_until(lock, *deadline) == std::cv_status::timeout) {
            return false;
        }
    }
    lock.unlock();
    Deliver(m);
    return true;
}

void WindowSystem::Deliver(Message& m) {
    if (m.target == 0) {
        // A sync marker: done once nothing else waits in this thread's queue.
        std::lock_guard<std::mutex> lock(mutex_);
        ThreadQueue& q = *t_anchor.queue;
        if (!OnlyMarkersWaitLocked(q)) {
            q.posted.push_back(std::move(m));
        } else if (m.completion) {
            Complete(*m.completion, true);
        }
        return;
    }
    // The sender is answered even when the handler throws, so it never
    // waits for ever.
    struct Answer {
        std::mutex& mutex;
        Completion* completion;
        bool delivered;
        ~Answer() {
            if (completion != nullptr) {
                std::lock_guard<std::mutex> lock(mutex);
                Complete(*completion, delivered);
            }
        }
    };
    auto w = Find(m.target);
    Answer answer{mutex_, m.completion.get(), w != nullptr};
    if (w) {
        m.run(*w);
    }
}

void WindowSystem::DropQueueLocked(ThreadQueue& q, bool syncsSucceed) {
    for (auto* list : {&q.sent, &q.posted}) {
        for (Message& m : *list) {
            if (m.completion) {
                Complete(*m.completion, m.target == 0 && syncsSucceed);
            }
        }
        list->clear();
    }
    q.unpainted.clear();
    q.wake.notify_all();
}

void WindowSystem::ThreadEnded(const std::shared_ptr<ThreadQueue>& q) {
    std::lock_guard<std::mutex> lock(mutex_);
    q->ended = true;
    DropQueueLocked(*q, true);
    for (auto it = live_.begin(); it != live_.end();) {
        if (it->second->Queue() == q) {
            it->second->DiscardLocked();
            it = live_.erase(it);
        } else {
            ++it;
        }
    }
}

void WindowSystem::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& entry : live_) {
        entry.second->DiscardLocked();
    }
    live_.clear();
    owners_.clear();
    for (const auto& weak : queues_) {
        if (auto q = weak.lock()) {
            DropQueueLocked(*q, false);
        }
    }
}

}  // namespace headless
}  // namespace plat
