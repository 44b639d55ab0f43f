// stats-host check: replays the log, then asks the plug-in about one call as
// the logging program does while the call is typed.
#include <cctype>
#include <iostream>

#include "host/commands.h"
#include "host/country_file.h"
#include "host/host_error.h"
#include "host/prepared_log.h"
#include "host/run_folder.h"

namespace host {
namespace {

const char* StatusMeaning(int status) {
    switch (status) {
        case 0:
            return "dupe";
        case 1:
            return "known";
        case 2:
            return "new multiplier";
        case 4:
            return "invalid";
        default:
            return "unexpected answer";
    }
}

}  // namespace

int RunCheck(const Options& o) {
    const PreparedLog p = PrepareLog(o);
    const std::string plugin = PluginPath(o);
    const std::string folder = EnterOutFolder(o.out);
    WarnUnresolved(p);
    Session session(MakeSetup(o, p, plugin, folder));
    session.Replay();

    const std::string call = o.checkCall;
    std::string band = o.band;
    for (char& c : band) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::string mode = ContestMode(o.mode);
    CountryResolver countries;
    std::string error;
    Country country;
    const bool resolved = countries.LoadFile(o.cty, error) && countries.Resolve(call, country);

    CallCheck check;
    check.call = call;
    check.mode = mode;
    check.dxcc = country.prefix;
    check.band = band.c_str();
    check.secondBand = band.c_str();
    const CallCheckAnswer answer = session.Check(check);

    // A dupe leaves the exchange buffer alone; the last stored QSO of the
    // call tells what the station sent.
    std::string previous = answer.prevExchange;
    if (answer.status == 0) {
        for (size_t i = 0; i < p.qsos.size(); ++i) {
            if (session.Stored(i) && p.qsos[i].call == call) {
                previous = p.qsos[i].exchRcvd;
            }
        }
    }
    std::cout << call << " on " << band << " " << mode << ": " << StatusMeaning(answer.status)
              << " (status " << answer.status << ")\n";
    if (resolved) {
        std::cout << "DXCC: " << country.prefix << " (" << country.name << ", " << country.continent
                  << ")\n";
    } else {
        std::cout << "DXCC: none (the call did not resolve; the plug-in answers known)\n";
    }
    std::cout << "previous exchange: " << (previous.empty() ? "(none)" : previous) << "\n";
    ReportClosing(p, session, folder);
    return kExitDone;
}

}  // namespace host
