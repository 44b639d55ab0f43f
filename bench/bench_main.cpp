#include "bench/bench_main.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/posix/host_services.h"

namespace bench {

namespace {

constexpr int kRepetitions = 5;
constexpr double kMinSeconds = 0.2;

class ScratchFolder {
  public:
    ScratchFolder() {
        char pattern[] = "/tmp/stats-bench-XXXXXX";
        ok_ = mkdtemp(pattern) != nullptr && chdir(pattern) == 0 && mkdir("Plugins", 0755) == 0;
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::current_path("/", ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    bool ok() const { return ok_; }

  private:
    std::string path_;
    bool ok_ = false;
};

}  // namespace

benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* b) {
    return b->Unit(benchmark::kMicrosecond)
        ->UseRealTime()
        ->MinTime(kMinSeconds)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

int RunBenchmarks(int argc, char** argv, bool (*setUp)(), void (*registerAll)(),
                  void (*tearDown)()) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    ScratchFolder scratch;
    if (!scratch.ok()) {
        std::perror("scratch folder");
        return 1;
    }
    plat::ResetHostServices();
    if (!setUp()) {
        return 1;
    }
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tearDown();
    return 0;
}

}  // namespace bench
