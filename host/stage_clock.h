// The cost of each stage of a long run, for finding where the time goes:
// wall time, CPU time (this process and its finished workers) and the
// largest resident memory so far, one line per stage on standard error.
// Silent unless asked for (--timings).
#pragma once

#include <chrono>
#include <string>

namespace host {

class StageClock {
  public:
    explicit StageClock(bool on);
    // The stage that ends now, named as the line shows it ("read").
    void Done(const char* stage);

  private:
    struct Cpu {
        double self = 0;     // seconds of this process
        double workers = 0;  // seconds of its finished child processes
    };
    static Cpu CpuNow();

    bool on_;
    std::chrono::steady_clock::time_point wall_;
    Cpu cpu_;
};

}  // namespace host
