// Replays fixed contest scenarios through the plug-in and leaves every
// output in a folder: the texts and statuses the exports returned, the boxes
// shown, and the files the plug-in wrote (bad-QSO file, settings file,
// Cabrillo file). The same source runs natively against libStats.so and as a
// 32-bit Windows program against Stats.dll; the two folders must be equal
// byte for byte.
//
//   scenario_host <plug-in library> <output folder>
#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/message_box.h"
#include "platform/posix/host_services.h"
#endif

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/plugin_host/plugin_loader.h"
#include "tests/support/bytes.h"
#include "tests/support/sample_log.h"

namespace fs = std::filesystem;

using sample::Qso;
using sample::Run;

namespace {

// One message box as the operator saw it.
struct Box {
    std::string caption;  // "<default>" for the system's default title
    std::string text;
    std::string icon;  // "information" or "none"
};

#if defined(_WIN32)

// Answers every message box of this process from a thread of its own: finds
// the box, notes its caption, text and icon, and presses OK. The Cabrillo
// header form is answered the same way: its caption, its first label, OK.
// Boxes and forms are those of the host's thread, the one that calls the
// exports; the plug-in's own windows live on its UI thread.
class BoxAnswerer {
  public:
    BoxAnswerer() : hostThread_(GetCurrentThreadId()) {
        InitializeCriticalSection(&lock_);
        thread_ = CreateThread(nullptr, 0, &BoxAnswerer::Run, this, 0, nullptr);
        // The system's default title, learnt from a box without a caption.
        MessageBoxA(nullptr, "", nullptr, MB_OK);
        const std::vector<Box> probe = Take();
        defaultCaption_ = probe.empty() ? std::string() : probe.front().caption;
    }
    ~BoxAnswerer() {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        DeleteCriticalSection(&lock_);
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::vector<Box> Take() {
        EnterCriticalSection(&lock_);
        std::vector<Box> boxes;
        boxes.swap(boxes_);
        LeaveCriticalSection(&lock_);
        for (Box& box : boxes) {
            if (!defaultCaption_.empty() && box.caption == defaultCaption_) {
                box.caption = "<default>";
            }
        }
        return boxes;
    }

  private:
    static std::string WindowText(HWND window) {
        char buffer[8192];
        const int length = GetWindowTextA(window, buffer, sizeof buffer);
        return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    }

    static BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
        Box& box = *reinterpret_cast<Box*>(param);
        char cls[32];
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0) {
            return TRUE;
        }
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            // A box without an icon may still hold an empty icon control.
            const HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            if (shown != nullptr) {
                box.icon = shown == LoadIcon(nullptr, IDI_INFORMATION) ? "information" : "other";
            }
        } else if (box.text.empty()) {
            box.text = WindowText(child);
        }
        return TRUE;
    }

    struct Search {
        DWORD hostThread = 0;
        HWND found = nullptr;
    };

    static BOOL CALLBACK FindBox(HWND window, LPARAM param) {
        Search& search = *reinterpret_cast<Search*>(param);
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(window, &process);
        char cls[32];
        if (process != GetCurrentProcessId() || thread != search.hostThread ||
            !IsWindowVisible(window) || GetClassNameA(window, cls, sizeof cls) == 0 ||
            lstrcmpA(cls, "#32770") != 0) {
            return TRUE;
        }
        search.found = window;
        return FALSE;
    }

    static DWORD WINAPI Run(LPVOID param) {
        BoxAnswerer& self = *static_cast<BoxAnswerer*>(param);
        while (InterlockedCompareExchange(&self.stop_, 0, 0) == 0) {
            Search search;
            search.hostThread = self.hostThread_;
            EnumWindows(&BoxAnswerer::FindBox, reinterpret_cast<LPARAM>(&search));
            HWND window = search.found;
            if (window == nullptr) {
                Sleep(10);
                continue;
            }
            Box box;
            box.caption = WindowText(window);
            box.icon = "none";
            EnumChildWindows(window, &BoxAnswerer::ReadChild, reinterpret_cast<LPARAM>(&box));
            EnterCriticalSection(&self.lock_);
            self.boxes_.push_back(box);
            LeaveCriticalSection(&self.lock_);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
            while (IsWindow(window)) {
                Sleep(10);
            }
        }
        return 0;
    }

    CRITICAL_SECTION lock_;
    const DWORD hostThread_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    std::vector<Box> boxes_;
    std::string defaultCaption_;
};

