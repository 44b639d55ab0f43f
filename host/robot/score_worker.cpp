#include "host/robot/score_worker.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "host/commands/command_line.h"
#include "host/commands/score_command.h"
#include "host/host_error.h"
#include "host/one_log/prepared_log.h"
#include "host/readers/call_rule.h"
#include "host/robot/child_process.h"
#include "host/robot/durable_files.h"
#include "host/robot/entry_facts.h"

namespace host::robot {
namespace {

std::string LastLines(const std::string& text) {
    return text.size() <= 2000 ? text : text.substr(text.size() - 2000);
}

// The refusal as the scoring put it: its last "stats-host: " line.
std::string RefusalOf(const std::string& errors) {
    const std::string tag = "stats-host: ";
    const size_t at = errors.rfind(tag);
    if (at == std::string::npos) {
        return "the log cannot be scored";
    }
    std::string why = errors.substr(at + tag.size());
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) {
        why.pop_back();
    }
    return why;
}

}  // namespace

WorkerOutcome ScoreInWorker(const std::string& log, const std::string& scratch,
                            const std::vector<std::string>& scoreOptions, int timeoutSeconds) {
    const WorkerFiles files(scratch);
    std::vector<std::string> args = {"stats-host", "serve", "--score-worker", log, scratch};
    args.insert(args.end(), scoreOptions.begin(), scoreOptions.end());
    const ChildEnd end = RunThisProgram(args, files.errors, timeoutSeconds);
    WorkerOutcome out;
    if (!end.started) {
        out.message = "the scoring process could not be started";
        return out;
    }
    const int status = end.status;
    const bool timedOut = end.timedOut;
    try {
        out.errorText = ReadWhole(files.errors);
    } catch (const StoreError&) {
        out.errorText.clear();
    }
    if (timedOut) {
        out.message = "scoring the log took longer than " + std::to_string(timeoutSeconds) + " s";
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        out.kind = WorkerOutcome::kScored;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == kExitInput) {
        out.kind = WorkerOutcome::kRefused;
        out.message = RefusalOf(out.errorText);
    } else if (WIFSIGNALED(status)) {
        out.message = "the scoring process ended by signal " + std::to_string(WTERMSIG(status)) +
                      ": " + LastLines(out.errorText);
    } else {
        out.message = "the scoring process failed (status " +
                      std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                      "): " + LastLines(out.errorText);
    }
    return out;
}

int RunScoreWorker(int argc, char** argv) {
    // A robot that goes takes its workers along.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1) {
        return kExitInternal;
    }
    if (argc < 5) {
        std::cerr << "stats-host: serve --score-worker needs LOG SCRATCH\n";
        return kExitInternal;
    }
    const std::string log = argv[3];
    const WorkerFiles files(argv[4]);
    std::vector<std::string> args = {
        "stats-host",  "score",    log,      "--out",    std::string(argv[4]) + "/run",
        "--json",      files.json, "--page", files.page, "--problems",
        files.problems};
    for (int i = 5; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    std::vector<char*> scoreArgv;
    for (std::string& a : args) {
        scoreArgv.push_back(a.data());
    }
    try {
        const Options o = ParseArguments(static_cast<int>(scoreArgv.size()), scoreArgv.data());
        const int status = RunScore(o);
        if (status != kExitDone) {
            return status;
        }
        // What the robot needs beyond the score, read again in silence: the
        // scoring above has said all there is to say on standard error.
        std::fflush(stderr);
        std::cerr.flush();
        const int saved = ::dup(2);
        const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        ::dup2(quiet, 2);
        ::close(quiet);
        const PreparedLog p = PrepareLog(o);
        std::cerr.flush();
        ::dup2(saved, 2);
        ::close(saved);
        const EntryFacts facts = FactsOfEntry(p);
        if (!facts.refusal.empty()) {
            throw InputError(facts.refusal);
        }
        nlohmann::json entry = {{"call", p.run.ownCall},
                                {"category", facts.category},
                                {"extension", facts.extension},
                                {"warnings", facts.warnings}};
        WriteSynced(files.entry, entry.dump());
        return kExitDone;
    } catch (const HostError& e) {
        std::cerr << "stats-host: " << e.what() << "\n";
        return e.status();
    } catch (const std::exception& e) {
        std::cerr << "stats-host: internal error: " << e.what() << "\n";
        return kExitInternal;
    }
}

}  // namespace host::robot
