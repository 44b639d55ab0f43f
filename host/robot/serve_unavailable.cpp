// stats-host serve in a build without the HTTP library and SQLite.
#include "host/host_error.h"
#include "host/robot/serve_command.h"

namespace host {

int RunServe(int, char**) {
    throw InputError("built without the log robot (needs libcpp-httplib-dev, libsqlite3-dev)");
}

}  // namespace host
