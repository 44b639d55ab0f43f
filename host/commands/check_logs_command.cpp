#include "host/commands/check_logs_command.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <unordered_set>

#include "host/cross_check/checked_contest.h"
#include "host/cross_check/clock_offsets.h"
#include "host/cross_check/contest_lines.h"
#include "host/cross_check/matching.h"
#include "host/cross_check/pass_encoding.h"
#include "host/cross_check/plugin_passes.h"
#include "host/cross_check/results_table.h"
#include "host/cross_check/worker_pool.h"
#include "host/host_error.h"
#include "host/one_log/prepared_log.h"
#include "host/output_files.h"
#include "host/plugin_host/console.h"
#include "host/plugin_host/plugin_loader.h"
#include "host/plugin_host/run_folder.h"
#include "host/results/miscopies.h"
#include "host/results/nil_reasons.h"
#include "host/results/results_json.h"
#include "host/results/review.h"
#include "host/results/site.h"
#include "host/results/standings.h"
#include "host/results/ubn_files.h"

namespace fs = std::filesystem;

namespace host {
namespace {

// The output folder may not be the folder of logs or lie inside it: the
// next run would read what this one wrote.
void CheckOutOutsideLogs(const std::string& dir, const std::string& out) {
    std::error_code error;
    const fs::path inside =
        fs::weakly_canonical(out, error).lexically_relative(fs::weakly_canonical(dir, error));
    if (!inside.empty() && *inside.begin() != "..") {
        throw InputError(out + ": the output folder may not be the folder of logs " + dir +
                         " or lie inside it");
    }
}

// An output file in the folder of logs that would be read as a log (or
// overwrite one) is refused, and so is one that is the country file.
void CheckOutputFiles(const Options& o) {
    std::error_code error;
    const fs::path logs = fs::weakly_canonical(o.log, error);
    for (const std::string* file : {&o.json, &o.csv, &o.html}) {
        if (file->empty()) {
            continue;
        }
        const fs::path path = fs::weakly_canonical(*file, error);
        if (path.parent_path() == logs && IsLogFileName(path.filename().string())) {
            throw InputError(*file + ": an output file in the folder of logs " + o.log +
                             " would be read as a log; name another file");
        }
        if (fs::equivalent(*file, o.cty, error)) {
            throw InputError(*file + ": is the country file; name another output file");
        }
        CheckWritable(*file, "results");
    }
    if (!o.site.empty()) {
        fs::create_directories(o.site, error);
        CheckWritable(o.site + "/index.html", "results index");
    }
}

// A line on standard error every few seconds of a long run: how many logs
// were read, scored and checked so far.
class Progress {
  public:
    Progress() : last_(std::chrono::steady_clock::now()) {}
    void Update(const char* what, size_t done, size_t of) {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::seconds(2)) {
            return;
        }
        last_ = now;
        std::fprintf(stderr, "stats-host: %s %zu of %zu logs\n", what, done, of);
    }

  private:
    std::chrono::steady_clock::time_point last_;
};

// Every call the plug-in passes will resolve, each once: the logs' own calls
// and the calls they worked.
std::vector<std::string> CallsOf(const std::vector<EntrantLog>& logs) {
    std::unordered_set<std::string> seen;
    std::vector<std::string> calls;
    auto add = [&](const std::string& call) {
        if (seen.insert(call).second) {
            calls.push_back(call);
        }
    };
    for (const EntrantLog& e : logs) {
        add(e.call);
        for (const LogQso& q : e.log.qsos) {
            add(q.call);
        }
    }
    return calls;
}

ContestPeriod PeriodOf(const Options& o, const ContestLines& lines,
                       const std::vector<EntrantLog>& logs, const std::vector<int>& offsets) {
    std::vector<double> times;
    times.reserve(lines.lines().size());
    for (const ContestLine& line : lines.lines()) {
        const LogQso& q = logs[line.log].log.qsos[line.qso];
        times.push_back(MakeDate(q.time.year, q.time.month, q.time.day, q.time.hour, q.time.minute,
                                 q.time.second)
                            .m_dt -
                        offsets[line.log] / 1440.0);
    }
    return ChoosePeriod(o.start, o.end, times, {}, o.log, o.rules);
}

// Every line of the log in file order: its QSOs with their verdicts, the
// lines the reader could not use and the QSOs whose call cannot be a call.
void CollectLines(const EntrantLog& e, const std::vector<Verdict>& verdicts, size_t first,
                  CheckedLog& out) {
    for (size_t q = 0; q < e.log.qsos.size(); ++q) {
        CheckedQso line;
        line.line = e.log.qsos[q].line;
        line.qso = &e.log.qsos[q];
        line.verdict = verdicts[first + q];
        out.qsos.push_back(std::move(line));
    }
    for (QsoStatus status : {QsoStatus::kUnreadable, QsoStatus::kBadCall}) {
        for (const LogProblem& p :
             status == QsoStatus::kUnreadable ? e.log.problems : e.log.badCalls) {
            CheckedQso line;
            line.line = p.line;
            line.reason = p.reason;
            line.verdict.status = status;
            out.qsos.push_back(std::move(line));
        }
    }
    std::stable_sort(out.qsos.begin(), out.qsos.end(),
                     [](const CheckedQso& a, const CheckedQso& b) { return a.line < b.line; });
    for (const CheckedQso& line : out.qsos) {
        ++out.counts[static_cast<size_t>(line.verdict.status)];
    }
}

}  // namespace