#else

// The POSIX stand-in records every box; nothing waits for an answer. The
// header form is noted like the Windows answerer notes it and confirmed as
// shown.
class BoxAnswerer {
  public:
    BoxAnswerer() {
        plat::ResetHostServices();
        plat::SetModalFormHandler(
            [this](const std::string& caption, std::vector<plat::FormField>& fields) {
                forms_.push_back(Box{caption, fields.empty() ? "" : fields.front().label, "none"});
                return true;
            });
    }
    ~BoxAnswerer() { plat::ResetHostServices(); }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::vector<Box> Take() {
        std::vector<Box> boxes;
        boxes.swap(forms_);
        for (const plat::ShownMessageBox& shown : plat::ShownMessageBoxes()) {
            boxes.push_back(Box{shown.hasCaption ? shown.caption : "<default>", shown.text,
                                shown.icon == plat::kIconInformation ? "information" : "none"});
        }
        plat::ClearShownMessageBoxes();
        return boxes;
    }

  private:
    std::vector<Box> forms_;
};

#endif

const char* const kSettingsFile = "Plugins/DI-VE-RI.ini";
const char* const kBadQsoFile = "BadQSO_DozudODODER_06_12_2026.txt";

// One scenario: a fresh folder as the current directory, the plug-in freshly
// loaded, and a transcript of every call and what came back.
class Scenario {
  public:
    Scenario(const std::string& library, const fs::path& folder, BoxAnswerer& boxes)
        : folder_(folder), boxes_(boxes) {
        fs::create_directories(folder / "Plugins");
        fs::create_directories(folder / "Host");
        fs::current_path(folder);
        if (!plugin.Load(library)) {
            Fail("load: " + plugin.error());
        }
    }
    ~Scenario() {
        plugin.Unload();
        NoteBoxes();
        testing_support::WriteFileBytes((folder_ / "transcript.txt").string(), log_);
    }
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    void Line(const std::string& text) { log_ += text + "\r\n"; }
    void Fail(const std::string& why) {
        std::fprintf(stderr, "%s\n", why.c_str());
        failed_ = true;
        Line("FAILED " + why);
    }
    bool failed() const { return failed_; }

    // The file's bytes at this point of the scenario.
    void Snapshot(const char* name) {
        Line(std::string("--- ") + name);
        log_ += testing_support::ReadFileBytes(name);
        Line("--- end");
    }

    void NoteBoxes() {
        for (const Box& box : boxes_.Take()) {
            Line("box caption=" + box.caption + " icon=" + box.icon);
            Line(box.text);
        }
    }

    void Reset(const host::ContestRun& run) {
        Line("ResetStats0 " + run.hostFolder + " report=" + std::to_string(run.reportRun) + " " +
             run.ownCall + " -> " + std::to_string(plugin.Reset(run)));
        NoteBoxes();
    }
    void Add(const host::QsoFields& q) {
        Line("AddData0 " + q.call + " " + q.band + " " + q.mode + " [" + q.exchRcvd + "] -> " +
             std::to_string(plugin.Add(q)));
    }
    void Remove(const host::QsoFields& q) {
        Line("RemoveData0 " + q.call + " " + q.band + " " + q.mode + " -> " +
             std::to_string(plugin.Remove(q)));
    }
    void Check(const std::string& call, const std::string& mode, const std::string& dxcc,
               const char* band, const char* secondBand) {
        host::CallCheck c;
        c.call = call;
        c.mode = mode;
        c.dxcc = dxcc;
        c.band = band;
        c.secondBand = secondBand;
        const host::CallCheckAnswer a = plugin.Check(c);
        Line("CheckCall0 " + call + " " + mode + " " + dxcc + " " + (band ? band : "<null>") + "/" +
             (secondBand ? secondBand : "<null>") + " -> " + std::to_string(a.status) +
             (a.bufferWritten ? " [" + a.prevExchange + "]" : " <untouched>"));
    }
    void Result() {
        int value = 0;
        const std::string text = plugin.Result(&value);
        Line("GetResult0 -> " + std::to_string(value));
        log_ += text;
        Line("--- end");
        NoteBoxes();
    }

    host::Plugin plugin;

  private:
    fs::path folder_;
    BoxAnswerer& boxes_;
    std::string log_;
    bool failed_ = false;
};

