// Every trace a scan finds asks whether its threat was found before, so the look-up must not walk
// the found list: with ten rows or a hundred thousand it should cost the same.
#include <benchmark/benchmark.h>

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
  explicit FilledResults(std::int64_t threats) {
    for (std::int64_t i = 0; i < threats; ++i) {
      results_.AddGroupRow("Threat number " + std::to_string(i), scan::kIconFile);
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

}  // namespace
