#include "host/one_log/prepared_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "host/counted.h"

#include "host/host_error.h"
#include "host/one_log/own_call_lines.h"
#include "host/one_log/rules_choice.h"
#include "host/plugin_host/header_answers.h"
#include "platform/ole_date.h"
#include "scoring/contest_lists.h"

namespace host {
namespace {

// A file named on the command line that cannot be opened: why, in the
// words of the system.
void CheckOpens(const std::string& path, const std::string& what) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return;  // the reader says it is a folder
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file != nullptr) {
        std::fclose(file);
        return;
    }
    const int error = errno;
    if (error == ENOENT) {
        throw InputError(path + ": no such file (" + what + ")");
    }
    if (error == EACCES || error == EPERM) {
        throw InputError(path + ": permission denied: cannot read the " + what);
    }
    throw InputError(path + ": cannot read the " + what + ": " + std::strerror(error));
}

std::string QsoTime(const QsoFields& q) {
    return plat::FormatOleDate(q.time, "%Y-%m-%d %H%M");
}

void ReportOutside(const PreparedLog& p, bool passed) {
    if (p.outside.empty()) {
        return;
    }
    // The earliest and the latest of them, wherever they stand in the log.
    size_t first = p.outside.front();
    size_t last = first;
    for (size_t i : p.outside) {
        first = p.qsos[i].time.m_dt < p.qsos[first].time.m_dt ? i : first;
        last = p.qsos[i].time.m_dt > p.qsos[last].time.m_dt ? i : last;
    }
    std::cerr << "stats-host: " << Counted(p.outside.size(), "QSO")
              << " outside the contest period " << FormatWhen(p.period.start) << " to "
              << FormatWhen(p.period.end) << " (first " << QsoTime(p.qsos[first]) << ", last "
              << QsoTime(p.qsos[last]) << "), "
              << (passed ? "scored all the same (--all-qsos)" : "not scored") << "\n";
}

// A QSO the contest could score: on one of its bands, in CW or SSB.
bool CouldScore(const QsoFields& q) {
    if (q.mode != "CW" && q.mode != "SSB") {
        return false;
    }
    for (int b = 0; b < kContestBands; ++b) {
        if (q.band == g_contestBandNames[b]) {
            return true;
        }
    }
    return false;
}

// The own call of the run: --call, else the log's (its header, else the
// first QSO's). Names a --call that overrides the log's own call, and the QSO
// lines made under another call than the one taken.
std::string ChooseOwnCall(const Options& o, const ContestLog& log) {
    std::string logCall = OwnCallOf(log);
    if (!o.call.empty() || logCall.empty()) {
        if (!logCall.empty() && logCall != o.call) {
            std::cerr << "stats-host: warning: --call " << o.call
                      << " overrides the log's own call " << logCall << "\n";
        }
        return o.call;  // empty when neither names one
    }
    std::string lines;
    for (const std::string& text : OtherOwnCallLines(log, logCall)) {
        lines += o.log + ": warning: " + text + "\n";
    }
    std::cerr << lines;
    return logCall;
}

// Nothing of the log can be scored: every QSO line unreadable or a bad call,
// or none at all.
std::string NothingUsable(const PreparedLog& p, const std::string& logName) {
    const size_t unreadable = p.log.problems.size();
    const size_t badCalls = p.log.badCalls.size();
    return "no QSO line of " + logName + " could be used (" +
           Counted(unreadable + badCalls, "QSO line") + ": " + std::to_string(unreadable) +
           " unreadable, " + std::to_string(badCalls) + " bad call); see --problems";
}

}  // namespace

void LoadCountries(const std::string& path, CountryResolver& countries) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        throw InputError(path + ": is a folder, not a country file");
    }
    if (path == kDefaultCountryFile && !std::filesystem::exists(path, ignored)) {
        throw InputError(path +
                         ": country file missing; install it with "
                         "'apt-get install hamradio-files' or name one with --cty");
    }
    CheckOpens(path, "country file");
    std::string error;
    if (!countries.LoadFile(path, error)) {
        throw InputError(error);
    }
}

