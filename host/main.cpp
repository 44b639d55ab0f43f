// stats-host: loads the scoring plug-in as the logging program does and
// replays a Cabrillo or ADIF log through it, so a YU DX log can be scored (or
// a call checked against it) from the command line.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/console.h"
#include "host/country_file.h"
#include "host/log_reader.h"
#include "host/session.h"
#include "platform/ole_date.h"

#ifndef STATS_DEFAULT_PLUGIN
#define STATS_DEFAULT_PLUGIN ""
#endif

namespace fs = std::filesystem;

namespace {

const int kExitPlugin = 1;
const int kExitInput = 2;

const char* const kDefaultCty = "/usr/share/hamradio-files/cty.dat";
// The host version the plug-in reads from the host's settings file: one of
// the hosts that show no plug-in windows, since this host has no screen.
const char* const kHostVersion = "2.18";

const char* const kUsage = R"(Usage:
  stats-host score LOG [options]
  stats-host check LOG CALL --band BAND --mode MODE [options]
  stats-host --help

Scores a YU DX HF contest log through the Stats plug-in, loaded and called
as the logging program does. LOG is a Cabrillo 3.0 log or an ADIF (.adi)
file; the format is told from the content.

score     prints the plug-in's summary: per band QSOs, QSO points, DXCC and
          YU county multipliers, then totals, dupes, bad QSOs, the score
          (points x (DXCC + counties)), the last QSO's points and the rates.
check     replays the log, then asks the plug-in about CALL as the logging
          program does while a call is typed: dupe, new multiplier (a DXCC
          entity not yet worked on the band), known, or invalid (band or mode
          outside the contest), with the exchange the station sent last time.

Options:
  --out DIR       folder the plug-in writes into (default ./stats-out): the
                  bad-QSO file BadQSO_DozudODODER_<end date>.txt, the
                  plug-in's settings Plugins/DI-VE-RI.ini and, with --report,
                  the Cabrillo file <CALL>.cbr. The host also writes its
                  settings file Larq2.ini there.
  --html FILE     also write the summary as an HTML page to FILE (score).
  --report        a report run (score): the plug-in writes the Cabrillo file.
                  Its header form starts from the answers saved in
                  DIR/Plugins/DI-VE-RI.ini by the last report run, and the
                  host confirms it with the --header answers applied.
  --header KEY=VALUE
                  answer one field of the Cabrillo header form; KEY is the
                  form's label: NAME, ADDRESS, ADDRESS-CITY,
                  ADDRESS-STATE-PROVINCE, ADDRESS-POSTALCODE, ADDRESS-COUNTRY,
                  OPERATORS, CLUB, E-MAIL, SOAPBOX, CATEGORY-OPERATOR,
                  CATEGORY-ASSISTED, CATEGORY-BAND, CATEGORY-MODE,
                  CATEGORY-POWER, CATEGORY-STATION, CATEGORY-TRANSMITTER,
                  CATEGORY-OVERLAY, LOCATION, CALLSIGN. May be repeated.
  --call CALL     own call sign (default: the log's CALLSIGN: header or
                  STATION_CALLSIGN, else the own call of the first QSO).
  --start TIME    contest start, YYYY-MM-DD or YYYY-MM-DD HH:MM, UTC
                  (default: the Saturday 12:00 UTC at or before the first QSO).
  --end TIME      contest end (default: 24 hours after the start, or the
                  Sunday 12:00 UTC at or after the last QSO if that is later).
  --cty FILE      country file, cty.dat or cty.csv format
                  (default /usr/share/hamradio-files/cty.dat).
  --plugin PATH   the plug-in library (default: next to stats-host, else the
                  one this build made).
  --band BAND     band of the call to check: 80m, 40m, 20m, 15m, 10m (check).
  --mode MODE     mode of the call to check: CW or SSB (PH also) (check).

The DXCC entity and continent of each call come from the country file:
exact calls, prefixes, portable forms (9A/YU1ABC, YU1ABC/P); /MM and /AM
stations and calls the file does not know count in a warning and are
passed with no DXCC prefix. Log lines that cannot be read are reported as
file:line: reason and skipped; the rest is scored. Standard error ends with
how many QSOs the plug-in stored, flagged (dupes, YU stations without a
county) and rejected (band or mode outside the contest, missing exchange).

Exit status: 0 done; 1 the plug-in could not be loaded; 2 bad input (usage,
a log that cannot be read, a missing country file, an unknown header field).
)";

struct InputError {
    std::string message;
};

struct Options {
    std::string command;
    std::string log;
    std::string checkCall;
    std::string out = "stats-out";
    std::string html;
    bool report = false;
    std::map<std::string, std::string> header;
    std::string call;
    std::string start;
    std::string end;
    std::string cty = kDefaultCty;
    std::string plugin;
    std::string band;
    std::string mode;
};

