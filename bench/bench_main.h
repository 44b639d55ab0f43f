// What every benchmark program of the plug-in shares: the common timing
// settings and a main that runs the benchmarks in a scratch folder of their
// own (the plug-in writes its files into the current folder).
#pragma once

#include <benchmark/benchmark.h>

namespace bench {

// Microseconds of real time, the median of five runs of at least 0.2 s.
benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* b);

// Parses the benchmark arguments, makes a fresh folder with its "Plugins"
// folder current, resets the host services, runs setUp (false ends the
// program with 1), the benchmarks that registerAll registered, and
// tearDown; then removes the folder. The exit status of the program.
int RunBenchmarks(int argc, char** argv, bool (*setUp)(), void (*registerAll)(),
                  void (*tearDown)());

}  // namespace bench
