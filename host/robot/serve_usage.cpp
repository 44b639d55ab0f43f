// The help text of stats-host serve, in every build.
#include "host/robot/serve_options.h"

namespace host::robot {

const char* const kServeUsage = R"(
  stats-host serve DIR [--listen ADDR:PORT] [--rules classic|2020]
                   [--max-log-bytes N] [--max-uploads-per-hour N]
                   [--trust-proxy] [--cty FILE] [--plugin PATH]

serve     the contest's log robot: a web page on ADDR:PORT (default
          127.0.0.1:8080) where entrants upload their logs, see them scored
          at once and get a receipt. DIR (made if missing) holds logs/ (the
          current log of each call, for check-logs), history/ (every
          accepted upload, by receipt), robot.sqlite (the submissions) and
          committee.token (the committee's key, made at the first start).
          --max-log-bytes caps a log (default 5000000); --max-uploads-per-hour
          caps the uploads of one address (default 0, no cap);
          --trust-proxy takes the address from X-Forwarded-For, as the web
          server in front of the robot passes it.
)";

}  // namespace host::robot
