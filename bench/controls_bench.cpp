// One paint of each table control, through its off-screen surface onto the
// recording canvas (whose bookkeeping is part of the figure): the
// previous-QSO table, and the DXCC list by the number of prefixes worked
// on the band, which it sorts at every paint.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/prev_table.h"
#include "controls/qyu_table.h"
#include "tests/headless/recording_canvas.h"

namespace {

controls::QsoTableSnapshot Snapshot(int prefixes) {
    controls::QsoTableSnapshot s;
    const char* bands[] = {"80m", "80m", "40m", "20m", "15m", "10m"};
    for (int b = 0; b < kBandSlots; ++b) {
        s.prevQsoRows[static_cast<std::size_t>(b)] = {bands[b], "12:05", "12:40",
                                                      "BGD",    "   -",  "   -"};
    }
    s.currentBandIndex = 3;
    s.currentCall = "YU1AA";
    // Prefixes in descending order, the sort's worst input.
    for (int i = prefixes; i > 0; --i) {
        s.bandDxcc.push_back("P" + std::to_string(i));
    }
    return s;
}

void BM_PrevTablePaint(benchmark::State& state) {
    const controls::QsoTableSnapshot s = Snapshot(0);
    const plat::Rect item{0, 0, 370, 196};
    for (auto _ : state) {
        plat::RecordingCanvas target(item);
        benchmark::DoNotOptimize(controls::CPrev().DrawItem(target, item, s));
    }
}
BENCHMARK(BM_PrevTablePaint);

void BM_DxccListPaint(benchmark::State& state) {
    controls::QsoTableSnapshot s = Snapshot(static_cast<int>(state.range(0)));
    s.currentCall.clear();
    const plat::Rect item{0, 0, 366, 213};
    for (auto _ : state) {
        plat::RecordingCanvas target(item);
        controls::CQYU().DrawItem(target, item, s);
        benchmark::DoNotOptimize(target.Ops().data());
    }
}
BENCHMARK(BM_DxccListPaint)->Arg(10)->Arg(100)->Arg(340);

}  // namespace

BENCHMARK_MAIN();
