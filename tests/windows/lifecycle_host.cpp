// Loads and unloads Stats.dll the way the host's life does it:
//   lifecycle_host loop <dll> <work folder>
//       100 load, contest-run, unload cycles; each load must start from a
//       fresh state and each unload must really release the library, within
//       2 s also when it closes the panel.
//   lifecycle_host exit <dll> <work folder>
//       a child process ends with the library still loaded while another
//       thread waits inside it in a message box; it must be gone within a
//       second.
// The plug-in writes its files (the bad-QSO file among them) into the
// current folder: the work folder, made afresh for the run.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "host/plugin_host/plugin_loader.h"
#include "tests/support/sample_log.h"
#include "tests/windows/child_process.h"

namespace {

int Loop(const std::string& dll) {
    std::string first;
    for (int cycle = 0; cycle < 100; ++cycle) {
        host::Plugin plugin;
        if (!plugin.Load(dll)) {
            std::fprintf(stderr, "cycle %d: %s\n", cycle, plugin.error().c_str());
            return 1;
        }
        // setVersion lasts as long as the library stays loaded: a text
        // result before it shows the earlier cycle's switch was undone.
        const std::string before = plugin.Result();
        plugin.Reset(sample::Run("DL1XYZ", "DL", 0));
        plugin.Add(sample::Qso("DL2BBB", "DL", "EU", "002", 1));
        plugin.Add(sample::Qso("OK1CCC", "OK", "EU", "003", 2));
        plugin.SetVersion("");
        const std::string result = before + plugin.Result();
        if (cycle == 0) {
            first = result;
        } else if (result != first) {
            std::fprintf(stderr, "cycle %d: state left over from an earlier load\n%s\n", cycle,
                         result.c_str());
            return 1;
        }
        // When the contest run opened the Setup panel, the unload closes it;
        // either way it never takes long.
        const DWORD unloadStart = GetTickCount();
        plugin.Unload();
        const DWORD unloadTook = GetTickCount() - unloadStart;
        if (unloadTook > 2000) {
            std::fprintf(stderr, "cycle %d: the unload took %lu ms\n", cycle,
                         static_cast<unsigned long>(unloadTook));
            return 1;
        }
        if (GetModuleHandleA("Stats.dll") != nullptr) {
            std::fprintf(stderr, "cycle %d: the library stayed loaded after unload\n", cycle);
            return 1;
        }
    }
    std::printf("100 load and unload cycles\n");
    return 0;
}

DWORD WINAPI ShowSetupBox(LPVOID param) {
    static_cast<host::Plugin*>(param)->SetupSet();
    return 0;
}

BOOL CALLBACK FindOwnBox(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[32];
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameA(window, cls, sizeof cls) > 0 && lstrcmpA(cls, "#32770") == 0) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

// The child: the library stays loaded (the plug-in object is never freed)
// and a second thread waits in SetupSet0's box when the process ends.
int ExitChild(const std::string& dll) {
    host::Plugin* plugin = new host::Plugin;
    if (!plugin->Load(dll)) {
        std::fprintf(stderr, "%s\n", plugin->error().c_str());
        return 1;
    }
    plugin->Reset(sample::Run("DL1XYZ", "DL", 0));
    plugin->Add(sample::Qso("DL2BBB", "DL", "EU", "002", 1));
    plugin->Result();
    HANDLE thread = CreateThread(nullptr, 0, ShowSetupBox, plugin, 0, nullptr);
    if (thread == nullptr) {
        return 1;
    }
    bool shown = false;
    for (int i = 0; i < 500 && !shown; ++i) {
        Sleep(10);
        EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&shown));
    }
    std::printf("%s\n", shown ? "ready" : "no box");
    std::fflush(stdout);
    std::exit(shown ? 0 : 1);
}

int Exit(const std::string& self, const std::string& dll) {
    PROCESS_INFORMATION child;
    HANDLE readEnd = nullptr;
    if (!testhost::StartWithOutputPipe("\"" + self + "\" exit-child \"" + dll + "\"", child,
                                       readEnd)) {
        std::fprintf(stderr, "cannot start the child (error %lu)\n", GetLastError());
        return 1;
    }
    std::string said;
    testhost::ReadLine(readEnd, said);
    // From here the child is ending on its own.
    const DWORD waited = WaitForSingleObject(child.hProcess, 1000);
    DWORD code = 1;
    GetExitCodeProcess(child.hProcess, &code);
    if (waited == WAIT_TIMEOUT) {
        TerminateProcess(child.hProcess, 1);
    }
    CloseHandle(child.hProcess);
    CloseHandle(readEnd);
    if (said.rfind("ready", 0) != 0) {
        std::fprintf(stderr, "the child did not get ready: %s\n", said.c_str());
        return 1;
    }
    if (waited != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the process did not end within a second of exiting\n");
        return 1;
    }
    if (code != 0) {
        std::fprintf(stderr, "the child ended with code %lu\n", code);
        return 1;
    }
    std::printf("the process ended with the library loaded\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "exit-child" && argc == 3) {
        return ExitChild(argv[2]);  // in its parent's work folder
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: lifecycle_host loop|exit <dll> <work folder>\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::remove_all(argv[3], error);
    std::filesystem::create_directories(argv[3], error);
    std::filesystem::current_path(argv[3], error);
    if (error) {
        std::fprintf(stderr, "cannot work in %s: %s\n", argv[3], error.message().c_str());
        return 2;
    }
    if (mode == "loop") {
        return Loop(argv[2]);
    }
    if (mode == "exit") {
        char self[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
        return Exit(std::string(self, length), argv[2]);
    }
    return 2;
}
