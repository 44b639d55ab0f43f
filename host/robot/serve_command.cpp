// stats-host serve: the contest's log robot.
#include <httplib.h>
#include <signal.h>
#include <sys/socket.h>

#include <iostream>

#include "host/host_error.h"
#include "host/robot/committee_check.h"
#include "host/robot/http_routes.h"
#include "host/robot/robot.h"
#include "host/robot/score_worker.h"
#include "host/robot/serve_command.h"
#include "host/robot/serve_options.h"

namespace host {
namespace {

// The library listens with a queue of 5 connections; a burst of uploads
// beyond that would be dropped by the kernel and reach the client as a
// connection that breaks off. listen() again on the bound socket widens it.
class RobotServer : public httplib::Server {
  public:
    bool WidenQueue() { return ::listen(svr_sock_, SOMAXCONN) == 0; }
};

}  // namespace

int RunServe(int argc, char** argv) {
    if (argc > 2 && std::string(argv[2]) == "--score-worker") {
        return robot::RunScoreWorker(argc, argv);
    }
    const robot::ServeOptions o = robot::ParseServeArguments(argc, argv);
    // A client that goes away mid-answer must not end the robot.
    ::signal(SIGPIPE, SIG_IGN);
    robot::Robot robot(o, std::cerr);
    std::vector<std::string> checkOptions = {"--cty", o.cty};
    if (!o.plugin.empty()) {
        checkOptions.insert(checkOptions.end(), {"--plugin", o.plugin});
    }
    if (!o.rules.empty()) {
        checkOptions.insert(checkOptions.end(), {"--rules", o.rules});
    }
    robot::CommitteeCheck check(robot, checkOptions);
    RobotServer server;
    // Uploads wait for a free worker; the other requests are answered
    // meanwhile by the threads beyond the workers.
    server.new_task_queue = [] { return new httplib::ThreadPool(32); };
    server.set_read_timeout(30);
    server.set_write_timeout(30);
    robot::AddRoutes(server, robot, check);
    if (!server.bind_to_port(o.host, o.port) || !server.WidenQueue()) {
        throw InputError("cannot listen on " + o.host + ":" + std::to_string(o.port));
    }
    std::cerr << "stats-host: the log robot listens on http://"
              << (o.host.find(':') != std::string::npos ? "[" + o.host + "]" : o.host) << ":"
              << o.port << "/ with its files in " << o.dir << "\n";
    return server.listen_after_bind() ? kExitDone : kExitInternal;
}

}  // namespace host
