// Times the plug-in's exports on generated logs of 1,000, 10,000 and
// 100,000 QSOs, called through the loaded library as the host calls them,
// and the same operations on the reference model of the scoring rules, so
// that every figure can be read as a ratio to the plain implementation.
//
// Benchmarks are named "<who>/<operation>/<QSOs>", who being "plugin",
// "model", or "floor" (the cost removal cannot go below: rewriting the
// bad-QSO file and one pass over the log). The plug-in writes its files into
// the current directory, so the program runs in a scratch folder of its own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_log.h"
#include "bench/bench_main.h"
#include "host/plugin_host/plugin_loader.h"
#include "tests/model/reference_model.h"

namespace {

using bench::BenchLog;

const size_t kSizes[] = {1000, 10000, 100000};

host::Plugin g_plugin;
size_t g_pluginQsos = 0;  // the log the plug-in holds; 0 when unknown
std::map<size_t, model::ReferenceModel> g_models;

const BenchLog& LogOf(size_t qsos) {
    return bench::CachedBenchLog(qsos);
}

void LoadPlugin(const BenchLog& log) {
    g_plugin.Reset(bench::BenchRun());
    for (const host::QsoFields& q : log.qsos) {
        g_plugin.Add(q);
    }
}

void LoadModel(model::ReferenceModel& m, const BenchLog& log) {
    m.ResetStats(bench::BenchRun(), "Larq");
    for (const host::QsoFields& q : log.qsos) {
        m.AddData(q);
    }
}

void EnsurePluginHolds(size_t qsos) {
    if (g_pluginQsos != qsos) {
        LoadPlugin(LogOf(qsos));
        g_pluginQsos = qsos;
    }
}

model::ReferenceModel& ModelHolding(size_t qsos) {
    auto found = g_models.find(qsos);
    if (found == g_models.end()) {
        found = g_models.emplace(qsos, model::ReferenceModel()).first;
        LoadModel(found->second, LogOf(qsos));
    }
    return found->second;
}

// The model, when a benchmark before has already loaded it with this log.
const model::ReferenceModel* LoadedModel(size_t qsos) {
    auto found = g_models.find(qsos);
    return found == g_models.end() ? nullptr : &found->second;
}

void PluginLoad(benchmark::State& state, size_t qsos) {
    const BenchLog& log = LogOf(qsos);
    g_pluginQsos = 0;
    for (auto _ : state) {
        LoadPlugin(log);
    }
    g_pluginQsos = qsos;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(qsos));
}

void ModelLoad(benchmark::State& state, size_t qsos) {
    const BenchLog& log = LogOf(qsos);
    model::ReferenceModel& m = g_models[qsos];
    for (auto _ : state) {
        LoadModel(m, log);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(qsos));
}

// What each kind of call check must answer; a benchmark of the wrong
// question would time nothing useful.
bool AnswerFits(const host::CallCheck BenchLog::*which, const host::CallCheckAnswer& a) {
    if (which == &BenchLog::dupeCall) {
        return a.status == 0;
    }
    if (which == &BenchLog::knownCall) {
        return a.status != 0 && !a.prevExchange.empty();
    }
    return a.status != 0 && a.bufferWritten && a.prevExchange.empty();
}

void PluginCheckCall(benchmark::State& state, size_t qsos, const host::CallCheck BenchLog::*which) {
    EnsurePluginHolds(qsos);
    const BenchLog& log = LogOf(qsos);
    const host::CallCheck& check = log.*which;
    const host::CallCheckAnswer first = g_plugin.Check(check);
    const model::ReferenceModel* m = LoadedModel(qsos);
    if (!AnswerFits(which, first) ||
        (m != nullptr && (m->CheckCall(check).status != first.status ||
                          m->CheckCall(check).prevExchange != first.prevExchange))) {
        state.SkipWithError("the call check does not answer as expected");
        return;
    }
    for (auto _ : state) {
        host::CallCheckAnswer answer = g_plugin.Check(check);
        benchmark::DoNotOptimize(answer);
    }
}

void ModelCheckCall(benchmark::State& state, size_t qsos, const host::CallCheck BenchLog::*which) {
    const model::ReferenceModel& m = ModelHolding(qsos);
    const host::CallCheck& check = LogOf(qsos).*which;
    for (auto _ : state) {
        host::CallCheckAnswer answer = m.CheckCall(check);
        benchmark::DoNotOptimize(answer);
    }
}

