// The headless window system as the dialogs' backend, installed when this
// library is loaded: the dialogs of platform/dialog.h become headless
// windows, and a thread that waits for the host's answer handles the
// messages other threads send to its windows (a close request, say), as a
// Windows thread waiting inside a COM call does. Without that a host thread
// that sends the UI thread a close request while the UI thread waits for
// that host would wait forever.
#include <chrono>
#include <cstdint>
#include <memory>
#include <new>

#include "platform/dialog.h"
#include "platform/posix/host_object.h"
#include "platform/posix/window_backend.h"
#include "tests/headless/headless_window.h"
#include "tests/headless/window_system.h"

namespace plat {
namespace headless {
namespace {

constexpr std::uint32_t kStyleVisible = 0x10000000;  // WS_VISIBLE

std::shared_ptr<HeadlessWindow> Create(const DialogTemplate& t, DialogHandler& handler,
                                       bool modal) {
    WindowSystem& system = WindowSystem::Get();
    std::shared_ptr<HeadlessWindow> w;
    try {
        w = std::make_shared<HeadlessWindow>(t, handler, modal, system.CurrentQueue());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    system.Add(w);
    handler.OnInitDialog(*w);
    return w;
}

class HeadlessBackend final : public WindowBackend {
  public:
    int RunModalDialog(const DialogTemplate& t, DialogHandler& handler) override {
        std::shared_ptr<HeadlessWindow> w = Create(t, handler, true);
        if (!w) {
            return -1;
        }
        WindowSystem& system = WindowSystem::Get();
        w->Show();
        try {
            while (system.HandleOne([&w] { return w->EndedLocked(); }, false)) {
            }
        } catch (...) {
            // A handler threw: the dialog goes without further handler calls.
            std::lock_guard<std::mutex> lock(system.Mutex());
            w->DiscardLocked();
            system.RemoveLocked(w->Id());
            throw;
        }
        w->Destroy();
        std::lock_guard<std::mutex> lock(system.Mutex());
        return w->ResultLocked();
    }

    WindowId CreateModelessDialog(const DialogTemplate& t, DialogHandler& handler) override {
        std::shared_ptr<HeadlessWindow> w = Create(t, handler, false);
        if (!w || !WindowExists(w->Id())) {
            return 0;
        }
        if ((t.style & kStyleVisible) != 0) {
            w->Show();
        }
        return w->Id();
    }

    bool PostWindowMessage(WindowId w, unsigned msg) override {
        if (msg == kMsgClose) {
            return WindowSystem::Get().Post(
                w, [](HeadlessWindow& win) { win.Handler().OnClose(win); });
        }
        if (msg >= kMsgUser) {
            return WindowSystem::Get().Post(
                w, [msg](HeadlessWindow& win) { win.Handler().OnUserMessage(win, msg); });
        }
        // No handler takes the other system messages.
        return WindowSystem::Get().Post(w, [](HeadlessWindow&) {});
    }

    bool SendCloseRequest(WindowId w) override {
        return WindowSystem::Get().Send(w, [](HeadlessWindow& win) { win.Handler().OnClose(win); });
    }

    bool WindowExists(WindowId w) override { return WindowSystem::Get().Find(w) != nullptr; }
};

// Handles the sent messages waiting for the calling thread, and returns.
void HandleWaitingSentMessages() {
    const auto now = std::chrono::steady_clock::now();
    while (WindowSystem::Get().HandleOne(nullptr, true, &now)) {
    }
}

// Has no state and a trivial destructor: it stays usable while the process
// ends and other threads still reach a window.
HeadlessBackend g_backend;

struct Install {
    Install() {
        SetWindowBackend(&g_backend);
        SetSentMessageHook(&HandleWaitingSentMessages);
    }
};
const Install g_install;

}  // namespace
}  // namespace headless
}  // namespace plat
