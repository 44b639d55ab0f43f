// A child process whose standard output this process reads line by line:
// the Windows test programs run another copy of themselves that ends with
// the library loaded, and time its end.
#pragma once

#include <windows.h>

#include <string>

namespace testhost {

// Starts `command` with standard output into a pipe (`output`, ours to
// close) and the other standard handles inherited; false when it could not
// start. The child's thread handle is closed already.
bool StartWithOutputPipe(std::string command, PROCESS_INFORMATION& child, HANDLE& output);

// One line from the pipe without its CR LF; false at its end.
bool ReadLine(HANDLE pipe, std::string& line);

}  // namespace testhost
