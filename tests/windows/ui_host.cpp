// The stand-in host for the plug-in's windows: offers "Larq2.Application"
// in the running object table from its main thread (a single-threaded
// apartment), loads Stats.dll by the decorated names, and follows a script
// that drives the plug-in and its windows while it pumps messages.
//   ui_host <script> <Stats.dll> [<work folder>]
// The work folder (default: the current one) gets Host\Larq2.ini with a
// host version that lets the UI start, and Plugins\DI-VE-RI.ini with
// Start=0. The commands are listed in scripts/README.md; the first failing
// one ends the run with exit code 1, also inside a "when" block.
#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/plugin_host/plugin_loader.h"
#include "platform/host_link.h"
#include "platform/host_wait.h"
#include "tests/support/bytes.h"
#include "tests/support/sample_log.h"
#include "tests/windows/automation_object.h"
#include "tests/windows/child_process.h"
#include "tests/windows/ui_script.h"
#include "tests/windows/window_commands.h"
#include "tests/windows/window_driver.h"

namespace fs = std::filesystem;

namespace testhost {
namespace {

const char* const kSettingsFile = "Plugins\\DI-VE-RI.ini";

// Script text (UTF-8) as the plug-in takes it, in the ANSI code page.
std::string ToAnsi(const std::string& utf8) {
    return Narrow(FromUtf8(utf8), CP_ACP);
}

class Host;

// A block of commands run on a thread of its own once something happened
// (a window with a caption appeared, say), e.g. to fill in a modal dialog
// that the host's thread waits in.
struct Watcher {
    Host* host = nullptr;
    std::string awaited;         // what it waits for, as the script says it
    std::function<bool()> seen;  // true once that happened; any thread
    DWORD ms = 10000;
    const std::vector<Statement>* body = nullptr;
    HANDLE thread = nullptr;
};

class Host {
  public:
    Host(std::string dll, fs::path scriptFolder)
        : dll_(std::move(dll)), scriptFolder_(std::move(scriptFolder)) {
        InitializeCriticalSection(&output_);
    }
    ~Host() { DeleteCriticalSection(&output_); }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    bool Start() {
        testing_support::WriteFileBytes("Host\\Larq2.ini", "[Program]\r\nLarq=2.19\r\n");
        testing_support::WriteFileBytes(kSettingsFile, "[Settings]\r\nStart=0\r\n");
        return Register();
    }

    void Finish() {
        if (cookie_ != 0 || registered_) {
            RevokeHostObject(cookie_);
            cookie_ = 0;
            registered_ = false;
        }
    }

    bool RunBlock(const std::vector<Statement>& block) {
        for (const Statement& s : block) {
            std::string error;
            if (!Run(s, error)) {
                Report("line " + std::to_string(s.line) + ": " + s.words[0] + ": " + error);
                return false;
            }
        }
        return true;
    }

    bool WaitWatchers(DWORD ms) {
        for (std::unique_ptr<Watcher>& w : watchers_) {
            HANDLE thread = w->thread;
            if (!PumpUntil([thread] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; },
                           ms)) {
                Report("a \"" + w->awaited + "\" block did not finish");
                return false;  // the watcher keeps running; the process ends soon
            }
            CloseHandle(thread);
        }
        watchers_.clear();
        return true;
    }

    // Output from the main thread and the watchers, a line at a time.
    void Report(const std::string& text) {
        EnterCriticalSection(&output_);
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        LeaveCriticalSection(&output_);
    }
    void Say(const std::string& text) {
        EnterCriticalSection(&output_);
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
        LeaveCriticalSection(&output_);
    }

  private:
    bool Register() {
        std::string error;
        if (!RegisterHostObject(object_, cookie_, error)) {
            Report(error);
            return false;
        }
        registered_ = true;
        return true;
    }

    bool Loaded(std::string& error) {
        if (!plugin_.loaded()) {
            error = "the plug-in is not loaded";
        }
        return plugin_.loaded();
    }

