// Every trace a scan finds asks whether its threat was found before, so the look-up must not walk
// the found list: with ten rows or a hundred thousand it should cost the same. Select All ticks
// every threat and so every trace, and the removal purges them all: both must grow with the
// number of rows, not with its square (2,000 and 20,000 rows; the complexity says "N").
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "scan/results.h"
#include "ui/basic_controls.h"
#include "ui/form.h"
#include "ui/headless_host.h"
#include "ui/list_view.h"

namespace {

ui::ControlArgs Named(const char* name) {
  ui::ControlArgs args;
  args.name = name;
  return args;
}

class FilledResults {
 public:
  explicit FilledResults(std::int64_t threats, bool withTraces = false) {
    for (std::int64_t i = 0; i < threats; ++i) {
      const std::string name = "Threat number " + std::to_string(i);
      results_.AddGroupRow(name, scan::kIconFile);
      if (!withTraces) continue;
      // Half the threats found by a file, half by a registry key, each with one trace.
      if (i % 2 == 0) {
        const std::string path = "C:\\Program Files\\Vendor " + std::to_string(i) + "\\a.dll";
        results_.AddDetailsRow(name, path, "Adware", scan::kIconFile);
        results_.AddFileRow(path, name, scan::kIconFile);
      } else {
        const std::string key = "Software\\Vendor " + std::to_string(i);
        results_.AddDetailsRow(name, key, "Adware", scan::kIconRegistry);
        results_.AddRegistryRow("-2147483647", key, "", name);
      }
    }
  }
  scan::ScanResults& results() { return results_; }

 private:
  ui::HeadlessHost host_;
  ui::Form form_{host_, ui::FormArgs{.name = "frmBench"}};
  ui::ListView found_{form_, Named("found")}, details_{form_, Named("details")},
      files_{form_, Named("files")}, registry_{form_, Named("registry")},
      cookies_{form_, Named("cookies")}, notFound_{form_, Named("notFound")};
  ui::Label traces_{form_, Named("traces")};
  scan::ScanResults results_{{found_, details_, files_, registry_, cookies_, notFound_, traces_}};
};

void BM_HasThreatHit(benchmark::State& state) {
  FilledResults filled(state.range(0));
  const std::string name = "THREAT NUMBER " + std::to_string(state.range(0) / 2);
  for (auto _ : state) benchmark::DoNotOptimize(filled.results().HasThreat(name));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_HasThreatHit)->Arg(10)->Arg(1000)->Arg(100000)->Complexity();

void BM_HasThreatMiss(benchmark::State& state) {
  FilledResults filled(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(filled.results().HasThreat("Unknown Adware"));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_HasThreatMiss)->Arg(10)->Arg(1000)->Arg(100000)->Complexity();

// The rows of Select All: every threat ticked, each reaching its traces.
void BM_SelectAll(benchmark::State& state) {
  const std::int64_t rows = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    auto filled = std::make_unique<FilledResults>(rows, true);
    state.ResumeTiming();
    for (std::int64_t row = 0; row < rows; ++row)
      filled->results().TickThreat(static_cast<int>(row), true);
    state.PauseTiming();
    filled.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(rows);
}
BENCHMARK(BM_SelectAll)->Arg(2'000)->Arg(20'000)->Unit(benchmark::kMillisecond)->Complexity();

// A user's tick on one threat among many, and the tick taken back: it reaches that threat's
// traces through the index, so it costs the same at 2,000 rows as at 20,000.
void BM_TickOneThreat(benchmark::State& state) {
  const std::int64_t rows = state.range(0);
  FilledResults filled(rows, true);
  const int middle = static_cast<int>(rows / 2);
  for (auto _ : state) {
    filled.results().TickThreat(middle, true);
    filled.results().TickThreat(middle, false);
  }
  state.SetComplexityN(rows);
}
BENCHMARK(BM_TickOneThreat)->Arg(2'000)->Arg(20'000)->Complexity();

// Everything ticked, then taken out as after a removal.
void BM_PurgeAll(benchmark::State& state) {
  const std::int64_t rows = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    auto filled = std::make_unique<FilledResults>(rows, true);
    for (std::int64_t row = 0; row < rows; ++row)
      filled->results().TickThreat(static_cast<int>(row), true);
    state.ResumeTiming();
    filled->results().RemoveChecked();
    state.PauseTiming();
    filled.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(rows);
}
BENCHMARK(BM_PurgeAll)->Arg(2'000)->Arg(20'000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