bool QsoMaker::Make(size_t i, QsoFields& f) const {
    const LogQso& q = qsos_[i];
    f.line = q.line;
    f.ownCall = callGiven_ || q.ownCall.empty() ? ownCall_ : q.ownCall;
    f.call = q.call;
    if (known_.times != nullptr) {
        f.time = StatsDate();
        f.time.m_dt = known_.times[i];
    } else {
        f.time = MakeDate(q.time.year, q.time.month, q.time.day, q.time.hour, q.time.minute,
                          q.time.second);
    }
    f.frequencyHz = q.frequencyHz;
    f.mode = q.mode;
    f.band = q.band;
    f.rstSent = q.rstSent;
    f.rstRcvd = q.rstRcvd;
    f.exchSent = q.exchSent;
    f.exchRcvd = q.exchRcvd;
    f.dxcc.clear();
    f.continent.clear();
    if (known_.countries == nullptr) {
        return countries_.ResolvePrefix(q.call, f.dxcc, f.continent);
    }
    const Country* c = known_.countries[i];
    if (c != nullptr) {
        f.dxcc = c->prefix;
        f.continent = c->continent;
    }
    return c != nullptr;
}

bool QsoMaker::WithoutCountry(size_t i) const {
    if (known_.countries != nullptr) {
        return known_.countries[i] == nullptr;
    }
    std::string prefix;
    std::string continent;
    return !countries_.ResolvePrefix(qsos_[i].call, prefix, continent);
}

void SetOwnStation(ContestRun& run, const CountryResolver& countries, const std::string& ownCall,
                   std::set<std::string>* unresolved) {
    run.ownCall = ownCall;
    Country own;
    if (countries.Resolve(ownCall, own)) {
        run.ownDxcc = own.prefix;
        run.ownContinent = own.continent;
    } else if (unresolved != nullptr) {
        unresolved->insert(ownCall);
    }
}

void ResolveQsos(PreparedLog& p, const std::vector<LogQso>& qsos, const CountryResolver& countries,
                 const std::string& ownCall, bool callGiven) {
    SetOwnStation(p.run, countries, ownCall, &p.unresolved);
    const QsoMaker maker(qsos, countries, ownCall, callGiven);
    p.qsos.assign(qsos.size(), QsoFields());
    p.noCountry.assign(qsos.size(), false);
    for (size_t i = 0; i < qsos.size(); ++i) {
        if (!maker.Make(i, p.qsos[i])) {
            p.noCountry[i] = true;
            p.unresolved.insert(qsos[i].call);
        }
    }
}

PeriodSplit SplitTimes(const ContestPeriod& period, const double* times, size_t count,
                       bool allQsos) {
    PeriodSplit out;
    for (size_t i = 0; i < count; ++i) {
        const double t = times[i];
        out.timeOrdered = out.timeOrdered && (i == 0 || t >= times[i - 1]);
        const bool inside = InPeriod(period, t);
        if (!inside) {
            out.outside.push_back(i);
        }
        if (inside || allQsos) {
            out.passed.push_back(i);
        }
    }
    // The host hands QSOs over as they are logged, in time order; a log
    // sorted otherwise (by band, say) would give other dupes and rates.
    if (!out.timeOrdered) {
        std::stable_sort(out.passed.begin(), out.passed.end(),
                         [times](size_t a, size_t b) { return times[a] < times[b]; });
    }
    return out;
}

void SplitByPeriod(PreparedLog& p, bool allQsos) {
    p.run.start = p.period.start;
    p.run.end = p.period.end;
    std::vector<double> times;
    times.reserve(p.qsos.size());
    for (const QsoFields& f : p.qsos) {
        times.push_back(f.time.m_dt);
    }
    PeriodSplit split = SplitTimes(p.period, times.data(), times.size(), allQsos);
    p.outside = std::move(split.outside);
    p.passed = std::move(split.passed);
    p.timeOrdered = split.timeOrdered;
}

