#include "host/commands/check_logs_command.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "host/cross_check/check_pipeline.h"
#include "host/cross_check/results_table.h"
#include "host/host_error.h"
#include "host/one_log/prepared_log.h"
#include "host/output_files.h"
#include "host/plugin_host/console.h"
#include "host/plugin_host/run_folder.h"
#include "host/results/lost_multipliers.h"
#include "host/results/miscopies.h"
#include "host/results/nil_reasons.h"
#include "host/results/results_json.h"
#include "host/results/review.h"
#include "host/results/site.h"
#include "host/results/standings.h"
#include "host/results/ubn_files.h"
#include "host/run_beside.h"
#include "host/stage_clock.h"

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
        CheckOutputFolder(o.site + "/entrants", "folder of the entrants' pages");
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

}  // namespace

int RunCheckLogs(const Options& o) {
    CheckOutOutsideLogs(o.log, o.out);
    CheckOutputFiles(o);
    const std::string plugin = PluginPath(o);
    const std::string folder = EnterOutFolder(o.out);
    CheckOutputFolder(folder + "ubn", "folder of reports");
    CheckWritable(folder + "review.txt", "review list");
    ChooseRulesInFolder(o.rules);
    CountryResolver countries;
    LoadCountries(o.cty, countries);

    StageClock clock(o.timings);
    Progress progress;
    ContestFolder contest = ReadContestFolder(
        o.log, [&](size_t done, size_t of) { progress.Update("read", done, of); });
    for (const SkippedFile& s : contest.skipped) {
        std::cerr << o.log << "/" << s.file << ": " << s.reason << " (skipped)\n";
    }
    if (contest.logs.empty()) {
        throw InputError(o.log + ": no log to check (*.log, *.cbr, *.txt or *.adi)");
    }
    clock.Done("read");
    CheckSettings settings;
    settings.start = o.start;
    settings.end = o.end;
    settings.logsName = o.log;
    settings.timeWindow = o.timeWindow;
    settings.keepUniques = o.keepUniques;
    settings.pluginPath = plugin;
    settings.folder = folder;
    settings.countries = &countries;
    settings.rules = o.rules;
    // Told beside the workers' progress, so written as one line at once.
    settings.periodChosen = [](const ContestPeriod& period) {
        const std::string line =
            "stats-host: contest period " + FormatWhen(period.start) + " to " +
            FormatWhen(period.end) + " (" +
            (period.fromQsos ? "the busiest 24 hours of the logs" : "as given") + ")\n";
        std::fputs(line.c_str(), stderr);
    };
    settings.progress = [&](const char* what, size_t done, size_t of) {
        progress.Update(what, done, of);
    };
    settings.stageDone = [&](const char* stage) { clock.Done(stage); };
    settings.linesReady = [](CheckedContest& c) { ExplainNotInLog(c); };
    CheckedContest result = CheckContest(contest, settings);

    RankEntries(result, countries);
    // Both read the standings the ranking made; each writes parts of its own.
    RunBeside([&] { FindLostMultipliers(result, countries); },
              [&] {
                  FindMiscopies(result);
                  result.review = ReviewList(result);
              });
    AddReviewToWarnings(result);
    clock.Done("results");
    // The files for the committee (JSON, CSV, page) are written beside the
    // entrants' reports, the table and the site: each reads the results
    // alone, and the machine's second core is free once the passes are done.
    RunBeside(
        [&] {
            if (!o.json.empty()) {
                WriteResultsJson(o.json, result);
            }
            if (!o.csv.empty()) {
                WriteOutputFile(o.csv, ResultsCsv(result), "CSV table");
            }
            if (!o.html.empty()) {
                WriteOutputFile(o.html, ResultsIndexPage(result, false), "results page");
            }
        },
        [&] {
            WriteUbnFiles(folder + "ubn", result);
            WriteOutputFile(folder + "review.txt", ReviewText(result.review), "review list");
            std::cout << ResultsTable(result);
            FlushStandardOutput();
            if (!o.site.empty()) {
                WriteSite(o.site, result);
            }
        });
    clock.Done("outputs");
    std::cerr << "stats-host: " << result.logs.size() << " logs checked, " << contest.skipped.size()
              << " files skipped\n";
    return kExitDone;
}

}  // namespace host