    // A failing block ends the run at once: the main thread may be waiting
    // in a modal dialog that only the block would have ended.
    static DWORD WINAPI RunWatcher(LPVOID param) {
        Watcher& w = *static_cast<Watcher*>(param);
        const bool seen = PumpUntil(w.seen, w.ms);
        if (!seen) {
            w.host->Report("\"" + w.awaited + "\" did not happen");
        }
        if (!seen || !w.host->RunBlock(*w.body)) {
            std::fflush(nullptr);
            ExitProcess(1);
        }
        return 0;
    }

    // One command; false with the reason in `error`.
    bool Run(const Statement& s, std::string& error) {
        const std::string& c = s.words[0];
        const std::vector<std::string>& a = s.words;

        // The host's settings and the automation object's answers.
        if (c == "host-version") {  // host-version V: Host\Larq2.ini says Larq=V
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            testing_support::WriteFileBytes("Host\\Larq2.ini",
                                            "[Program]\r\nLarq=" + a[1] + "\r\n");
            return true;
        }
        if (c == "setting") {  // setting KEY VALUE: written into the plug-in's settings
            if (!Need(s, 2, 2, error)) {
                return false;
            }
            const std::string path = (fs::current_path() / "Plugins" / "DI-VE-RI.ini").string();
            WritePrivateProfileStringA("Settings", ToAnsi(a[1]).c_str(), ToAnsi(a[2]).c_str(),
                                       path.c_str());
            return true;
        }
        if (c == "expect-setting") {  // expect-setting KEY VALUE
            if (!Need(s, 2, 2, error)) {
                return false;
            }
            const std::string path = (fs::current_path() / "Plugins" / "DI-VE-RI.ini").string();
            char value[4096];
            GetPrivateProfileStringA("Settings", ToAnsi(a[1]).c_str(), "<missing>", value,
                                     sizeof value, path.c_str());
            if (value != ToAnsi(a[2])) {
                error = a[1] + " is " + Quoted(value) + ", not " + Quoted(a[2]);
                return false;
            }
            return true;
        }
        if (c == "field") {  // field TEXT: GetFieldText's answer
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            object_.field = FieldAnswer{FieldAnswer::kText, FromUtf8(a[1]), 0};
            return true;
        }
        if (c == "field-number") {  // field-number N: an answer that is not text
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            object_.field = FieldAnswer{FieldAnswer::kNumber, L"", Number(a[1])};
            return true;
        }
        if (c == "field-fails") {
            object_.field = FieldAnswer{FieldAnswer::kFail, L"", 0};
            return true;
        }
        if (c == "frequency") {  // frequency HZ
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            object_.frequency = std::atof(a[1].c_str());
            object_.frequencyFails = false;
            return true;
        }
        if (c == "frequency-fails") {
            object_.frequencyFails = true;
            return true;
        }
        if (c == "macro-delay") {  // macro-delay MS: RunMacro answers after MS, pumping
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            object_.macroDelay = static_cast<DWORD>(Number(a[1]));
            return true;
        }
        if (c == "register") {
            return registered_ || Register();
        }
        if (c == "unregister") {
            RevokeHostObject(cookie_);
            cookie_ = 0;
            registered_ = false;
            return true;
        }
        if (c == "expect-macros") {  // expect-macros M...: every macro so far, in order
            std::vector<std::string> want(a.begin() + 1, a.end());
            if (object_.macros != want) {
                error = "the host got";
                for (const std::string& m : object_.macros) {
                    error += " " + Quoted(m);
                }
                return false;
            }
            return true;
        }
        if (c == "clear-macros") {
            object_.macros.clear();
            object_.arrivedMacros = 0;
            return true;
        }
        if (c == "wait-macros") {  // wait-macros N [MS]: pumps until N macros arrived
            if (!Need(s, 1, 2, error)) {
                return false;
            }
            const size_t want = static_cast<size_t>(Number(a[1]));
            const DWORD ms = a.size() > 2 ? Number(a[2]) : 5000;
            if (!PumpUntil([&] { return object_.macros.size() >= want; }, ms)) {
                error = "only " + std::to_string(object_.macros.size()) + " macros arrived";
                return false;
            }
            return true;
        }
        if (c == "expect-calls-on-host-thread") {
            if (object_.foreignThreadCalls != 0) {
                error = std::to_string(object_.foreignThreadCalls) + " calls on another thread";
                return false;
            }
            return true;
        }

        // The plug-in's exports.
        if (c == "load") {
            if (!plugin_.Load(dll_)) {
                error = plugin_.error();
                return false;
            }
            return true;
        }
        if (c == "unload") {  // unload [MAXMS]: FreeLibrary must return in time
            if (!Loaded(error) || !Need(s, 0, 1, error)) {
                return false;
            }
            const DWORD start = GetTickCount();
            plugin_.Unload();
            const DWORD took = GetTickCount() - start;
            if (a.size() > 1 && took > static_cast<DWORD>(Number(a[1]))) {
                error = "took " + std::to_string(took) + " ms";
                return false;
            }
            if (GetModuleHandleA("Stats.dll") != nullptr) {
                error = "the library stayed loaded";
                return false;
            }
            return true;
        }
        if (c == "reset") {  // reset CALL DXCC [REPORTRUN]
            if (!Loaded(error) || !Need(s, 2, 3, error)) {
                return false;
            }
            plugin_.Reset(sample::Run(a[1], a[2], a.size() > 3 ? Number(a[3]) : 0));
            return true;
        }
        if (c == "add") {  // add CALL DXCC CONTINENT EXCHANGE MINUTE [BAND [MODE]]
            if (!Loaded(error) || !Need(s, 5, 7, error)) {
                return false;
            }
            host::QsoFields q = sample::Qso(a[1], a[2], a[3], a[4], Number(a[5]));
            if (a.size() > 6) {
                q.band = a[6];
            }
            if (a.size() > 7) {
                q.mode = a[7];
            }
            plugin_.Add(q);
            return true;
        }
        if (c == "check") {  // check CALL [BAND]: the call check that asks for a refresh
            if (!Loaded(error) || !Need(s, 1, 2, error)) {
                return false;
            }
            host::CallCheck check;
            check.call = a[1];
            check.mode = "CW";
            check.dxcc = "DL";
            const std::string band = a.size() > 2 ? a[2] : "20m";
            check.band = band.c_str();
            check.secondBand = band.c_str();
            lastCheck_ = GetTickCount();
            plugin_.Check(check);
            return true;
        }
        if (c == "shown-within") {  // shown-within CAPTION MS: since the last check
            if (!Need(s, 2, 2, error)) {
                return false;
            }
            const std::string caption = a[1];
            const DWORD limit = Number(a[2]);
            if (!PumpUntil([&caption] { return FindOwnWindow(caption) != nullptr; }, limit + 1000)) {
                error = Quoted(caption) + " did not appear";
                return false;
            }
            const DWORD took = GetTickCount() - lastCheck_;
            Say(Quoted(caption) + " shown " + std::to_string(took) + " ms after the call check");
            if (took > limit) {
                error = "slower than " + a[2] + " ms";
                return false;
            }
            return true;
        }
        if (c == "setup") {  // setup: SetupSet0, whose box waits on this thread
            if (!Loaded(error)) {
                return false;
            }
            plugin_.SetupSet();
            return true;
        }
        if (c == "result") {  // result: GetResult0, the text printed
            if (!Loaded(error)) {
                return false;
            }
            Say(plugin_.Result());
            return true;
        }

        // Windows.
        bool known = false;
        const bool done = RunWindowCommand(s, error, known);
        if (known) {
            return done;
        }
        if (c == "expect-file") {  // expect-file FILE TEXT: the file holds the text
            if (!Need(s, 2, 2, error)) {
                return false;
            }
            const std::string bytes = testing_support::ReadFileBytes(a[1]);
            if (bytes.find(ToAnsi(a[2])) == std::string::npos) {
                error = a[1] + " does not hold " + Quoted(a[2]);
                return false;
            }
            return true;
        }
        if (c == "expect-no-file") {  // expect-no-file FILE
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            if (fs::exists(a[1])) {
                error = a[1] + " exists";
                return false;
            }
            return true;
        }

        // Blocks.
        if (c == "repeat") {  // repeat N ... end
            if (!Need(s, 1, 1, error)) {
                return false;
            }
            for (int i = 0; i < Number(a[1]); ++i) {
                if (!RunBlock(s.body)) {
                    error = "in round " + std::to_string(i + 1);
                    return false;
                }
            }
            return true;
        }
        // when CAPTION [MS] ... end: runs the block on a thread of its own once
        // the window is there; when-macros N [MS] ... end: once N macros
        // have arrived (while the host may still be answering the last).
        if (c == "when" || c == "when-macros") {
            if (!Need(s, 1, 2, error)) {
                return false;
            }
            std::unique_ptr<Watcher> w(new Watcher);
            w->host = this;
            w->awaited = c + " " + a[1];
            const std::string caption = a[1];
            const size_t count = static_cast<size_t>(Number(a[1]));
            AutomationObject& object = object_;
            if (c == "when") {
                w->seen = [caption] { return FindOwnWindow(caption) != nullptr; };
            } else {
                w->seen = [count, &object] { return object.arrivedMacros.load() >= count; };
            }
            w->ms = a.size() > 2 ? Number(a[2]) : 10000;
            w->body = &s.body;
            w->thread = CreateThread(nullptr, 0, RunWatcher, w.get(), 0, nullptr);
            if (w->thread == nullptr) {
                error = "cannot start a thread";
                return false;
            }
            watchers_.push_back(std::move(w));
            return true;
        }
        if (c == "wait-watchers") {  // wait-watchers [MS]: the when blocks have finished
            if (!Need(s, 0, 1, error)) {
                return false;
            }
            if (!WaitWatchers(a.size() > 1 ? Number(a[1]) : 10000)) {
                error = "a when block did not finish";
                return false;
            }
            return true;
        }

        // The host link of the plug-in's code, from a second thread.
        // probe EXPECTED [serve]: see Probe(); with "serve" this thread waits
        // for the probe through the plug-in's WaitServingHostCalls instead
        // of its own message loop.
        if (c == "probe") {
            if (!Need(s, 1, 2, error)) {
                return false;
            }
            const std::string got = Probe(a.size() > 2 && a[2] == "serve");
            Say("probe: " + testing_support::Visible(got));
            if (got != ToAnsi(a[1])) {
                error = "the link gave " + Quoted(got);
                return false;
            }
            return true;
        }
        if (c == "say") {
            Say(a.size() > 1 ? a[1] : "");
            return true;
        }
        if (c == "spawn") {  // spawn SCRIPT MAXMS: see Spawn()
            if (!Need(s, 2, 2, error)) {
                return false;
            }
            return Spawn(a[1], static_cast<DWORD>(Number(a[2])), error);
        }
        if (c == "exit") {  // exit: ends the process at once, the library still loaded
            Say("exiting");
            ExitProcess(0);
        }
        error = "unknown command";
        return false;
    }

