#include "host/stage_clock.h"

#include <cstdio>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace host {
namespace {

#if !defined(_WIN32)
double Seconds(const rusage& u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
#endif

// The largest resident set of this process or of one finished worker, in MB.
long PeakMegabytes() {
#if defined(_WIN32)
    return 0;
#else
    rusage self{};
    rusage children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    const long kb = self.ru_maxrss > children.ru_maxrss ? self.ru_maxrss : children.ru_maxrss;
    return kb / 1024;
#endif
}

}  // namespace

StageClock::StageClock(bool on)
    : on_(on), wall_(std::chrono::steady_clock::now()), cpu_(CpuNow()) {}

StageClock::Cpu StageClock::CpuNow() {
    Cpu c;
#if !defined(_WIN32)
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    c.self = Seconds(u);
    getrusage(RUSAGE_CHILDREN, &u);
    c.workers = Seconds(u);
#endif
    return c;
}

void StageClock::Done(const char* stage) {
    if (!on_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    const Cpu cpu = CpuNow();
    std::fprintf(stderr,
                 "stats-host: timing: %-10s %7.3f s wall, CPU %7.3f s here + %7.3f s in workers, "
                 "peak %ld MB\n",
                 stage, std::chrono::duration<double>(now - wall_).count(), cpu.self - cpu_.self,
                 cpu.workers - cpu_.workers, PeakMegabytes());
    wall_ = now;
    cpu_ = cpu;
}

}  // namespace host
