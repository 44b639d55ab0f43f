// Times the live refresh's own work (the host's answers are immediate and
// the windows do nothing) and one paint of each table, on the generated
// logs of 1,000, 10,000 and 100,000 QSOs. The engine is linked in and fed
// through its exports, so the refresh reads the state those calls built.
//
// Benchmarks are named "plugin/<operation>/<QSOs>" like those of
// stats_bench, so scripts/bench.sh prints them in the same table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_log.h"
#include "bench/bench_main.h"
#include "host/plugin_host/plugin_loader.h"
#include "platform/sync.h"
#include "plugin/stats_exports.h"
#include "scoring/engine_state.h"
#include "tests/headless/recording_canvas.h"
#include "ui/live_refresh.h"
#include "ui/prev_qso_grid.h"
#include "ui/table_paint.h"

namespace {

using bench::BenchLog;

const size_t kSizes[] = {1000, 10000, 100000};

// The exports linked into this program, called through the loader's
// argument lists.
host::Plugin& LinkedEngine() {
    static host::Plugin engine;
    engine.resetStats0_ = &ResetStats0;
    engine.addData0_ = &AddData0;
    engine.removeData0_ = &RemoveData0;
    engine.checkCall0_ = &CheckCall0;
    engine.getResult0_ = &GetResult0;
    return engine;
}

const BenchLog& LogOf(size_t qsos) {
    return bench::CachedBenchLog(qsos);
}

// The engine holding the log, with the per-band lists of a results request.
void EnsureEngineHolds(size_t qsos) {
    static size_t held = 0;
    if (held == qsos) {
        return;
    }
    host::Plugin& engine = LinkedEngine();
    engine.Reset(bench::BenchRun());
    for (const host::QsoFields& q : LogOf(qsos).qsos) {
        engine.Add(q);
    }
    engine.Result();
    held = qsos;
}

// Answers at once, as if the host were free.
class ImmediateHost : public ui::RefreshHost {
  public:
    explicit ImmediateHost(std::string call) : call_(std::move(call)) {}
    bool IsConnected() override { return true; }
    bool GetFieldText(int /*field*/, std::string& text) override {
        text = call_;
        return true;
    }
    bool Frequency(double& hz) override {
        hz = 14025000.0;
        return true;
    }
    bool RunMacro(const std::string& /*macro*/) override { return true; }

  private:
    std::string call_;
};

// Every window open; drawing and captions cost nothing here.
class IdleWindows : public ui::RefreshWindows {
  public:
    void OpenRequestedWindows() override {}
    bool PrevQsoWindowOpen() override { return true; }
    void SetPrevQsoCaption(const std::string& text) override { benchmark::DoNotOptimize(text); }
    void RepaintPrevQsoTable() override {}
    bool DxccWindowExists() override { return true; }
    void SetDxccCaption(const std::string& text) override { benchmark::DoNotOptimize(text); }
    void RepaintDxccTable() override {}
    bool CountyWindowExists() override { return true; }
    void SetCountyCaption(const std::string& text) override { benchmark::DoNotOptimize(text); }
    void ResetCountyMarks() override { marks_ = ui::CountyMarks(); }
    ui::CountyMarks CountyMarksNow() override { return marks_; }
    void MarkCounty(int k) override { marks_[static_cast<size_t>(k)] = true; }

  private:
    ui::CountyMarks marks_{};
};

// One refresh for a call worked before, with the radio on 20 m.
void Refresh(benchmark::State& state, size_t qsos) {
    EnsureEngineHolds(qsos);
    ImmediateHost host(LogOf(qsos).knownCall.call);
    IdleWindows windows;
    ui::ResetLiveState();
    ui::RunRefresh(host, windows);
    bool filled = false;
    {
        plat::LockGuard lock(EngineLock());
        // The refresh's cost follows the call's own QSOs, not the log's size.
        state.counters["callQsos"] =
            static_cast<double>(g_log.PositionsOfCall(LogOf(qsos).knownCall.call).size());
        for (const std::vector<std::string>& row : g_prevQsoRows) {
            filled = filled || (row.size() > 3 && row[3] != ui::kEmptyGridCell);
        }
    }
    if (!filled || ui::Live().currentBandIndex != 3) {
        state.SkipWithError("the refresh did not fill the grid of a worked call");
        return;
    }
    for (auto _ : state) {
        ui::RunRefresh(host, windows);
    }
}

// One paint of a table after a refresh for a worked call, with the radio on
// 20 m: the snapshot taken under the engine lock and the drawing onto a
// recording canvas the size of the control. The DXCC window's table is
// timed with no call typed, so it shows the band's prefixes.
void Paint(benchmark::State& state, size_t qsos, bool prevQsoTable) {
    EnsureEngineHolds(qsos);
    ImmediateHost host(prevQsoTable ? LogOf(qsos).knownCall.call : std::string());
    IdleWindows windows;
    ui::ResetLiveState();
    ui::RunRefresh(host, windows);
    const plat::Rect item{0, 0, 370, 196};
    for (auto _ : state) {
        plat::RecordingCanvas canvas(item);
        if (prevQsoTable) {
            ui::PaintPrevQsoTable(canvas, item);
        } else {
            ui::PaintDxccTable(canvas, item);
        }
        benchmark::DoNotOptimize(canvas.Ops().size());
    }
}

void RegisterAll() {
    for (size_t qsos : kSizes) {
        const std::string n = "/" + std::to_string(qsos);
        bench::Timed(benchmark::RegisterBenchmark(("plugin/Refresh" + n).c_str(), Refresh, qsos));
        bench::Timed(
            benchmark::RegisterBenchmark(("plugin/PaintPrevQso" + n).c_str(), Paint, qsos, true));
        bench::Timed(
            benchmark::RegisterBenchmark(("plugin/PaintDxcc" + n).c_str(), Paint, qsos, false));
    }
}

}  // namespace

bool NothingToSetUp() {
    return true;
}

void NothingToTearDown() {}

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv, NothingToSetUp, RegisterAll, NothingToTearDown);
}
