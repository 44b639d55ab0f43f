// stats-host: loads the scoring plug-in as the logging program does and
// replays a Cabrillo or ADIF log through it, so a YU DX log can be scored (or
// a call checked against it) from the command line.
#include <exception>
#include <iostream>
#include <string>

#include "host/commands/check_command.h"
#include "host/commands/check_logs_command.h"
#include "host/commands/check_logs_options.h"
#include "host/commands/command_line.h"
#include "host/commands/score_command.h"
#include "host/host_error.h"
#include "host/robot/serve_command.h"
#include "host/robot/serve_options.h"
#include "stats_version.h"

int main(int argc, char** argv) {
    try {
        if (argc > 1 && std::string(argv[1]) == "serve") {
            return host::RunServe(argc, argv);
        }
        const host::Options o = host::ParseArguments(argc, argv);
        if (o.command == "help") {
            std::cout << host::UsageText() << host::kCheckLogsUsage << host::robot::kServeUsage;
            return host::kExitDone;
        }
        if (o.command == "version") {
            std::cout << "stats-host " STATS_VERSION "\n";
            return host::kExitDone;
        }
        if (o.command == "check-logs") {
            return host::RunCheckLogs(o);
        }
        return o.command == "score" ? host::RunScore(o) : host::RunCheck(o);
    } catch (const host::HostError& e) {
        std::cerr << "stats-host: " << e.what() << "\n";
        return e.status();
    } catch (const std::exception& e) {
        std::cerr << "stats-host: internal error: " << e.what() << "\n";
        return host::kExitInternal;
    }
}
