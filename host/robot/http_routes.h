// The robot's HTTP routes: the entrant's pages and API, the committee's API
// behind its token, and the limits every request meets before its body is
// read.
#pragma once

namespace httplib {
class Server;
}

namespace host::robot {

class Robot;
class CommitteeCheck;

void AddRoutes(httplib::Server& server, Robot& robot, CommitteeCheck& check);

}  // namespace host::robot