PreparedLog PrepareLog(const Options& o) {
    StageClock silent(false);
    return PrepareLog(o, silent);
}

PreparedLog PrepareLog(const Options& o, StageClock& clock) {
    PreparedLog p;
    CheckOpens(o.log, "log");
    std::string error;
    if (!ReadLogFile(o.log, p.log, error)) {
        throw InputError(error);
    }
    clock.Done("read");
    // Standard error is unbuffered: a log of many such lines is told in one
    // write, not several for each line.
    std::string lines;
    for (const LogProblem& problem : p.log.problems) {
        lines +=
            o.log + ":" + std::to_string(problem.line) + ": " + problem.reason + " (skipped)\n";
    }
    for (const LogProblem& warning : p.log.warnings) {
        lines += o.log + ":" + std::to_string(warning.line) + ": warning: " + warning.reason + "\n";
    }
    std::cerr << lines;
    LoadCountries(o.cty, p.countries);
    clock.Done("countries");
    p.rules = o.rules;
    p.categoryBand = CategoryBand(o.header, p.log.headerFields);
    p.entryBand = EntryBandUnder(o.rules, p.categoryBand);

    const std::string ownCall = ChooseOwnCall(o, p.log);
    if (p.log.qsos.empty()) {
        p.nothingUsable = NothingUsable(p, o.log);
        return p;
    }
    if (ownCall.empty()) {
        throw InputError(o.log + ": the log names no own call; give it with --call");
    }
    // Calls that cannot be calls are reported, never passed.
    SetAsideBadCalls(p.log, ownCall);
    ResolveQsos(p, p.log.qsos, p.countries, ownCall, !o.call.empty());
    if (p.qsos.empty()) {
        p.nothingUsable = NothingUsable(p, o.log);
        return p;
    }
    // The period is told from the QSOs that could score: a month's export
    // with a weekend of FT8 before the contest is scored on the contest.
    std::vector<double> times;
    std::vector<double> scoringTimes;
    times.reserve(p.qsos.size());
    for (const QsoFields& f : p.qsos) {
        times.push_back(f.time.m_dt);
        if (CouldScore(f)) {
            scoringTimes.push_back(f.time.m_dt);
        }
    }
    if (scoringTimes.empty()) {
        std::cerr << "stats-host: warning: no QSO of the log could score (80-10 m, CW or SSB)\n";
    }
    p.period = ChoosePeriod(o.start, o.end, scoringTimes.empty() ? times : scoringTimes,
                            p.log.headerDates, o.log, o.rules);
    if (!p.period.warning.empty()) {
        std::cerr << "stats-host: warning: " << p.period.warning << "\n";
    }
    SplitByPeriod(p, o.allQsos);
    ReportOutside(p, o.allQsos);
    clock.Done("prepare");
    return p;
}

SessionSetup MakeSetup(const Options& o, const PreparedLog& p, const std::string& plugin,
                       const std::string& folder) {
    SessionSetup setup;
    setup.pluginPath = plugin;
    setup.hostFolder = folder;
    setup.run = p.run;
    setup.qsoCount = p.passed.size();
    setup.qsoAt = [&p](size_t k) -> const QsoFields& { return p.qsos[p.passed[k]]; };
    setup.header.fromLog = LogHeaderAnswers(p.log.headerFields);
    setup.header.fromOptions = o.header;
    return setup;
}

void WarnUnresolved(const PreparedLog& p) {
    if (p.unresolved.empty()) {
        return;
    }
    std::cerr << "stats-host: warning: " << Counted(p.unresolved.size(), "call")
              << " did not resolve to a DXCC entity and "
              << (p.unresolved.size() == 1 ? "was" : "were") << " passed without one:";
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

}  // namespace host
