// The headless window system's state: the live windows by id and one
// message queue per thread. Internal to the headless window system; the
// message rules it follows are written down in tests/headless/headless_windows.h.
//
// One mutex guards everything here and every window's state. It is never
// held while a handler runs, so a handler may call any window function.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/dialog.h"

namespace plat {
namespace headless {

class HeadlessWindow;
struct ThreadQueue;

// The answer to a sent message, a call made on a window's thread, or a sync
// marker: done once handled; ok when the window still existed.
struct Completion {
    bool done = false;
    bool ok = false;
    std::shared_ptr<ThreadQueue> waiter;  // woken when done
};

struct Message {
    WindowId target = 0;                       // 0: a sync marker for the thread
    std::function<void(HeadlessWindow&)> run;  // runs only while the target lives
    std::shared_ptr<Completion> completion;    // null for a plain post
};

struct ThreadQueue {
    std::condition_variable wake;
    std::deque<Message> sent;    // from other threads, handled first
    std::deque<Message> posted;  // handled in order after the sent ones
    // Windows of this thread with items invalidated and not yet painted;
    // painted only when nothing else waits.
    std::set<WindowId> unpainted;
    bool ended = false;  // the thread has ended; nothing here runs again
};

class WindowSystem {
  public:
    static WindowSystem& Get();

    std::mutex& Mutex() { return mutex_; }

    // The calling thread's queue, made on first use.
    std::shared_ptr<ThreadQueue> CurrentQueue();

    // Adds a window of the calling thread and gives it its id.
    WindowId Add(const std::shared_ptr<HeadlessWindow>& w);
    // Takes the window out of the set of live ones (its id stays known to
    // Sync until Reset). Caller holds the mutex.
    void RemoveLocked(WindowId id);
    std::shared_ptr<HeadlessWindow> Find(WindowId id);
    std::shared_ptr<HeadlessWindow> FindLocked(WindowId id) const;
    std::vector<std::shared_ptr<HeadlessWindow>> LiveWindows();

    // Queues `run` for the window's thread; false when the window is gone.
    bool Post(WindowId id, std::function<void(HeadlessWindow&)> run);
    // Runs `run` on the window's thread and waits for it: at once on that
    // thread, otherwise when that thread next retrieves messages, while the
    // caller handles the messages sent to its own thread. `timeoutMs` < 0
    // waits without limit. False when the window is gone or did not answer.
    bool Send(WindowId id, std::function<void(HeadlessWindow&)> run, int timeoutMs = -1);
    // Waits until the thread of window `id` (live or destroyed) has handled
    // everything in its queue.
    bool Sync(WindowId id, int timeoutMs);

    // Retrieves and handles one message of the calling thread: sent ones
    // first, then posted ones, then paints (only sent ones when
    // `sentOnly`). Waits for one until `stop()` holds (evaluated with the
    // mutex held) or the deadline passes. False when it stopped.
    bool HandleOne(const std::function<bool()>& stop, bool sentOnly,
                   const std::chrono::steady_clock::time_point* deadline = nullptr);

    // Sent and posted messages waiting for the window's thread.
    std::size_t Queued(WindowId id);

    // The calling thread ended: its windows go without their handlers being
    // called (they may be gone), and nothing queued for it runs.
    void ThreadEnded(const std::shared_ptr<ThreadQueue>& q);
    // No live windows and no queued messages; waiting senders and syncs
    // return. Handlers are not called.
    void Reset();

  private:
    WindowSystem() = default;
    void Deliver(Message& m);
    void DropQueueLocked(ThreadQueue& q, bool syncsSucceed);
    bool Wait(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Completion>& c,
              ThreadQueue& own, int timeoutMs);

    std::mutex mutex_;
    WindowId nextId_ = 0x1000;
    std::map<WindowId, std::shared_ptr<HeadlessWindow>> live_;
    // The thread of every window made since the last Reset, live or not.
    std::map<WindowId, std::weak_ptr<ThreadQueue>> owners_;
    std::vector<std::weak_ptr<ThreadQueue>> queues_;
};

}  // namespace headless
}  // namespace plat
