#include "ui/ui_thread.h"

#include <chrono>
#include <memory>

#include "platform/host_link.h"
#include "platform/host_wait.h"
#include "platform/sync.h"
#include "platform/thread_exit.h"
#include "ui/dialog_tables.h"
#include "ui/handler_guard.h"
#include "ui/info_windows.h"
#include "ui/setup_panel.h"
#include "ui/ui_link.h"
#include "ui/window_set.h"

namespace ui {
namespace {

// The wait for the panel to go: in steps, reading g_setupPanel afresh each
// time, and never longer than the limit, so that an unload cannot hang.
constexpr unsigned kWaitStepMs = 20;
constexpr auto kCloseLimit = std::chrono::milliseconds(1500);

// Raised by the unload hook: the host's thread is inside the library's
// unload and may hold locks (the loader's) that the UI thread must not wait
// for on its way out.
std::atomic<bool> g_unloading{false};

// Everything of the thread that has a destructor lives in this frame, which
// has returned before the thread ends.
void RunPanel() {
    plat::HostLink link;
    InfoWindows windows;
    std::unique_ptr<Setup> panel(new Setup(link, windows));
    plat::RunModalDialog(SetupPanelTemplate(), *panel);
    // However the panel ended, the other windows end with it.
    windows.CloseAll();
    if (g_unloading) {
        link.CloseLeavingApartment();
    } else {
        link.Close();
    }
    panel.reset();
}

unsigned UiThreadProc(void*) {
    return UiThreadMain();
}

void CloseByRequest(std::atomic<plat::WindowId>& reference) {
    const plat::WindowId id = reference.exchange(0);
    if (id != 0) {
        plat::SendCloseRequest(id);
    }
}

bool PanelGone(void*) {
    return g_setupPanel.load() == 0;
}

// Sends the panel its close request once its window exists and waits until
// the UI thread has cleared g_setupPanel, serving the host's automation
// object meanwhile (the UI thread may be inside a call to it). False when
// the limit passed first.
bool ClosePanelAndWait() {
    const auto deadline = std::chrono::steady_clock::now() + kCloseLimit;
    plat::WindowId closed = 0;
    for (;;) {
        const plat::WindowId panel = g_setupPanel.load();
        if (panel == 0) {
            return true;
        }
        if (panel != kPanelStarting && panel != closed) {
            plat::SendCloseRequest(panel);
            closed = panel;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        plat::WaitServingHostCalls(&PanelGone, nullptr, kWaitStepMs);
    }
}

}  // namespace

unsigned UiThreadMain() {
    plat::WindowId none = 0;
    if (!g_setupPanel.compare_exchange_strong(none, kPanelStarting)) {
        return 1;  // another panel runs
    }
    Guarded([] { RunPanel(); });
    plat::ExitThreadClearing(g_setupPanel);
    return 0;
}

void StartUi() {
    if (g_setupPanel.load() != 0) {
        CloseAllWindows();
    }
    g_unloading = false;
    // A thread that cannot be created leaves the panel away, unreported.
    plat::StartDetachedThread(&UiThreadProc, nullptr);
}

void CloseAllWindows() {
    if (g_setupPanel.load() == 0) {
        return;
    }
    CloseByRequest(g_countyWindow);
    CloseByRequest(g_dxccWindow);
    CloseByRequest(g_prevQsoWindow);
    ClosePanelAndWait();
}

void OnLibraryUnload() {
    // At process exit the other threads are gone already: nothing to wait for.
    if (plat::ProcessIsEnding() || g_setupPanel.load() == 0) {
        return;
    }
    g_unloading = true;
    CloseAllWindows();
    // The UI thread's store was its last touch of the library; this pause
    // lets it leave the last instructions behind before the code is unmapped.
    plat::SleepMilliseconds(kWaitStepMs);
}

}  // namespace ui
