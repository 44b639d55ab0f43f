// Runs one job per index in worker processes, each in its own output folder,
// because one loaded plug-in holds one contest run and writes its bad-QSO
// file into the current directory. Without fork the jobs run here, in turn.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace host {

// order: the indexes to run, each once, in the order the jobs are taken (the
// longest first, so that no worker is left with a long job at the end).
// job(i) returns the result of index i as bytes; result k is that of
// order[k]. Each worker takes the next job as it is free. folder: where each worker makes its own
// folder ("worker-N"), entered before its first job and removed afterwards. progress(done) is
// called as results arrive. Throws what a job throws when run here, the
// first job's failure from a worker with its exit status (a plug-in that
// cannot be loaded stays status 1), and a HostError of status 3 (a fault of
// stats-host, not of the input) saying what happened when a worker cannot
// start, dies, sends a frame cut short or a frame for no job, or stops
// before all its results are in.
// meanwhile, when given, is work of this process that needs no result of
// the jobs: it runs on a thread of its own once the workers have started
// (so that they never inherit a running thread), and RunJobs returns when
// both are done. A failure of meanwhile is thrown after the jobs' own.
// lost(i), when given, is called as soon as the worker that took job i has
// ended without its result: a job that waits on it can then give up.
// logOf(i) names the log of job i when the index is not the log's own.
std::vector<std::string> RunJobs(const std::vector<size_t>& order, const std::string& folder,
                                 const std::function<std::string(size_t)>& job,
                                 const std::function<void(size_t)>& progress,
                                 const std::function<void()>& meanwhile = {},
                                 const std::function<void(size_t)>& lost = {},
                                 const std::function<size_t(size_t)>& logOf = {});

// Thrown by a job that gives up because a job it waited on failed: it sends
// no result, and the failure of the other one is what RunJobs tells.
struct JobAbandoned {};

// Memory this process shares with the workers it starts afterwards, each
// seeing what the others write; plain memory where there are no workers.
// Zeroed.
class SharedMemory {
  public:
    explicit SharedMemory(size_t bytes);
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;
    void* data() const { return pages_; }

  private:
    size_t size_;
    void* pages_ = nullptr;
};

}  // namespace host
