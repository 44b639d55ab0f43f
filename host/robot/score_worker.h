// Scoring an upload in a process of its own: stats-host run again, as
// "serve --score-worker", loads its own plug-in for the one log, so that a
// log that crashes it or runs too long costs that upload alone.
#pragma once

#include <string>
#include <vector>

namespace host::robot {

struct WorkerOutcome {
    enum Kind { kScored, kRefused, kFailed } kind = kFailed;
    // Refused: why, in the uploader's words. Failed: what happened.
    std::string message;
    // What the scoring said on standard error, the log's path as given.
    std::string errorText;
};

// The files a worker leaves in its scratch folder.
struct WorkerFiles {
    explicit WorkerFiles(const std::string& scratch)
        : json(scratch + "/score.json"),
          page(scratch + "/page.html"),
          problems(scratch + "/problems.txt"),
          entry(scratch + "/entry.json"),
          errors(scratch + "/stderr.txt") {}
    std::string json;      // score --json
    std::string page;      // score --page
    std::string problems;  // score --problems
    std::string entry;     // the own call, category and file kind
    std::string errors;    // the worker's standard error
};

// Runs the worker on log (scratch made beforehand) with the score options
// given and waits at most timeoutSeconds; a worker still running then is
// killed.
WorkerOutcome ScoreInWorker(const std::string& log, const std::string& scratch,
                            const std::vector<std::string>& scoreOptions, int timeoutSeconds);

// The worker's side: argv is "stats-host serve --score-worker LOG SCRATCH
// [score options]". Returns its exit status: 0 scored, 2 refused (the
// reason on standard error), other statuses a fault.
int RunScoreWorker(int argc, char** argv);

}  // namespace host::robot
