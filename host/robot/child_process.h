// stats-host run again as a child process, its output to files, waited for
// at most a given time.
#pragma once

#include <string>
#include <vector>

namespace host::robot {

struct ChildEnd {
    bool started = false;
    bool timedOut = false;
    int status = 0;  // as waitpid() gives it
};

// Runs this program with args (args[0] is its name), standard input from
// /dev/null, standard output to /dev/null, standard error to errors; kills
// it after timeoutSeconds.
ChildEnd RunThisProgram(std::vector<std::string> args, const std::string& errors,
                        int timeoutSeconds);

}  // namespace host::robot
