// The plug-in's four windows as both threads see them, and the few values
// the windows share. The host's thread reads only the window references,
// never a window object; everything else here belongs to the UI thread.
#pragma once

#include <atomic>

#include "platform/dialog.h"

namespace ui {

// The refresh request to the Setup panel (no parameters).
constexpr unsigned kMsgStatsRefresh = plat::kMsgUser + 500;
// The county marks are cleared (a QSO with a YU/YT station was removed).
// Posted to the panel rather than handled on the host's thread, so the marks
// and buttons are only touched by the thread that owns them, and ahead of
// the refresh request that follows, which marks the remaining counties.
constexpr unsigned kMsgCountyReset = plat::kMsgUser + 501;

// g_setupPanel while a UI thread has claimed the panel but its window does
// not exist yet. Window ids never take this value.
constexpr plat::WindowId kPanelStarting = ~static_cast<plat::WindowId>(0);

// 0 while the window does not exist. g_setupPanel holds kPanelStarting from
// the claim on the panel (by StartUi or the UI thread) until the panel's
// initialisation is over, then its window, and is cleared as the UI
// thread's very last action.
extern std::atomic<plat::WindowId> g_setupPanel;
extern std::atomic<plat::WindowId> g_dxccWindow;
extern std::atomic<plat::WindowId> g_countyWindow;
extern std::atomic<plat::WindowId> g_prevQsoWindow;

// The DXCC, county and previous-QSO windows are made topmost when created.
extern std::atomic<bool> g_onTop;
// The previous-QSO window is open; follows the window however it closes.
extern std::atomic<bool> prevQsoWindowOpen;

// Last screen position read or written for any of the four windows (one
// pair shared by all of them). UI thread only.
extern int g_savedX;
extern int g_savedY;

// For tests, while no UI thread runs: everything as at library load.
void ResetWindowSet();

}  // namespace ui
