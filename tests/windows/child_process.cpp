#include "tests/windows/child_process.h"

namespace testhost {

bool StartWithOutputPipe(std::string command, PROCESS_INFORMATION& child, HANDLE& output) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return false;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    child = PROCESS_INFORMATION{};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &child);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }
    CloseHandle(child.hThread);
    child.hThread = nullptr;
    output = readEnd;
    return true;
}

bool ReadLine(HANDLE pipe, std::string& line) {
    line.clear();
    char c = 0;
    DWORD got = 0;
    bool any = false;
    while (ReadFile(pipe, &c, 1, &got, nullptr) && got == 1) {
        any = true;
        if (c == '\n') {
            return true;
        }
        if (c != '\r') {
            line += c;
        }
    }
    return any;
}

}  // namespace testhost
