// The command line of stats-host serve: the robot's folder, where it
// listens, the rules it scores by and its limits.
#pragma once

#include <cstdint>
#include <string>

namespace host::robot {

struct ServeOptions {
    std::string dir;  // absolute
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string rules;  // as given; empty scores by the plug-in's own rules
    std::uint64_t maxLogBytes = 5000000;
    std::string cty;
    std::string plugin;
    int maxUploadsPerHour = 0;  // per address; 0 is no limit
    bool trustProxy = false;
};

extern const char* const kServeUsage;

// Throws InputError for a command line that cannot be run; argv[1] is
// "serve".
ServeOptions ParseServeArguments(int argc, char** argv);

}  // namespace host::robot
