// The exported functions: each turns the host's arguments into the engine's
// input, holds the engine lock while the engine works, and never lets an
// exception reach the host.
#include "plugin/stats_exports.h"

#include "platform/library_detach.h"
#include "platform/message_box.h"
#include "plugin/contest_run.h"
#include "plugin/report_run.h"
#include "scoring/engine.h"
#include "scoring/engine_state.h"
#include "scoring/window_requests.h"
#include "ui/handler_guard.h"
#include "ui/ui_link.h"

namespace {

const char* const kSetName = "VE-VU-RO Vividad";

// The host never passes null for the texts the plug-in reads; should it
// happen all the same, the text counts as empty.
std::string Text(const char* p) {
    return p != nullptr ? std::string(p) : std::string();
}

// The same without a copy, for the QSO's texts, which the engine reads
// during the call only.
std::string_view TextView(const char* p) {
    return p != nullptr ? std::string_view(p) : std::string_view();
}

plat::OleDate Date(const StatsDate* p) {
    return p != nullptr ? *p : plat::NullOleDate();
}

using ui::Guarded;

QsoInput Qso(const char* ownCall, const char* call, const StatsDate* time, unsigned frequencyHz,
             const char* mode, const char* rstSent, const char* rstRcvd, const char* exchSent,
             const char* exchRcvd, const char* dxcc, const char* continent, const char* band) {
    QsoInput q;
    q.ownCall = TextView(ownCall);
    q.call = TextView(call);
    q.time = Date(time);
    q.frequencyHz = frequencyHz;
    q.mode = TextView(mode);
    q.rstSent = TextView(rstSent);
    q.rstRcvd = TextView(rstRcvd);
    q.exchSent = TextView(exchSent);
    q.exchRcvd = TextView(exchRcvd);
    q.dxcc = TextView(dxcc);
    q.continent = TextView(continent);
    q.band = TextView(band);
    return q;
}

// Closes the windows when the library is unloaded; the engine sees none
// afterwards. Runs before the library's static objects are destroyed.
void OnLibraryUnload() noexcept {
    Guarded(0, [] {
        ui::OnLibraryUnload();
        return 0;
    });
    ConnectWindows(nullptr);
}

// Connects the engine to the windows when the library is loaded.
struct LibraryHooks {
    LibraryHooks() {
        ConnectWindows(&ui::EngineRequests());
        plat::SetLibraryDetachHook(&OnLibraryUnload);
    }
};
const LibraryHooks g_libraryHooks;

// A process that ends with the library still loaded destroys the library's
// static objects before it runs the library's finaliser (natively). This
// object is built at the first contest run, which is what starts the
// windows, after every other static object of the library, so it goes
// before them: the windows close while the engine lock and the engine's
// state still exist. At an unload the finaliser has closed them already.
struct CloseWindowsFirst {
    CloseWindowsFirst() = default;
    CloseWindowsFirst(const CloseWindowsFirst&) = delete;
    CloseWindowsFirst& operator=(const CloseWindowsFirst&) = delete;
    ~CloseWindowsFirst() { OnLibraryUnload(); }
};

void CloseWindowsBeforeTheStaticsAtExit() {
    static const CloseWindowsFirst closer;
}

}  // namespace

extern "C" {

int GetNumberOfSets() {
    return 1;
}

const char* GetSetName(int index) {
    return index == 0 ? kSetName : "";
}

void SetupSet0() {
    Guarded(0, [] {
        plat::ShowMessageBox("No additional setup for this contest", nullptr, plat::kIconNone);
        return 0;
    });
}

unsigned long setVersion(const char*) {
    return Guarded(0UL, [] {
        plat::LockGuard lock(EngineLock());
        g_hostSetVersion = true;
        return 0UL;
    });
}

int ResetStats0(const char* hostFolder, int reportRun, const char* ownCall, StatsDate* contestStart,
                StatsDate* contestEnd, const char*, const char*, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*,
                const char* ownDxcc, int, int, int, double, double, const char*,
                const char* ownContinent, const char*) {
    return Guarded(1, [&] {
        ContestRunInput run;
        run.hostFolder = Text(hostFolder);
        run.reportRun = reportRun;
        run.ownCall = Text(ownCall);
        run.start = Date(contestStart);
        run.end = Date(contestEnd);
        run.ownDxcc = Text(ownDxcc);
        run.ownContinent = Text(ownContinent);
        CloseWindowsBeforeTheStaticsAtExit();
        plat::LockGuard lock(EngineLock());
        StartContestRun(run);
        return 1;
    });
}

int AddData0(const char* ownCall, const char* call, StatsDate* time, StatsDate*, StatsDate*,
             StatsDate*, unsigned, unsigned frequencyHz, const char* mode, const char* rstSent,
             const char* rstRcvd, const char* exchSent, const char* exchRcvd, const char*,
             const char*, const char*, const char*, const char*, const char*, const char*,
             const char*, const char*, const char* dxcc, int, int, int, double, double, const char*,
             const char* continent, const char*, const char* band, const char*) {
    return Guarded(0, [&] {
        const QsoInput q = Qso(ownCall, call, time, frequencyHz, mode, rstSent, rstRcvd, exchSent,
                               exchRcvd, dxcc, continent, band);
        plat::LockGuard lock(EngineLock());
        return AcceptQso(q);
    });
}

int RemoveData0(const char* ownCall, const char* call, StatsDate* time, StatsDate*, StatsDate*,
                StatsDate*, unsigned, unsigned frequencyHz, const char* mode, const char* rstSent,
                const char* rstRcvd, const char* exchSent, const char* exchRcvd, const char*,
                const char*, const char*, const char*, const char*, const char*, const char*,
                const char*, const char*, const char* dxcc, int, int, int, double, double,
                const char*, const char* continent, const char*, const char* band, const char*) {
    return Guarded(1, [&] {
        const QsoInput q = Qso(ownCall, call, time, frequencyHz, mode, rstSent, rstRcvd, exchSent,
                               exchRcvd, dxcc, continent, band);
        plat::LockGuard lock(EngineLock());
        RemoveQso(q);
        return 1;
    });
}

int CheckCall0(const char* call, unsigned, unsigned, const char* mode, const char*, const char*,
               const char*, const char*, const char*, const char*, const char*, const char*,
               const char*, const char* dxcc, int, int, int, double, double, const char*,
               const char*, const char*, const char*, const char*, const char* band,
               const char* secondBand, char* prevExchange, char*) {
    return Guarded(4, [&] {
        plat::LockGuard lock(EngineLock());
        return CheckCall(Text(call), Text(mode), Text(dxcc), band, secondBand, prevExchange);
    });
}

int GetExchgCount0(const char*, const char*, const char*) {
    return 1;
}

int IsValidExchg0(const char* exchange, const char*, const char*, const char*, int, int, int) {
    return Guarded(0, [&] { return IsValidExchange(exchange); });
}

const char* GetResult0(int* hostValue) {
    if (hostValue != nullptr) {
        *hostValue = -1;
    }
    return Guarded(static_cast<const char*>(""), [] {
        std::string message;
        const char* result = nullptr;
        {
            plat::LockGuard lock(EngineLock());
            const SummaryTotals totals = BuildResult(ReportRunEntryBand());
            if (g_reportRun != 0) {
                message = WriteReportRunCabrillo(totals.entryScore);
            }
            result = g_resultText.c_str();
        }
        // The "Output" box is modal; the engine lock is not held while the
        // operator reads it.
        if (!message.empty()) {
            plat::ShowMessageBox(message, "Output", plat::kIconInformation);
        }
        return result;
    });
}

}  // extern "C"