    // Runs this program with another script (a path relative to this
    // script's folder) in the same work folder, until the child says
    // "exiting" (its script's "exit"); from then on it must have ended
    // within `ms` milliseconds, and with exit code 0.
    bool Spawn(const std::string& script, DWORD ms, std::string& error) {
        char self[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
        const std::string path = (scriptFolder_ / script).string();
        PROCESS_INFORMATION child;
        HANDLE readEnd = nullptr;
        if (!StartWithOutputPipe("\"" + std::string(self, length) + "\" \"" + path + "\" \"" +
                                     dll_ + "\" \"" + fs::current_path().string() + "\"",
                                 child, readEnd)) {
            error = "cannot start " + path;
            return false;
        }
        // The child's lines until "exiting" (or its end), passed on.
        std::string line;
        bool exiting = false;
        while (!exiting && ReadLine(readEnd, line)) {
            Say("child: " + line);
            exiting = line == "exiting";
        }
        const DWORD start = GetTickCount();
        const bool ended =
            WaitForSingleObject(child.hProcess, exiting ? ms : 30000) == WAIT_OBJECT_0;
        const DWORD took = GetTickCount() - start;
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        if (!ended) {
            TerminateProcess(child.hProcess, 1);
        }
        CloseHandle(child.hProcess);
        CloseHandle(readEnd);
        if (!exiting) {
            error = "the child ended before its exit";
        } else if (!ended) {
            error = "the child did not end within " + std::to_string(ms) + " ms of exiting";
        } else if (code != 0) {
            error = "the child ended with code " + std::to_string(code);
        } else {
            Say("the child ended " + std::to_string(took) + " ms after exiting");
            return true;
        }
        return false;
    }

    struct ProbeRun {
        std::string said;
    };

    // What the plug-in's link makes of this host from another thread (its
    // own apartment): "open|closed macro|no-macro field=TEXT|no-field
    // frequency=HZ|no-frequency", the macro being "<PROBE>".
    static DWORD WINAPI ProbeThread(LPVOID param) {
        ProbeRun& run = *static_cast<ProbeRun*>(param);
        plat::HostLink link;
        if (!link.Open()) {
            run.said = "closed";
            return 0;
        }
        std::string text;
        double hz = 0;
        std::ostringstream out;
        out << "open " << (link.RunMacro("<PROBE>") ? "macro" : "no-macro");
        if (link.GetFieldText(5, text)) {
            out << " field=" << text;
        } else {
            out << " no-field";
        }
        if (link.Frequency(hz)) {
            out << " frequency=" << static_cast<long long>(hz);
        } else {
            out << " no-frequency";
        }
        link.Close();
        run.said = out.str();
        return 0;
    }

    static bool ThreadEnded(void* thread) {
        return WaitForSingleObject(static_cast<HANDLE>(thread), 0) == WAIT_OBJECT_0;
    }

    std::string Probe(bool serve) {
        ProbeRun run;
        HANDLE thread = CreateThread(nullptr, 0, ProbeThread, &run, 0, nullptr);
        if (thread == nullptr) {
            return "no thread";
        }
        const bool ended = serve ? plat::WaitServingHostCalls(ThreadEnded, thread, 10000)
                                 : PumpUntil([thread] { return ThreadEnded(thread); }, 10000);
        if (!ended) {
            Report("the probe is still waiting for the host");
            std::fflush(nullptr);
            ExitProcess(1);  // `run` lives on this stack; never leave it under the thread
        }
        CloseHandle(thread);
        return run.said;
    }

    std::string dll_;
    fs::path scriptFolder_;
    // Declared before the plug-in, so the plug-in is unloaded (and lets go
    // of the object) before the object is gone.
    AutomationObject object_;
    host::Plugin plugin_;
    DWORD cookie_ = 0;
    bool registered_ = false;
    DWORD lastCheck_ = 0;  // GetTickCount() at the last call check
    std::vector<std::unique_ptr<Watcher>> watchers_;
    CRITICAL_SECTION output_;
};

std::string ReadScript(const std::string& path) {
    return testing_support::ReadFileBytes(path);
}

}  // namespace
}  // namespace testhost

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: ui_host <script> <Stats.dll> [<work folder>]\n");
        return 2;
    }
    const std::string scriptText = testhost::ReadScript(argv[1]);
    std::vector<testhost::Statement> script;
    std::string error;
    if (scriptText == "<missing>" || !testhost::ParseScript(scriptText, script, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1],
                     error.empty() ? "cannot read the script" : error.c_str());
        return 2;
    }
    const std::string dll = fs::absolute(argv[2]).string();
    if (argc == 4) {
        fs::create_directories(argv[3]);
        fs::current_path(argv[3]);
    }
    fs::create_directories("Host");
    fs::create_directories("Plugins");

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "cannot enter a single-threaded apartment\n");
        return 1;
    }
    int status = 1;
    {
        testhost::Host host(dll, fs::absolute(argv[1]).parent_path());
        if (host.Start() && host.RunBlock(script) && host.WaitWatchers(10000)) {
            status = 0;
        }
        host.Finish();
        if (status != 0) {
            // Leaves at once: a failed step may have left the plug-in's
            // windows in any state, and the run is over anyway.
            std::fflush(nullptr);
            ExitProcess(static_cast<UINT>(status));
        }
    }
    CoUninitialize();
    return status;
}
