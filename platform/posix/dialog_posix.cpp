// The dialogs of platform/dialog.h on the headless window system.
#include <cstdint>
#include <memory>
#include <new>

#include "platform/dialog.h"
#include "platform/posix/headless_window.h"
#include "platform/posix/window_system.h"

namespace plat {

using headless::HeadlessWindow;
using headless::WindowSystem;

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

}  // namespace

int RunModalDialog(const DialogTemplate& t, DialogHandler& handler) {
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

WindowId CreateModelessDialog(const DialogTemplate& t, DialogHandler& handler) {
    std::shared_ptr<HeadlessWindow> w = Create(t, handler, false);
    if (!w || !WindowExists(w->Id())) {
        return 0;
    }
    if ((t.style & kStyleVisible) != 0) {
        w->Show();
    }
    return w->Id();
}

bool PostWindowMessage(WindowId w, unsigned msg) {
    if (msg == kMsgClose) {
        return WindowSystem::Get().Post(w, [](HeadlessWindow& win) { win.Handler().OnClose(win); });
    }
    if (msg >= kMsgUser) {
        return WindowSystem::Get().Post(
            w, [msg](HeadlessWindow& win) { win.Handler().OnUserMessage(win, msg); });
    }
    // No handler takes the other system messages.
    return WindowSystem::Get().Post(w, [](HeadlessWindow&) {});
}

bool SendCloseRequest(WindowId w) {
    return WindowSystem::Get().Send(w, [](HeadlessWindow& win) { win.Handler().OnClose(win); });
}

bool WindowExists(WindowId w) {
    return WindowSystem::Get().Find(w) != nullptr;
}

}  // namespace plat
