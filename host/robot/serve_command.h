// stats-host serve: the contest's log robot.
#pragma once

namespace host {

// argv as main() has it, argv[1] being "serve". Serves until stopped;
// throws a HostError for a robot that cannot start. A build without the
// robot's libraries throws one saying so.
int RunServe(int argc, char** argv);

}  // namespace host
