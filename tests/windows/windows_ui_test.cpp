// The plug-in's window toolkit on Windows, under Wine on a virtual display:
//   windows_ui_test <folder>   dialogs from tables, drawing, and the header
//                              form (whose settings file goes into <folder>)
#include <cstdio>
#include <string>

#include "tests/windows/ui_test_support.h"

namespace uitest {
void TestDialogs();
void TestHeaderForm(const std::string& folder);
}  // namespace uitest

namespace {

// A window test that stops making progress must not hold up the suite.
DWORD WINAPI Watchdog(LPVOID) {
    Sleep(60000);
    std::fprintf(stderr, "the window test did not finish within a minute\n");
    std::fflush(stderr);
    ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: windows_ui_test <folder>\n");
        return 2;
    }
    CloseHandle(CreateThread(nullptr, 0, &Watchdog, nullptr, 0, nullptr));
    uitest::TestDialogs();
    uitest::TestHeaderForm(argv[1]);
    const int failures = uitest::Failures();
    std::printf("%s (%d failed checks)\n", failures == 0 ? "passed" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