Options ParseArguments(int argc, char** argv) {
    Options o;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) {
            if (i + 1 >= argc) {
                throw InputError{std::string(name) + " needs a value"};
            }
            return std::string(argv[++i]);
        };
        if (arg == "--help" || arg == "-h") {
            o.command = "help";
            return o;
        } else if (arg == "--out") {
            o.out = value("--out");
        } else if (arg == "--html") {
            o.html = value("--html");
        } else if (arg == "--report") {
            o.report = true;
        } else if (arg == "--header") {
            const std::string kv = value("--header");
            const size_t eq = kv.find('=');
            if (eq == std::string::npos || eq == 0) {
                throw InputError{"--header wants KEY=VALUE, got '" + kv + "'"};
            }
            o.header[kv.substr(0, eq)] = kv.substr(eq + 1);
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
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw InputError{"unknown option " + arg + " (see stats-host --help)"};
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty()) {
        throw InputError{"no command given (see stats-host --help)"};
    }
    o.command = positional[0];
    if (o.command == "score") {
        if (positional.size() != 2) {
            throw InputError{"score wants exactly one LOG"};
        }
        if (!o.band.empty() || !o.mode.empty()) {
            throw InputError{"--band and --mode belong to check"};
        }
    } else if (o.command == "check") {
        if (positional.size() != 3) {
            throw InputError{"check wants LOG and CALL"};
        }
        if (o.band.empty() || o.mode.empty()) {
            throw InputError{"check wants --band and --mode"};
        }
        if (o.report || !o.html.empty()) {
            throw InputError{"--report and --html belong to score"};
        }
        o.checkCall = positional[2];
    } else {
        throw InputError{"unknown command '" + o.command + "' (see stats-host --help)"};
    }
    if (!o.header.empty() && !o.report) {
        throw InputError{"--header answers the form of a report run: add --report"};
    }
    o.log = positional[1];
    return o;
}

// "2026-12-05", "2026-12-05 12:00", "2026-12-05T1200"; a date alone means
// 12:00 UTC, when the contest starts and ends.
StatsDate ParseWhen(const std::string& text, const char* option) {
    int y = 0, mo = 0, d = 0, h = 12, mi = 0;
    char tail[8] = {};
    const int n =
        std::sscanf(text.c_str(), "%4d-%2d-%2d%*1[ T]%2d%*[:]%2d%7s", &y, &mo, &d, &h, &mi, tail);
    int n2 = 0;
    if (n < 5) {
        h = 12;
        mi = 0;
        int hhmm = 0;
        n2 = std::sscanf(text.c_str(), "%4d-%2d-%2d%*1[ T]%4d%7s", &y, &mo, &d, &hhmm, tail);
        if (n2 == 4) {
            h = hhmm / 100;
            mi = hhmm % 100;
        }
    }
    const bool shapeOk = (n == 5) || (n2 == 4) || (n == 3 && text.size() == 10);
    StatsDate date = host::MakeDate(y, mo, d, h, mi);
    if (!shapeOk || date.m_status != plat::kDateValid) {
        throw InputError{std::string(option) + " '" + text +
                         "' is not YYYY-MM-DD or YYYY-MM-DD HH:MM"};
    }
    return date;
}

StatsDate DayCount(double days) {
    StatsDate d;
    d.m_dt = days;
    return d;
}

// Day 0 of the day count, 30 December 1899, was a Saturday.
double SaturdayNoonAtOrBefore(double t) {
    return std::floor((t - 0.5) / 7.0) * 7.0 + 0.5;
}
double SundayNoonAtOrAfter(double t) {
    return std::ceil((t - 1.5) / 7.0) * 7.0 + 1.5;
}

std::string FormatWhen(const StatsDate& d) {
    return plat::FormatOleDate(d, "%Y-%m-%d %H:%M");
}

struct Prepared {
    host::ContestLog log;
    host::ContestRun run;
    std::vector<host::QsoFields> qsos;
    std::set<std::string> unresolved;
};

