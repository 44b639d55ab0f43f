#include "ui/live_refresh.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/sync.h"
#include "scoring/engine_state.h"
#include "ui/prev_qso_grid.h"
#include "ui/refresh_captions.h"
#include "ui/ui_link.h"

namespace ui {

const char* const kSp1Macro = "<SP1>";

namespace {

// Lets the next call check ask for a refresh again, however the refresh
// ends; and asks for one more at once when a call check came meanwhile.
struct FinishRefresh {
    FinishRefresh() = default;
    FinishRefresh(const FinishRefresh&) = delete;
    FinishRefresh& operator=(const FinishRefresh&) = delete;
    ~FinishRefresh() {
        g_refreshPending.store(1);
        if (g_refreshAgain.exchange(0) != 0 && g_refreshPending.exchange(0) != 0) {
            try {
                PostRefreshRequest();
            } catch (...) {
                g_refreshPending.store(1);  // the next call check asks instead
            }
        }
    }
};

// What the refresh reads of the contest run, taken under the lock.
struct RunTexts {
    Language language = Language::kEnglish;
    std::string year;
};

RunTexts ReadRunTexts() REQUIRES(g_engineMutex) {
    RunTexts texts;
    texts.language = g_russianUi ? Language::kRussian : Language::kEnglish;
    texts.year = g_startYear;
    return texts;
}

// Fills the grid for the call and returns the contest run's texts.
RunTexts UpdateGrid(const std::string& call) EXCLUDES(g_engineMutex) {
    plat::LockGuard lock(EngineLock());
    ClearPrevQsoCells(g_prevQsoRows);
    FillPrevQsoCells(g_log, call, g_prevQsoRows);
    return ReadRunTexts();
}

struct BandCounts {
    size_t dxcc = 0;
    std::vector<std::string> counties;
};

BandCounts ReadBandCounts(int band) EXCLUDES(g_engineMutex) {
    plat::LockGuard lock(EngineLock());
    BandCounts counts;
    counts.dxcc = g_dxccByBand[static_cast<size_t>(band)].size();
    counts.counties = g_countyByBand[static_cast<size_t>(band)];
    return counts;
}

void UpdateWindowsForBand(RefreshWindows& windows, const std::string& call, int band,
                          const RunTexts& texts) EXCLUDES(g_engineMutex) {
    const BandCounts counts = ReadBandCounts(band);
    const std::string bandName = BandSlotName(band);

    if (windows.DxccWindowExists()) {
        if (call.empty()) {
            windows.SetDxccCaption(DxccCaption(texts.language, bandName, counts.dxcc));
            windows.RepaintDxccTable();
        } else if (!windows.PrevQsoWindowOpen()) {
            // The DXCC window shows the grid while the previous-QSO window is closed.
            windows.SetDxccCaption(WorkedWithCaption(texts.language, texts.year, call));
            windows.RepaintDxccTable();
        }
    }
    windows.RepaintPrevQsoTable();

    if (windows.CountyWindowExists()) {
        windows.SetCountyCaption(CountyCaption(texts.language, bandName, counts.counties.size()));
        LiveState& live = Live();
        if (live.lastCountyBand != band) {
            live.lastCountyBand = band;
            windows.ResetCountyMarks();
        }
        for (int k : CountiesToMark(counts.counties, windows.CountyMarksNow())) {
            windows.MarkCounty(k);
        }
    }
}

void Refresh(RefreshHost& host, RefreshWindows& windows) EXCLUDES(g_engineMutex) {
    if (!host.IsConnected()) {
        return;
    }
    windows.OpenRequestedWindows();

    LiveState& live = Live();
    live.currentCall.clear();
    std::string call;
    if (!host.GetFieldText(kCallField, call)) {
        call.clear();
    }
    // The entry field's text ends at its first NUL, as every window text does.
    call.resize(std::strlen(call.c_str()));
    live.currentCall = call;
    if (CallTooShortToShow(call)) {
        return;
    }

    const RunTexts texts = UpdateGrid(call);
    windows.SetPrevQsoCaption(PrevQsoCaption(texts.language, texts.year));
    if (!call.empty()) {
        windows.SetPrevQsoCaption(WorkedWithCaption(texts.language, texts.year, call));
    }

    double hz = 0.0;
    if (!host.Frequency(hz)) {
        return;  // no frequency: no "<SP1>" and no band
    }
    if (ShouldSendSp1(hz, live.lastSp1Hz)) {
        host.RunMacro(kSp1Macro);
        live.lastSp1Hz = hz;
    }
    const int band = BandOfFrequency(hz);
    if (band == kNoBand) {
        return;
    }
    live.currentBandIndex = band;
    UpdateWindowsForBand(windows, call, band, texts);
}

}  // namespace

LiveState& Live() {
    static LiveState state;
    return state;
}

void ResetLiveState() {
    Live() = LiveState();
}

void RunRefresh(RefreshHost& host, RefreshWindows& windows) {
    FinishRefresh finish;
    try {
        Refresh(host, windows);
    } catch (...) {
        // Out of memory at worst: the display stays as it was.
    }
}

}  // namespace ui
