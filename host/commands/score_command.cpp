#include "host/commands/score_command.h"

#include <cstdio>
#include <iostream>
#include <utility>

#include "host/commands/output_guard.h"
#include "host/host_error.h"
#include "host/one_log/prepared_log.h"
#include "host/one_log/reports.h"
#include "host/output_files.h"
#include "host/plugin_host/console.h"
#include "host/plugin_host/run_folder.h"
#include "host/score_page/page_html.h"

namespace host {
namespace {

// A bar on standard error while a long log is replayed, when it is a
// terminal.
class ProgressBar {
  public:
    explicit ProgressBar(size_t total)
        : total_(total), shown_(StderrIsTerminal() && total >= 2000) {}
    ~ProgressBar() {
        if (shown_ && drawn_) {
            std::fprintf(stderr, "\r%60s\r", "");
        }
    }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

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

}  // namespace

int RunScore(const Options& o) {
    StageClock clock(o.timings);
    const PreparedLog p = PrepareLog(o, clock);
    const std::string plugin = PluginPath(o);
    RefuseOverwrites(o, p, plugin);
    if (!p.nothingUsable.empty()) {
        if (!o.problems.empty()) {
            ProblemList problems = ReadingProblems(p.log);
            WriteProblemsFile(o.problems, o.log, problems);
        }
        throw InputError(p.nothingUsable);
    }
    const std::string folder = EnterOutFolder(o.out);
    ChooseRulesInFolder(o.rules);
    WarnUnresolved(p);

    SessionSetup setup = MakeSetup(o, p, plugin, folder);
    setup.run.reportRun = o.report ? 1 : 0;
    ProgressBar bar(p.qsos.size());
    setup.progress = [&bar](size_t done) { bar.Update(done); };
    Session session(std::move(setup));
    session.Replay();
    bar.Update(p.qsos.size());
    clock.Done("replay");
    const std::string summary = session.Result();
    std::cout << WithoutCr(summary);
    for (const std::string& box : session.boxes()) {
        std::cout << box << " (in " << folder << ")\n";
    }
    FlushStandardOutput();
    if (!o.html.empty()) {
        WriteOutputFile(o.html, session.PageResult(), "HTML page");
    }
    clock.Done("result");

    ProblemList problems = CollectProblems(p, session);
    clock.Done("problems");
    std::string seeAlso;
    if (!o.problems.empty()) {
        WriteProblemsFile(o.problems, o.log, problems);
        seeAlso = "listed in " + o.problems;
    } else {
        for (ProblemKind kind :
             {ProblemKind::kWrongBand, ProblemKind::kWrongMode, ProblemKind::kNoExchange,
              ProblemKind::kNoCounty, ProblemKind::kDupe, ProblemKind::kNotANumber}) {
            if (problems.Count(kind) > 0) {
                seeAlso = "the plug-in's reasons: " + folder + session.BadQsoFileName();
            }
        }
    }
    if (!o.json.empty()) {
        WriteJsonFile(o.json, o.log, p, session, ReadSummary(summary), problems);
    }
    if (!o.page.empty()) {
        PageData page = GatherPageData(o.log, p, session, ReadSummary(summary), problems);
        page.reportRun = o.report;
        WriteScorePage(o.page, page);
    }
    clock.Done("outputs");
    ReportClosing(p, session, problems, seeAlso,
                  o.report ? CabrilloFileName(p.run.ownCall) : std::string());
    clock.Done("closing");
    return kExitDone;
}

}  // namespace host
