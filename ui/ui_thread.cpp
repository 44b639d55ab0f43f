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
constexpr unsigned kStartLimitMs = 1500;

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

// The thread's life once it holds the claim on g_setupPanel.
unsigned RunClaimedPanel() {
    Guarded([] { RunPanel(); });
    plat::ExitThreadClearing(g_setupPanel);
    return 0;
}

// StartUi claims the panel for the thread before it starts, so that an
// unload right after the start knows there is a thread to wait for.
unsigned UiThreadProc(void*) {
    return RunClaimedPanel();
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

bool PanelStarted(void*) {
    return g_setupPanel.load() != kPanelStarting;
}

enum class CloseBy { kSending, kPosting };

// Gives the panel its close request once its window exists and waits until
// the UI thread has cleared g_setupPanel, serving the host's automation
// object meanwhile (the UI thread may be inside a call to it). The panel
// closes the county, DXCC and previous-QSO windows before it ends. False
// when the limit passed first.
bool ClosePanelAndWait(CloseBy how) {
    const auto deadline = std::chrono::steady_clock::now() + kCloseLimit;
    plat::WindowId closed = 0;
    for (;;) {
        const plat::WindowId panel = g_setupPanel.load();
        if (panel == 0) {
            return true;
        }
        if (panel != kPanelStarting && panel != closed) {
            if (how == CloseBy::kSending) {
                plat::SendCloseRequest(panel);
            } else {
                plat::PostWindowMessage(panel, plat::kMsgClose);
            }
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
    return RunClaimedPanel();
}

void StartUi() {
    if (g_setupPanel.load() != 0) {
        CloseAllWindows();
    }
    g_unloading = false;
    plat::WindowId none = 0;
    if (!g_setupPanel.compare_exchange_strong(none, kPanelStarting)) {
        return;  // the old panel did not go in time; it stays
    }
    // A thread that cannot be created leaves the panel away, unreported.
    if (!plat::StartDetachedThread(&UiThreadProc, nullptr)) {
        g_setupPanel = 0;
        return;
    }
    // The thread's start and the panel's initialisation may need the
    // loader's lock (on Windows the thread's start, COM, the icon and the
    // first windows; natively the first use of thread-local state), which an
    // unload holds while it waits for the thread: wait, answering the
    // panel's host calls, until the panel is up, so that an unload right
    // after this start finds a panel it can close.
    plat::WaitServingHostCalls(&PanelStarted, nullptr, kStartLimitMs);
}

void CloseAllWindows() {
    if (g_setupPanel.load() == 0) {
        return;
    }
    CloseByRequest(g_countyWindow);
    CloseByRequest(g_dxccWindow);
    CloseByRequest(g_prevQsoWindow);
    ClosePanelAndWait(CloseBy::kSending);
}

void OnLibraryUnload() {
    // At process exit the other threads are gone already: nothing to wait for.
    const plat::WindowId panel = g_setupPanel.load();
    if (plat::ProcessIsEnding() || panel == 0) {
        return;
    }
    // A UI thread that has not begun to run cannot begin during the unload.
    if (panel == kPanelStarting && plat::CancelThreadNotYetRunning()) {
        g_setupPanel = 0;
        return;
    }
    g_unloading = true;
    // One posted close request: the host's thread never blocks in a send
    // while it holds the loader's lock (or, at process exit, after its own
    // thread state is gone), and the panel closes the other windows first.
    const bool closed = ClosePanelAndWait(CloseBy::kPosting);
    if (plat::FinishThreadAtUnload(!closed)) {
        g_setupPanel = 0;  // ended where it stood; its windows go with it
    }
    // The UI thread's store was its last touch of the library; this pause
    // lets it leave the last instructions behind before the code is unmapped.
    plat::SleepMilliseconds(kWaitStepMs);
}

}  // namespace ui