void PluginGetResult(benchmark::State& state, size_t qsos) {
    EnsurePluginHolds(qsos);
    model::ReferenceModel* m = g_models.count(qsos) != 0 ? &g_models[qsos] : nullptr;
    if (m != nullptr && m->GetResult(nullptr) != g_plugin.Result()) {
        state.SkipWithError("the plug-in's result differs from the model's");
        return;
    }
    for (auto _ : state) {
        std::string text = g_plugin.Result();
        benchmark::DoNotOptimize(text);
    }
}

void ModelGetResult(benchmark::State& state, size_t qsos) {
    model::ReferenceModel& m = ModelHolding(qsos);
    for (auto _ : state) {
        std::string text = m.GetResult(nullptr);
        benchmark::DoNotOptimize(text);
    }
}

// Each iteration takes the middle QSO out; adding it back, untimed, restores
// the counts for the next one.
void PluginRemove(benchmark::State& state, size_t qsos) {
    EnsurePluginHolds(qsos);
    const host::QsoFields& q = LogOf(qsos).qsos[LogOf(qsos).middle];
    for (auto _ : state) {
        g_plugin.Remove(q);
        state.PauseTiming();
        g_plugin.Add(q);
        state.ResumeTiming();
    }
}

void ModelRemove(benchmark::State& state, size_t qsos) {
    model::ReferenceModel& m = ModelHolding(qsos);
    const host::QsoFields& q = LogOf(qsos).qsos[LogOf(qsos).middle];
    for (auto _ : state) {
        m.RemoveData(q);
        state.PauseTiming();
        m.AddData(q);
        state.ResumeTiming();
    }
}

// The least removal can cost: read the plug-in's bad-QSO file, write it
// again through a temporary file, and compare every QSO of the log with the
// one to remove.
void RemoveFloor(benchmark::State& state, size_t qsos) {
    EnsurePluginHolds(qsos);
    const BenchLog& log = LogOf(qsos);
    host::QsoFields absent = log.qsos[log.middle];
    absent.call += "/P";
    for (auto _ : state) {
        std::ifstream in(bench::BenchBadQsoFileName(), std::ios::binary);
        std::string bytes;
        for (std::string line; std::getline(in, line);) {
            bytes += line;
            bytes += '\n';
        }
        {
            std::ofstream out("floor.txt.new", std::ios::binary | std::ios::trunc);
            out << bytes;
        }
        std::rename("floor.txt.new", "floor.txt");
        size_t matches = 0;
        for (const host::QsoFields& q : log.qsos) {
            matches += q.call == absent.call && q.band == absent.band && q.mode == absent.mode &&
                               q.time.m_dt == absent.time.m_dt
                           ? 1
                           : 0;
        }
        benchmark::DoNotOptimize(matches);
    }
}

template <typename Fn, typename... Args>
benchmark::internal::Benchmark* Register(const std::string& name, Fn fn, Args... args) {
    return bench::Timed(benchmark::RegisterBenchmark(name.c_str(), fn, args...));
}

void RegisterAll() {
    const std::pair<const char*, const host::CallCheck BenchLog::*> checks[] = {
        {"CheckCall-new", &BenchLog::newCall},
        {"CheckCall-dupe", &BenchLog::dupeCall},
        {"CheckCall-known", &BenchLog::knownCall},
    };
    for (size_t qsos : kSizes) {
        const std::string n = "/" + std::to_string(qsos);
        Register("plugin/Load" + n, PluginLoad, qsos);
        // Loading the model is quadratic: one load of the largest log is
        // enough to read its time.
        if (qsos >= 100000) {
            benchmark::RegisterBenchmark(("model/Load" + n).c_str(), ModelLoad, qsos)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime()
                ->Iterations(1);
        } else {
            Register("model/Load" + n, ModelLoad, qsos);
        }
        for (const auto& check : checks) {
            Register(std::string("plugin/") + check.first + n, PluginCheckCall, qsos, check.second);
            Register(std::string("model/") + check.first + n, ModelCheckCall, qsos, check.second);
        }
        Register("plugin/GetResult" + n, PluginGetResult, qsos);
        Register("model/GetResult" + n, ModelGetResult, qsos);
        Register("plugin/RemoveData" + n, PluginRemove, qsos);
        Register("model/RemoveData" + n, ModelRemove, qsos);
        Register("floor/RemoveData" + n, RemoveFloor, qsos);
    }
}

}  // namespace

bool LoadThePlugin() {
    if (!g_plugin.Load(STATS_PLUGIN_PATH)) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", g_plugin.error().c_str());
        return false;
    }
    return true;
}

void UnloadThePlugin() {
    g_plugin.Unload();
}

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv, LoadThePlugin, RegisterAll, UnloadThePlugin);
}
