#include "host/commands/command_line.h"

#include <filesystem>
#include <regex>
#include <set>
#include <vector>

#include "host/commands/check_logs_options.h"
#include "host/host_error.h"
#include "host/one_log/contest_period.h"
#include "host/plugin_host/header_answers.h"
#include "platform/plain_text.h"

namespace host {

namespace {

const char* const kUsage = R"(Usage:
  stats-host score LOG [options]
  stats-host check LOG CALL --band BAND --mode MODE [options]
  stats-host check-logs DIR [options]
  stats-host --help
  stats-host --version

Scores a YU DX HF contest log through the Stats plug-in, loaded and called
as the logging program does. LOG is a Cabrillo 3.0 log or an ADIF (.adi)
file; the format is told from the content. Calls are read in capitals.

score     prints the plug-in's summary: per band QSOs, QSO points, DXCC and
          YU county multipliers, then totals, dupes, bad QSOs, the score
          (points x (DXCC + counties)), the last QSO's points and the rates.
check     replays the log, then asks the plug-in about CALL as the logging
          program does while a call is typed, and prints its answer
          with the exchange the station sent last time; it exits with 10
          plus the plug-in's status:
            10  dupe: a QSO with CALL on this band and mode is stored
            11  not a dupe and no new multiplier: the band has the entity
                already, or has no QSO yet; also the answer for a call that
                resolves to no DXCC entity
            12  new multiplier: not a dupe, and the band has QSOs but none
                with the call's DXCC entity
            14  a band or mode the contest does not have

Options:
  --out DIR       folder the plug-in writes into (default ./stats-out): the
                  bad-QSO file BadQSO_DozudODODER_<end date>.txt, the
                  plug-in's settings Plugins/DI-VE-RI.ini and, with --report,
                  the Cabrillo file <CALL>.cbr. The host also writes its
                  settings file Larq2.ini there. A folder that cannot be
                  written stops the run before the log is replayed.
  --html FILE     also write the summary as an HTML page to FILE (score).
  --problems FILE write every QSO that did not score, or scored on incomplete
                  data, to FILE as LOG:LINE: kind: detail (score).
  --json FILE     write the summary as JSON to FILE (score).
  --page FILE     write a page to look at to FILE (score): the summary, the
                  QSOs and points per hour as a chart, the multipliers per
                  band, CW and SSB per band and the problems; one HTML file.
  --timings       each stage's wall and CPU time and the peak memory so far,
                  on standard error (score, check-logs).
  --report        a report run (score): the plug-in writes the Cabrillo file.
                  Its header form takes the log's own header, then the
                  --header answers, then for what neither gives the answers
                  saved for the same call in DIR/Plugins/DI-VE-RI.ini.
  --header KEY=VALUE
                  answer one field of the Cabrillo header form; KEY is the
                  form's label: NAME, ADDRESS, ADDRESS-CITY,
                  ADDRESS-STATE-PROVINCE, ADDRESS-POSTALCODE, ADDRESS-COUNTRY,
                  OPERATORS, CLUB, E-MAIL, SOAPBOX, CATEGORY-OPERATOR,
                  CATEGORY-ASSISTED, CATEGORY-BAND, CATEGORY-MODE,
                  CATEGORY-POWER, CATEGORY-STATION, CATEGORY-TRANSMITTER,
                  CATEGORY-OVERLAY, LOCATION. A field with a list takes one
                  of its values. May be repeated.
  --call CALL     own call sign (default: the own call most QSO lines carry;
                  one that differs from it is named in a warning).
  --start TIME    contest start, UTC: YYYY-MM-DD (12:00, with --rules 2020
                  07:00), or the date and HH, HH:MM or HHMM, e.g.
                  "2026-02-14 12:00". Years 1900 to 9999. Default: of the
                  24-hour periods that start on a Saturday at 07:00 or 12:00
                  UTC (with --rules 2020 at 07:00 only), the one that holds
                  the most QSOs on 80m to 10m in CW or SSB (a tie on one
                  Saturday: 12:00; among Saturdays: the one a header date
                  names, else the earliest).
  --end TIME      contest end (default: 24 hours after the start; with
                  --end alone, the start is 24 hours before it).
  --all-qsos      pass the QSOs outside the contest period to the plug-in
                  too (they are still listed as problems).
  --cty FILE      country file, cty.dat or cty.csv format
                  (default /usr/share/hamradio-files/cty.dat).
  --plugin PATH   the plug-in library (default: next to stats-host, else the
                  one this build made).
  --band BAND     band of the call to check: 80m, 40m, 20m, 15m, 10m (check).
  --mode MODE     mode of the call to check: CW or SSB (PH also) (check).
  --rules RULES   classic (default): the plug-in's own rules; 2020: the
                  contest's rules since 2020 (a YU/YT entrant's multipliers
                  are DXCC entities only, a serial number that is no number
                  makes a bad QSO, a single-band entry scores its
                  CATEGORY-BAND alone, the period starts at 07:00 UTC). The
                  choice is written into DIR/Plugins/DI-VE-RI.ini as Rules.

The DXCC entity and continent of each call come from the country file:
exact calls, prefixes, portable forms (9A/YU1ABC, YU1ABC/P); /MM and /AM
stations and calls the file does not know are passed with no DXCC prefix.
Log lines that cannot be read are reported as file:line: reason and
skipped; QSOs outside the contest period are counted and left out.
QSOs are replayed in time order. Standard error ends with how many QSOs were
read, fell in the contest period (named) and were stored, and a count of each
kind of problem: unreadable,
outside period, no country (the host's), wrong band, wrong mode, no
exchange, no county, dupe (the plug-in's, from its bad-QSO file).

Exit status: 0 done (score); 10 to 14 the answer of check; 1 the plug-in
could not be loaded; 2 bad input (usage, an option given twice, a log or
country file that cannot be read, a log of which no QSO line can be used, an unknown header field or value, an output that would overwrite
an input, an output that cannot be written); 3 a fault inside stats-host
itself (reported as such).
)";

// A call as a logging program's entry field shows it: in capitals, without
// surrounding blanks.
std::string UpperCall(const std::string& text) {
    return plat::AsciiUpper(plat::TrimBlanks(text));
}

bool Matches(const std::string& text, const char* pattern) {
    return std::regex_match(text, std::regex(pattern, std::regex::icase));
}

// A band as the host names it, "20m", and a mode that is a word: anything
// else is a typing error, not a band or mode the contest lacks.
void CheckBandAndMode(const std::string& band, const std::string& mode) {
    if (!Matches(band, "[0-9]+m")) {
        throw InputError("--band '" + band + "' is not a band such as 20m (metres, then m)");
    }
    if (!Matches(mode, "[a-z][a-z0-9]*")) {
        throw InputError("--mode '" + mode + "' is not a mode such as CW or SSB");
    }
}

// The values that can be checked without the log: checked before anything
// is read or written, so that a refused run leaves every file as it was.
void CheckValues(const Options& o) {
    if (!o.start.empty() || !o.end.empty()) {
        ChoosePeriod(o.start, o.end, {}, {}, o.log);
    }
    const std::string refused = RefusedHeaderOptions(o.header);
    if (!refused.empty()) {
        throw InputError(refused);
    }
}

}  // namespace

const char* UsageText() {
    return kUsage;
}

Options ParseArguments(int argc, char** argv) {
    Options o;
    std::vector<std::string> positional;
    std::set<std::string> given;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // One value per option: a second would silently win. --header
        // answers one field each time.
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0 && arg != "--header" &&
            !given.insert(arg).second) {
            throw InputError(arg + " is given twice; give it once");
        }
        // No option takes a value that starts with "--": such a word is the
        // next option, and the value was left out.
        auto value = [&](const char* name) {
            if (i + 1 >= argc) {
                throw InputError(std::string(name) + " needs a value");
            }
            std::string next = argv[i + 1];
            if (next.rfind("--", 0) == 0) {
                throw InputError(std::string(name) + " needs a value, not the option " + next);
            }
            if (next.empty()) {
                throw InputError(std::string(name) + " needs a value, not an empty text");
            }
            ++i;
            return next;
        };
        if (arg == "--help" || arg == "-h") {
            o.command = "help";
            return o;
        } else if (arg == "--version") {
            o.command = "version";
            return o;
        } else if (arg == "--out") {
            o.out = value("--out");
            o.outGiven = true;
        } else if (arg == "--csv" || arg == "--site" || arg == "--time-window" ||
                   arg == "--uniques") {
            ParseCheckLogsOption(arg, value(arg.c_str()), o);
        } else if (arg == "--html") {
            o.html = value("--html");
        } else if (arg == "--problems") {
            o.problems = value("--problems");
        } else if (arg == "--json") {
            o.json = value("--json");
        } else if (arg == "--page") {
            o.page = value("--page");
        } else if (arg == "--all-qsos") {
            o.allQsos = true;
        } else if (arg == "--report") {
            o.report = true;
        } else if (arg == "--timings") {
            o.timings = true;
        } else if (arg == "--header") {
            const std::string kv = value("--header");
            const size_t eq = kv.find('=');
            if (eq == std::string::npos || eq == 0) {
                throw InputError("--header wants KEY=VALUE, got '" + kv + "'");
            }
            const std::string key = kv.substr(0, eq);
            if (key == "CALLSIGN" || key == "CONTEST" || key == "CLAIMED") {
                throw InputError("--header " + key +
                                 ": the run decides it (the own call, the contest, the score); "
                                 "give the own call with --call");
            }
            o.header[key] = kv.substr(eq + 1);
        } else if (arg == "--call") {
            o.call = value("--call");
        } else if (arg == "--start") {
            o.start = value("--start");
        } else if (arg == "--end") {
            o.end = value("--end");
        } else if (arg == "--cty") {
            o.cty = value("--cty");
        } else if (arg == "--plugin") {
            o.plugin = value("--plugin");
        } else if (arg == "--band") {
            o.band = value("--band");
        } else if (arg == "--mode") {
            o.mode = value("--mode");
        } else if (arg == "--rules") {
            const std::string rules = value("--rules");
            if (rules != "classic" && rules != "2020") {
                throw InputError("--rules '" + rules +
                                 "' is neither classic (the plug-in's own) nor 2020");
            }
            o.rules = rules == "2020" ? RuleSet::k2020 : RuleSet::kClassic;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw InputError("unknown option " + arg + " (see stats-host --help)");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty()) {
        throw InputError("no command given (see stats-host --help)");
    }
    o.command = positional[0];
    if (o.command == "score") {
        if (positional.size() != 2) {
            throw InputError("score wants exactly one LOG");
        }
        if (!o.band.empty() || !o.mode.empty()) {
            throw InputError("--band and --mode belong to check");
        }
    } else if (o.command == "check") {
        if (positional.size() != 3) {
            throw InputError("check wants LOG and CALL");
        }
        if (o.band.empty() || o.mode.empty()) {
            throw InputError("check wants --band and --mode");
        }
        if (o.report || !o.html.empty() || !o.problems.empty() || !o.json.empty() ||
            !o.page.empty()) {
            throw InputError("--report, --html, --problems, --json and --page belong to score");
        }
        o.checkCall = UpperCall(positional[2]);
        if (o.checkCall.empty()) {
            throw InputError("check wants a CALL, not an empty text");
        }
        CheckBandAndMode(o.band, o.mode);
    } else if (o.command == "check-logs") {
        CheckCheckLogsArguments(positional.size(), o);
    } else {
        throw InputError("unknown command '" + o.command + "' (see stats-host --help)");
    }
    if (o.timings && o.command != "check-logs" && o.command != "score") {
        throw InputError("--timings belongs to score and check-logs");
    }
    if (!o.header.empty() && !o.report) {
        throw InputError("--header answers the form of a report run: add --report");
    }
    o.log = positional[1];
    o.call = UpperCall(o.call);
    CheckValues(o);
    // The run works inside the output folder: every path is taken from
    // where stats-host was started.
    for (std::string* path : {&o.log, &o.out, &o.html, &o.problems, &o.json, &o.page, &o.csv,
                              &o.site, &o.cty, &o.plugin}) {
        if (!path->empty()) {
            *path = std::filesystem::absolute(*path).string();
        }
    }
    return o;
}

}  // namespace host