// The constant exports, exchange judgements and the "Start" key's cycle
// over three contest-run starts without a host settings file.
void FirstStart(Scenario& s) {
    s.Line("GetNumberOfSets -> " + std::to_string(s.plugin.GetNumberOfSets()));
    for (int index : {0, 1, -1}) {
        s.Line("GetSetName " + std::to_string(index) + " -> [" + s.plugin.GetSetName(index) + "]");
    }
    s.Line("GetExchgCount0 -> " + std::to_string(s.plugin.GetExchgCount()));
    for (const char* x : {"599", "001", "1234", "12", "12345", "BGD", "bgd", "12A", ""}) {
        s.Line(std::string("IsValidExchg0 [") + x + "] -> " +
               std::to_string(s.plugin.IsValidExchange(x)));
    }
    testing_support::WriteFileBytes("Host/Other.ini", "Larq=9.99\r\n");
    for (int i = 0; i < 3; ++i) {
        s.Reset(Run("DL1XYZ", "DL", 0));
        s.Snapshot(kSettingsFile);
    }
    s.Snapshot(kBadQsoFile);
    s.Check("DL2BBB", "CW", "DL", "20m", "40m");
    s.Check("DL2BBB", "CW", "DL", "20m", "20M");
    s.Result();
}

// A host of version 2.19 with a settings file that suppresses the UI once:
// QSOs accepted, flagged and rejected, call checks, a removal, and the
// result in text and then in HTML.
void ScoredLog(Scenario& s) {
    testing_support::WriteFileBytes("Host/Larq2.ini", "[Program]\r\nLarq=2.19\r\n");
    testing_support::WriteFileBytes(kSettingsFile, "[Settings]\r\nStart=1\r\nClaimed=7\r\n");
    s.Reset(Run("DL1XYZ", "DL", 0));
    s.Snapshot(kSettingsFile);

    s.Add(Qso("YU1AAA", "YU", "EU", " bgd", 0));
    s.Add(Qso("DL2BBB", "DL", "EU", "002", 1));
    s.Add(Qso("W1CCC", "K", "NA", "003", 2));
    s.Add(Qso("YU1BBB", "YU", "EU", "123", 3));
    s.Add(Qso("DL2BBB", "DL", "EU", "004", 4));
    s.Add(Qso("DL2BBB", "DL", "EU", "005", 5));
    host::QsoFields ssb = Qso("DL2BBB", "DL", "EU", "006", 6);
    ssb.mode = "SSB";
    ssb.frequencyHz = 14250000;
    s.Add(ssb);
    host::QsoFields upper = Qso("OK1DDD", "OK", "EU", "007", 7);
    upper.band = "20M";
    upper.mode = "cw";
    s.Add(upper);
    host::QsoFields on40 = Qso("YT2EEE", "YU", "EU", "KOS", 8);
    on40.band = "40m";
    on40.frequencyHz = 7025000;
    s.Add(on40);
    host::QsoFields wrongBand = Qso("G3FFF", "G", "EU", "008", 9);
    wrongBand.band = "160m";
    s.Add(wrongBand);
    host::QsoFields wrongMode = Qso("G3FFF", "G", "EU", "008", 10);
    wrongMode.mode = "RTTY";
    s.Add(wrongMode);
    host::QsoFields noExchange = Qso("G3FFF", "G", "EU", "008", 11);
    noExchange.exchSent = "";
    s.Add(noExchange);
    s.Snapshot(kBadQsoFile);

    s.Check("DL2BBB", "CW", "DL", "20m", "20m");
    s.Check("W1CCC", "SSB", "K", "20m", nullptr);
    s.Check("OK1GGG", "CW", "OK", "40m", "40m");
    s.Check("YU1HHH", "CW", "YU", "40m", "40m");
    s.Check("G3FFF", "CW", "", "20m", "20m");
    s.Check("G3FFF", "CW", "G", "20m", "40m");
    s.Check("G3FFF", "RTTY", "G", "20m", "20m");
    s.Check("G3FFF", "CW", "G", nullptr, nullptr);
    s.Result();

    s.Remove(Qso("DL2BBB", "DL", "EU", "002", 1));
    s.Remove(Qso("NOSUCH", "DL", "EU", "002", 1));
    s.Snapshot(kBadQsoFile);
    s.Line("setVersion -> " + std::to_string(s.plugin.SetVersion("2.19")));
    s.Result();
    s.Snapshot(kSettingsFile);
}