Prepared Prepare(const Options& o) {
    Prepared p;
    std::string error;
    if (!host::ReadLogFile(o.log, p.log, error)) {
        throw InputError{error};
    }
    for (const std::string& problem : p.log.problems) {
        std::cerr << problem << " (skipped)\n";
    }
    host::CountryResolver countries;
    std::error_code ignored;
    if (!fs::exists(o.cty, ignored)) {
        throw InputError{o.cty +
                         ": country file missing; install it with "
                         "'apt-get install hamradio-files' or name one with --cty"};
    }
    if (!countries.LoadFile(o.cty, error)) {
        throw InputError{error};
    }

    std::string ownCall = o.call;
    if (ownCall.empty()) {
        ownCall = p.log.ownCall;
    }
    if (ownCall.empty() && !p.log.qsos.empty()) {
        ownCall = p.log.qsos.front().ownCall;
    }
    if (ownCall.empty()) {
        throw InputError{o.log + ": the log names no own call; give it with --call"};
    }
    p.run.ownCall = ownCall;
    host::Country own;
    if (countries.Resolve(ownCall, own)) {
        p.run.ownDxcc = own.prefix;
        p.run.ownContinent = own.continent;
    } else {
        p.unresolved.insert(ownCall);
    }

    double first = 0.0;
    double last = 0.0;
    for (const host::LogQso& q : p.log.qsos) {
        host::QsoFields f;
        f.ownCall = !o.call.empty() || q.ownCall.empty() ? ownCall : q.ownCall;
        f.call = q.call;
        f.time = host::MakeDate(q.time.year, q.time.month, q.time.day, q.time.hour, q.time.minute,
                                q.time.second);
        f.frequencyHz = q.frequencyHz;
        f.mode = q.mode;
        f.band = q.band;
        f.rstSent = q.rstSent;
        f.rstRcvd = q.rstRcvd;
        f.exchSent = q.exchSent;
        f.exchRcvd = q.exchRcvd;
        host::Country c;
        if (countries.Resolve(q.call, c)) {
            f.dxcc = c.prefix;
            f.continent = c.continent;
        } else {
            p.unresolved.insert(q.call);
        }
        if (p.qsos.empty() || f.time.m_dt < first) {
            first = f.time.m_dt;
        }
        if (p.qsos.empty() || f.time.m_dt > last) {
            last = f.time.m_dt;
        }
        p.qsos.push_back(f);
    }

    if (!o.start.empty()) {
        p.run.start = ParseWhen(o.start, "--start");
    }
    if (!o.end.empty()) {
        p.run.end = ParseWhen(o.end, "--end");
    }
    if (o.start.empty() && o.end.empty()) {
        if (p.qsos.empty()) {
            throw InputError{o.log + ": the log holds no QSO to date the contest; give --start"};
        }
        p.run.start = DayCount(SaturdayNoonAtOrBefore(first));
        p.run.end = DayCount(std::max(p.run.start.m_dt + 1.0, SundayNoonAtOrAfter(last)));
    } else if (o.end.empty()) {
        p.run.end = DayCount(p.run.start.m_dt + 1.0);
    } else if (o.start.empty()) {
        p.run.start = DayCount(p.run.end.m_dt - 1.0);
    }
    if (p.run.end.m_dt < p.run.start.m_dt) {
        throw InputError{"the contest ends (" + FormatWhen(p.run.end) + ") before it starts (" +
                         FormatWhen(p.run.start) + ")"};
    }
    return p;
}

std::string PluginPath(const Options& o) {
    if (!o.plugin.empty()) {
        return fs::absolute(o.plugin).string();
    }
    const std::string folder = host::ExecutableFolder();
    std::error_code ignored;
    if (!folder.empty()) {
        const fs::path beside = fs::path(folder) / host::PluginFileName();
        if (fs::exists(beside, ignored)) {
            return beside.string();
        }
    }
    return STATS_DEFAULT_PLUGIN;
}

// The host's folder: the plug-in writes into the current directory, so the
// host works from inside it, with its settings file and the Plugins folder.
std::string EnterOutFolder(const std::string& out) {
    std::error_code error;
    const fs::path dir = fs::absolute(out);
    fs::create_directories(dir / "Plugins", error);
    if (error) {
        throw InputError{dir.string() + ": cannot create the output folder: " + error.message()};
    }
    std::ofstream ini(dir / "Larq2.ini", std::ios::binary | std::ios::trunc);
    ini << "[Larq]\r\nLarq=" << kHostVersion << "\r\n";
    fs::current_path(dir, error);
    if (error) {
        throw InputError{dir.string() + ": cannot enter the output folder: " + error.message()};
    }
    std::string folder = dir.string();
    folder += static_cast<char>(fs::path::preferred_separator);
    return folder;
}

class ProgressBar {
  public:
    explicit ProgressBar(size_t total)
        : total_(total), shown_(host::StderrIsTerminal() && total >= 2000) {}
    ~ProgressBar() {
        if (shown_ && drawn_) {
            std::fprintf(stderr, "\r%60s\r", "");
        }
    }
    void Update(size_t done) {
        if (!shown_ || total_ == 0) {
            return;
        }
        const int percent = static_cast<int>(done * 100 / total_);
        if (percent == last_) {
            return;
        }
        last_ = percent;
        drawn_ = true;
        const int filled = percent * 30 / 100;
        std::fprintf(stderr, "\r[%-30s] %3d%% %zu/%zu QSOs", std::string(filled, '#').c_str(),
                     percent, done, total_);
        std::fflush(stderr);
    }

