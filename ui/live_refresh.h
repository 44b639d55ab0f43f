// The live refresh: asks the host which call the operator is typing and
// where the radio is, fills the previous-QSO grid for that call, sends
// "<SP1>" when the radio moved, and brings the captions, counts and county
// marks of the windows to the radio's band.
//
// It runs on the UI thread, but needs no window system: the host and the
// windows are handed in, so tests and the fuzz target run it directly. The
// engine's state is read under EngineLock(), which is never held while the
// host is called or a window is touched.
#pragma once

#include <string>

#include "platform/sync.h"
#include "ui/refresh_rules.h"

namespace ui {

// What the refresh keeps from one run to the next, and the paints read.
// Used on the UI thread only.
struct LiveState {
    // The call in the host's entry field (8-bit), as fetched by the last
    // refresh; empty when none is typed.
    std::string currentCall;
    // Band slot of the radio's frequency, kNoBand until first known.
    int currentBandIndex = kNoBand;
    // The frequency (Hz) at which "<SP1>" was last sent.
    double lastSp1Hz = 0.0;
    // The band for which the county marks were last cleared.
    int lastCountyBand = 0;
};

LiveState& Live();
// Back to the state at library load.
void ResetLiveState();

// The host's automation object as the refresh uses it. Its answers are not
// trusted, and each call may let the thread's messages in, so a window can
// close (or a paint run) while it waits.
class RefreshHost {
  public:
    virtual ~RefreshHost() = default;
    virtual bool IsConnected() = 0;
    // False when the call failed or the answer is not text.
    virtual bool GetFieldText(int field, std::string& text) EXCLUDES(g_engineMutex) = 0;
    virtual bool Frequency(double& hz) EXCLUDES(g_engineMutex) = 0;
    virtual bool RunMacro(const std::string& macro) EXCLUDES(g_engineMutex) = 0;
};

// The windows the refresh updates. Every call looks its window up afresh
// and does nothing when the window is gone, since any host call may have
// closed it.
class RefreshWindows {
  public:
    virtual ~RefreshWindows() = default;
    // Creates the windows the panel's view choices ask for and that are
    // missing.
    virtual void OpenRequestedWindows() = 0;
    // The previous-QSO window is open (as the panel's flag records it): the
    // DXCC window then keeps its list.
    virtual bool PrevQsoWindowOpen() = 0;
    virtual void SetPrevQsoCaption(const std::string& text) = 0;
    virtual void RepaintPrevQsoTable() = 0;
    virtual bool DxccWindowExists() = 0;
    virtual void SetDxccCaption(const std::string& text) = 0;
    virtual void RepaintDxccTable() = 0;
    virtual bool CountyWindowExists() = 0;
    virtual void SetCountyCaption(const std::string& text) = 0;
    // All 30 marks cleared, all buttons painted not worked.
    virtual void ResetCountyMarks() = 0;
    virtual CountyMarks CountyMarksNow() = 0;
    // Sets mark k (fixed county order) and paints its button worked.
    virtual void MarkCounty(int k) = 0;
};

// The host's entry field that holds the call being typed.
constexpr int kCallField = 5;
// The macro that tells the host the radio moved.
extern const char* const kSp1Macro;

// One refresh. Raises g_refreshPending however it ends, and asks the panel
// for another when a call check found this one outstanding (g_refreshAgain);
// lets no exception out.
void RunRefresh(RefreshHost& host, RefreshWindows& windows) EXCLUDES(g_engineMutex);

}  // namespace ui
