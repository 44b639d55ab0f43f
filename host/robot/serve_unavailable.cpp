// stats-host serve in a build without the HTTP library and SQLite.
#include "host/commands/commands.h"
#include "host/host_error.h"

namespace host {

int RunServe(int, char**) {
    throw InputError("built without the log robot (needs libcpp-httplib-dev, libsqlite3-dev)");
}

}  // namespace host