  private:
    size_t total_;
    bool shown_;
    bool drawn_ = false;
    int last_ = -1;
};

std::string WithoutCr(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') {
            out += c;
        }
    }
    return out;
}

void ReportClosing(const Prepared& p, const host::Session& s, const std::string& outFolder) {
    const host::SessionCounts& c = s.counts();
    std::cerr << "stats-host: " << c.stored << " QSOs stored, " << c.flagged << " flagged, "
              << c.rejected << " rejected, " << p.log.problems.size() << " lines skipped, "
              << p.unresolved.size() << " calls did not resolve";
    if (c.flagged + c.rejected > 0) {
        std::cerr << " (see " << outFolder << s.BadQsoFileName() << ")";
    }
    std::cerr << "\n";
}

void WarnUnresolved(const Prepared& p) {
    if (p.unresolved.empty()) {
        return;
    }
    std::cerr << "stats-host: warning: " << p.unresolved.size()
              << " calls did not resolve to a DXCC entity and were passed without one:";
    size_t shown = 0;
    for (const std::string& call : p.unresolved) {
        if (shown++ == 10) {
            std::cerr << " ...";
            break;
        }
        std::cerr << " " << call;
    }
    std::cerr << "\n";
}

host::SessionSetup MakeSetup(const Options& o, const Prepared& p, const std::string& plugin,
                             const std::string& folder) {
    host::SessionSetup setup;
    setup.pluginPath = plugin;
    setup.hostFolder = folder;
    setup.run = p.run;
    setup.qsos = p.qsos;
    setup.header = o.header;
    return setup;
}

int Score(const Options& o) {
    Prepared p = Prepare(o);
    const std::string plugin = PluginPath(o);
    const fs::path htmlPath = o.html.empty() ? fs::path() : fs::absolute(o.html);
    const std::string folder = EnterOutFolder(o.out);
    WarnUnresolved(p);

    if (!o.html.empty()) {
        // setVersion switches the loaded library to the HTML page for good,
        // so the text summary comes from a second load.
        host::SessionSetup setup = MakeSetup(o, p, plugin, folder);
        setup.html = true;
        host::Session page(setup);
        if (!page.Replay()) {
            std::cerr << "stats-host: " << page.error() << "\n";
            return kExitPlugin;
        }
        std::ofstream out(htmlPath, std::ios::binary | std::ios::trunc);
        out << page.Result();
        if (!out) {
            throw InputError{htmlPath.string() + ": cannot write the HTML page"};
        }
    }

    host::SessionSetup setup = MakeSetup(o, p, plugin, folder);
    setup.run.reportRun = o.report ? 1 : 0;
    ProgressBar bar(p.qsos.size());
    setup.progress = [&bar](size_t done) { bar.Update(done); };
    host::Session session(setup);
    const bool replayed = session.Replay();
    bar.Update(p.qsos.size());
    if (!replayed) {
        std::cerr << "stats-host: " << session.error() << "\n";
        return session.error().find("header form") != std::string::npos ? kExitInput : kExitPlugin;
    }
    std::cout << WithoutCr(session.Result());
    for (const std::string& box : session.boxes()) {
        std::cout << box << " (in " << folder << ")\n";
    }
    std::cout.flush();
    ReportClosing(p, session, folder);
    return 0;
}

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

int Check(const Options& o) {
    Prepared p = Prepare(o);
    const std::string plugin = PluginPath(o);
    const std::string folder = EnterOutFolder(o.out);
    WarnUnresolved(p);
    host::Session session(MakeSetup(o, p, plugin, folder));
    if (!session.Replay()) {
        std::cerr << "stats-host: " << session.error() << "\n";
        return kExitPlugin;
    }

    const std::string call = o.checkCall;
    std::string band = o.band;
    for (char& c : band) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::string mode = host::ContestMode(o.mode);
    host::CountryResolver countries;
    std::string error;
    host::Country country;
    const bool resolved = countries.LoadFile(o.cty, error) && countries.Resolve(call, country);

    host::CallCheck check;
    check.call = call;
    check.mode = mode;
    check.dxcc = country.prefix;
    check.band = band.c_str();
    check.secondBand = band.c_str();
    const host::CallCheckAnswer answer = session.Check(check);

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
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options o = ParseArguments(argc, argv);
        if (o.command == "help") {
            std::cout << kUsage;
            return 0;
        }
        return o.command == "score" ? Score(o) : Check(o);
    } catch (const InputError& e) {
        std::cerr << "stats-host: " << e.message << "\n";
        return kExitInput;
    } catch (const std::exception& e) {
        std::cerr << "stats-host: " << e.what() << "\n";
        return kExitPlugin;
    }
}
