#include "host/commands/check_command.h"

#include <iostream>

#include "host/commands/output_guard.h"
#include "host/host_error.h"
#include "host/one_log/prepared_log.h"
#include "host/one_log/reports.h"
#include "host/output_files.h"
#include "host/plugin_host/run_folder.h"
#include "host/readers/call_rule.h"
#include "host/readers/country_file.h"
#include "host/readers/log_fields.h"
#include "platform/plain_text.h"

namespace host {
namespace {

// What the plug-in's answer means for this call, band and log.
std::string StatusMeaning(int status, const PreparedLog& p, const Session& session,
                          const std::string& band, const std::string& dxcc) {
    switch (status) {
        case 0:
            return "dupe";
        case 1: {
            if (dxcc.empty()) {
                return "no country: the call resolves to no DXCC entity";
            }
            bool worked = false;
            for (size_t k = 0; k < p.passed.size() && !worked; ++k) {
                worked = session.Stored(k) && p.qsos[p.passed[k]].band == band;
            }
            if (worked) {
                return "not a dupe, no new multiplier: " + band + " already has DXCC " + dxcc;
            }
            return "not a dupe, no new multiplier: " + band + " has no QSO yet";
        }
        case 2:
            return "new multiplier: not a dupe, and no QSO on " + band + " has DXCC " + dxcc;
        case 4:
            return "invalid band or mode";
        default:
            return "an answer the plug-in does not give";
    }
}

}  // namespace

int RunCheck(const Options& o) {
    const PreparedLog p = PrepareLog(o);
    if (!p.nothingUsable.empty()) {
        throw InputError(p.nothingUsable);
    }
    const std::string broken = BrokenCallRule(o.checkCall, p.run.ownCall);
    if (!broken.empty()) {
        throw InputError("CALL '" + o.checkCall + "' is no call: " + broken);
    }
    const std::string plugin = PluginPath(o);
    RefuseOverwrites(o, p, plugin);
    const std::string folder = EnterOutFolder(o.out);
    ChooseRulesInFolder(o.rules);
    WarnUnresolved(p);
    Session session(MakeSetup(o, p, plugin, folder));
    session.Replay();

    const std::string call = o.checkCall;
    const std::string band = plat::AsciiLower(o.band);
    const std::string mode = ContestMode(o.mode);
    Country country;
    const bool resolved = p.countries.Resolve(call, country);

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
        for (size_t k = 0; k < p.passed.size(); ++k) {
            if (session.Stored(k) && p.qsos[p.passed[k]].call == call) {
                previous = p.qsos[p.passed[k]].exchRcvd;
            }
        }
    }
    std::cout << call << " on " << band << " " << mode << ": "
              << StatusMeaning(answer.status, p, session, band, country.prefix) << " (status "
              << answer.status << ")\n";
    if (resolved) {
        std::cout << "DXCC: " << country.prefix << " (" << country.name << ", " << country.continent
                  << ")\n";
    } else {
        std::cout << "DXCC: none (the country file knows no entity for the call)\n";
    }
    std::cout << "previous exchange: " << (previous.empty() ? "(none)" : previous) << "\n";
    FlushStandardOutput();
    ReportClosing(p, session, CollectProblems(p, session), std::string(), std::string());
    if (answer.status < 0 || answer.status > 9) {
        throw HostError(kExitInternal, "the plug-in answered with status " +
                                           std::to_string(answer.status) +
                                           ", which it never gives");
    }
    return kExitCheckBase + answer.status;
}

}  // namespace host