// A report run of a portable YU station under host 2.18: the Cabrillo file
// is written (in place, as no temporary file can be made beside it) and the
// "Output" box reports it; then SetupSet0's box.
void ReportRun(Scenario& s) {
    testing_support::WriteFileBytes("Host/Larq2.ini", "Larq=2.18\r\n");
    fs::create_directories("YU1ZZZ_P.cbr.new");
    s.Reset(Run("YU1ZZZ/P", "YU", 1));
    s.Snapshot(kSettingsFile);
    host::QsoFields a = Qso("DL2BBB", "DL", "EU", "002", 0);
    a.ownCall = "YU1ZZZ/P";
    a.exchSent = "BGD";
    s.Add(a);
    host::QsoFields b = Qso("YT2EEE", "YU", "EU", "kos", 30);
    b.ownCall = "YU1ZZZ/P";
    b.exchSent = "BGD";
    b.mode = "SSB";
    b.band = "80m";
    b.frequencyHz = 3700500;
    s.Add(b);
    s.Check("YT2EEE", "SSB", "YU", "80m", "40m");
    s.Result();
    s.Snapshot("YU1ZZZ_P.cbr");
    s.Line("SetupSet0");
    s.plugin.SetupSet();
    s.NoteBoxes();
    // A second report run replaces the Cabrillo file through a temporary one.
    fs::remove("YU1ZZZ_P.cbr.new");
    s.Reset(Run("YU1ZZZ/P", "YU", 1));
    s.Add(a);
    s.Result();
    s.Snapshot("YU1ZZZ_P.cbr");
    s.Snapshot(kSettingsFile);
}

// The rules published since 2020, chosen in the settings, under a host
// without the plug-in's windows: a YU entrant scores DXCC entities alone,
// and a received exchange from outside YU/YT that is no number is a bad QSO
// that the station may be worked again after.
void Rules2020(Scenario& s) {
    testing_support::WriteFileBytes("Host/Larq2.ini", "Larq=2.18\r\n");
    testing_support::WriteFileBytes(kSettingsFile, "[Settings]\r\nRules=2020\r\n");
    s.Reset(Run("YU1ZZZ", "YU", 0));
    s.Add(Qso("YT2AAA", "YU", "EU", "BGD", 0));
    s.Add(Qso("YU1BBB", "YU", "EU", "NIS", 1));
    s.Add(Qso("DL2CCC", "DL", "EU", "001", 2));
    s.Add(Qso("W1DDD", "K", "NA", "002", 3));
    s.Check("YU1EEE", "CW", "YU", "20m", "20m");
    s.Result();

    s.Reset(Run("DL1XYZ", "DL", 0));
    s.Add(Qso("W1AAA", "K", "NA", "EU", 0));
    s.Add(Qso("W1AAA", "K", "NA", "015", 1));
    s.Add(Qso("W1AAA", "K", "NA", "016", 2));
    s.Add(Qso("W1AAA", "K", "NA", "SAM", 3));
    s.Add(Qso("OK1BBB", "OK", "EU", " 08 ", 4));
    s.Add(Qso("G3DDD", "", "", "NA", 5));
    s.Add(Qso("YU1FFF", "YU", "EU", "123", 6));
    s.Check("G3DDD", "CW", "G", "20m", "20m");
    s.Snapshot(kBadQsoFile);
    s.Result();
    s.Snapshot(kSettingsFile);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: scenario_host <plug-in library> <output folder>\n");
        return 2;
    }
    const std::string library = fs::absolute(argv[1]).string();
    const fs::path out = fs::absolute(argv[2]);
    std::error_code ignored;
    fs::remove_all(out, ignored);
    BoxAnswerer boxes;
    const struct {
        const char* name;
        void (*steps)(Scenario&);
    } scenarios[] = {{"first_start", FirstStart},
                     {"scored_log", ScoredLog},
                     {"report_run", ReportRun},
                     {"rules_2020", Rules2020}};
    bool ok = true;
    for (const auto& scenario : scenarios) {
        Scenario s(library, out / scenario.name, boxes);
        if (s.plugin.loaded()) {
            scenario.steps(s);
        }
        ok = ok && !s.failed();
    }
    fs::current_path(out);
    return ok ? 0 : 1;
}