int RunCheckLogs(const Options& o) {
    CheckOutOutsideLogs(o.log, o.out);
    CheckOutputFiles(o);
    const std::string plugin = PluginPath(o);
    const std::string folder = EnterOutFolder(o.out);
    ChooseRulesInFolder(o.rules);
    CountryResolver countries;
    LoadCountries(o.cty, countries);

    Progress progress;
    ContestFolder contest = ReadContestFolder(
        o.log, [&](size_t done, size_t of) { progress.Update("read", done, of); });
    for (const SkippedFile& s : contest.skipped) {
        std::cerr << o.log << "/" << s.file << ": " << s.reason << " (skipped)\n";
    }
    if (contest.logs.empty()) {
        throw InputError(o.log + ": no log to check (*.log, *.cbr, *.txt or *.adi)");
    }
    const std::vector<EntrantLog>& logs = contest.logs;
    countries.Remember(CallsOf(logs));
    ContestLines lines(logs);
    std::vector<int> offsetsFound;
    const std::vector<int> offsets = ClockOffsets(lines, logs.size(), o.timeWindow, &offsetsFound);
    lines.Correct(offsets);

    // Each worker process loads the plug-in once, for all its logs.
    Plugin loaded;
    PassContext context;
    context.pluginPath = plugin;
    context.plugin = &loaded;
    context.folder = folder;
    context.countries = &countries;
    context.rules = o.rules;
    context.period = PeriodOf(o, lines, logs, offsets);
    std::cerr << "stats-host: contest period " << FormatWhen(context.period.start) << " to "
              << FormatWhen(context.period.end) << " ("
              << (context.period.fromQsos ? "the busiest 24 hours of the logs" : "as given")
              << ")\n";

    std::vector<ClaimedPass> claimed;
    claimed.reserve(logs.size());
    for (const std::string& bytes : RunJobs(
             logs.size(), folder,
             [&](size_t l) { return Encode(RunClaimedPass(context, logs[l], offsets[l])); },
             [&](size_t done) { progress.Update("scored", done, logs.size()); })) {
        claimed.push_back(DecodeClaimed(bytes));
    }
    std::vector<QsoStatus> scored;
    scored.reserve(lines.lines().size());
    for (const ContestLine& line : lines.lines()) {
        scored.push_back(claimed[line.log].status[line.qso]);
    }
    const std::vector<Verdict> verdicts =
        CrossCheck(lines, MatchLines(lines, o.timeWindow), logs, scored);

    CheckedContest result;
    result.rules = o.rules;
    result.period = context.period;
    result.timeWindow = o.timeWindow;
    result.keepUniques = o.keepUniques;
    result.skipped = contest.skipped;
    std::vector<size_t> firstLine(logs.size() + 1, 0);
    for (size_t l = 0; l < logs.size(); ++l) {
        firstLine[l + 1] = firstLine[l] + logs[l].log.qsos.size();
    }
    const std::vector<std::string> checkedFigures = RunJobs(
        logs.size(), folder,
        [&](size_t l) {
            std::vector<bool> stands(logs[l].log.qsos.size());
            for (size_t q = 0; q < stands.size(); ++q) {
                stands[q] = Stands(verdicts[firstLine[l] + q].status, o.keepUniques);
            }
            return Encode(RunCheckedPass(context, logs[l], offsets[l], stands));
        },
        [&](size_t done) { progress.Update("checked", done, logs.size()); });
    for (size_t l = 0; l < logs.size(); ++l) {
        CheckedLog checked;
        checked.entrant = &logs[l];
        checked.entryBand = EntryBandOfLog(o.rules, logs[l]);
        checked.clockOffset = offsets[l];
        checked.clockOffsetFound = offsetsFound[l];
        checked.claimed = claimed[l].figures;
        checked.checked = DecodeFigures(checkedFigures[l]);
        checked.problems = std::move(claimed[l].problems);
        CollectLines(logs[l], verdicts, firstLine[l], checked);
        result.logs.push_back(std::move(checked));
    }

    ExplainNotInLog(result);
    RankEntries(result, countries);
    FindMiscopies(result);
    result.review = ReviewList(result);
    AddReviewToWarnings(result);
    WriteUbnFiles(folder + "ubn", result);
    WriteOutputFile(folder + "review.txt", ReviewText(result.review), "review list");
    std::cout << ResultsTable(result);
    FlushStandardOutput();
    if (!o.json.empty()) {
        WriteResultsJson(o.json, result);
    }
    if (!o.csv.empty()) {
        WriteOutputFile(o.csv, ResultsCsv(result), "CSV table");
    }
    if (!o.html.empty()) {
        WriteOutputFile(o.html, ResultsIndexPage(result, false), "results page");
    }
    if (!o.site.empty()) {
        WriteSite(o.site, result);
    }
    std::cerr << "stats-host: " << logs.size() << " logs checked, " << contest.skipped.size()
              << " files skipped\n";
    return kExitDone;
}

}  // namespace host
