// The driver of the headless windows: snapshots for any thread, and the
// user's actions posted to the window's thread.
#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "tests/headless/headless_window.h"
#include "tests/headless/headless_windows.h"
#include "tests/headless/window_system.h"

namespace plat {
namespace headless {
namespace {

WindowSystem& System() {
    return WindowSystem::Get();
}

}  // namespace

std::vector<WindowState> LiveWindows() {
    std::vector<WindowState> out;
    const auto windows = System().LiveWindows();
    std::lock_guard<std::mutex> lock(System().Mutex());
    for (const auto& w : windows) {
        if (!w->DestroyedLocked()) {
            out.push_back(w->SnapshotLocked());
        }
    }
    return out;
}

WindowId FindWindow(int templateId) {
    for (const WindowState& w : LiveWindows()) {
        if (w.templateId == templateId) {
            return w.id;
        }
    }
    return 0;
}

WindowId FindWindowByCaption(const std::string& caption) {
    for (const WindowState& w : LiveWindows()) {
        if (w.caption == caption) {
            return w.id;
        }
    }
    return 0;
}

std::optional<WindowState> ReadWindow(WindowId w) {
    std::lock_guard<std::mutex> lock(System().Mutex());
    auto window = System().FindLocked(w);
    if (!window) {
        return std::nullopt;
    }
    return window->SnapshotLocked();
}

bool Click(WindowId w, int controlId) {
    return System().Post(w, [controlId](HeadlessWindow& win) { win.UserClick(controlId); });
}

bool PressEscape(WindowId w) {
    return System().Post(w,
                         [](HeadlessWindow& win) { win.Handler().OnCommand(win, kIdCancel, 0); });
}

bool PressEnter(WindowId w) {
    return System().Post(w, [](HeadlessWindow& win) { win.Handler().OnCommand(win, kIdOk, 0); });
}

bool MovePointerOver(WindowId w) {
    return System().Post(w, [](HeadlessWindow& win) { win.Handler().OnSetCursor(win); });
}

bool DragWindow(WindowId w, int left, int top) {
    return System().Post(w, [left, top](HeadlessWindow& win) { win.UserMove(left, top); });
}

bool ResizeWindow(WindowId w, int width, int height) {
    return System().Post(w,
                         [width, height](HeadlessWindow& win) { win.UserResize(width, height); });
}

bool Sync(WindowId w, int timeoutMs) {
    return System().Sync(w, timeoutMs);
}

WindowId WaitForWindow(int templateId, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const WindowId w = FindWindow(templateId);
        if (w != 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (Sync(w, static_cast<int>(std::max<long long>(left.count(), 0))) &&
                WindowExists(w)) {
                return w;
            }
        }
        if (Clock::now() >= deadline) {
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::optional<PaintRecord> PaintItem(WindowId w, int controlId, unsigned state, int timeoutMs) {
    // Shared with the window's thread, which may answer after a timeout.
    auto painted = std::make_shared<std::shared_ptr<const PaintRecord>>();
    const bool handled = System().Send(
        w,
        [painted, controlId, state](HeadlessWindow& win) {
            auto record = win.PaintItem(controlId, state);
            std::lock_guard<std::mutex> lock(WindowSystem::Get().Mutex());
            *painted = std::move(record);
        },
        timeoutMs);
    std::lock_guard<std::mutex> lock(System().Mutex());
    if (!handled || !*painted) {
        return std::nullopt;
    }
    return **painted;
}

std::optional<PaintRecord> LastItemPaint(WindowId w, int controlId) {
    std::lock_guard<std::mutex> lock(System().Mutex());
    auto window = System().FindLocked(w);
    if (!window) {
        return std::nullopt;
    }
    auto record = window->LastPaintLocked(controlId);
    if (!record) {
        return std::nullopt;
    }
    return *record;
}

std::size_t QueuedMessages(WindowId w) {
    return System().Queued(w);
}

bool AskControlColours(WindowId w, int controlId, ControlColours& out, int timeoutMs) {
    // Shared with the window's thread, which may answer after a timeout.
    struct Answer {
        bool given = false;
        ControlColours colours;
    };
    auto answer = std::make_shared<Answer>();
    const bool handled = System().Send(
        w,
        [answer, controlId](HeadlessWindow& win) {
            ControlColours colours;
            const bool given = win.Handler().OnControlColours(win, controlId, colours);
            std::lock_guard<std::mutex> lock(WindowSystem::Get().Mutex());
            answer->given = given;
            answer->colours = colours;
        },
        timeoutMs);
    std::lock_guard<std::mutex> lock(System().Mutex());
    if (!handled || !answer->given) {
        return false;
    }
    out = answer->colours;
    return true;
}

bool WaitServingSentMessages(const std::function<bool()>& done, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto now = Clock::now();
        if (timeoutMs >= 0 && now >= deadline) {
            return done();
        }
        auto slice = now + std::chrono::milliseconds(1);
        if (timeoutMs >= 0 && slice > deadline) {
            slice = deadline;
        }
        System().HandleOne(nullptr, true, &slice);
    }
    return true;
}

void ResetWindows() {
    System().Reset();
}

}  // namespace headless
}  // namespace plat
