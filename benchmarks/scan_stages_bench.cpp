// The file and registry stages over large definition files on the simulated machine: lines per
// second, and the heap the stage takes on top of what was there before it started, which must
// not grow with the definition files (they are read line by line, a block at a time).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "scan/stage_harness.h"

namespace {

using platform::sim::kSimDataFolder;

// Ten lines name something that is there, however many lines there are, so that what the
// results lists take stays the same and only the reading could grow.
constexpr int kFound = 10;

std::size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// Runs a stage once per iteration on a fresh results list and reports lines per second and the
// largest heap growth seen at any of the stage's yields.
template <typename Stage>
void RunStage(benchmark::State& state, platform::sim::SimMachine& sim, Stage stage) {
  std::size_t growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto harness = std::make_unique<scan_test::StageHarness>(sim.machine, kSimDataFolder);
    harness->Prepare();
    scan::ScanContext context = harness->Context();
    // The harness keeps every progress call for tests; the program only shows the last.
    context.progress = [](const std::string&, int, int) {};
    const std::size_t baseline = HeapInUse();
    harness->onYield = [&] {
      const std::size_t now = HeapInUse();
      if (now > baseline) growth = std::max(growth, now - baseline);
    };
    state.ResumeTiming();
    stage(context);
    state.PauseTiming();
    harness.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["heap_growth_KiB"] = static_cast<double>(growth) / 1024.0;
}

void BM_FileStage(benchmark::State& state) {
  platform::sim::SimMachine sim;
  std::vector<std::string> lines;
  for (int i = 0; i < state.range(0); ++i) {
    const std::string name = "bench" + std::to_string(i) + ".exe";
    lines.push_back(name + "=Bench Threat " + std::to_string(i % 50) +
                    "|[progfil]Bench Adware|Adware");
    if (i % (state.range(0) / kFound) == 0)
      sim.files.AddFile("C:\\Program Files\\Bench Adware\\" + name, "MZ");
  }
  scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "FileDefinition.dat", lines);
  RunStage(state, sim, [](scan::ScanContext& context) { scan::ScanFileDefinitions(context); });
}
BENCHMARK(BM_FileStage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RegistryStage(benchmark::State& state) {
  platform::sim::SimMachine sim;
  std::vector<std::string> lines;
  for (int i = 0; i < state.range(0); ++i) {
    const std::string key = "Software\\Bench\\Key" + std::to_string(i);
    lines.push_back("1^" + key + "^Value=Bench Threat " + std::to_string(i % 50) + "|Adware");
    if (i % (state.range(0) / kFound) == 0)
      sim.registry.PutString(platform::kHkeyCurrentUser, key, "Value", "x");
  }
  scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "RegistryDefinition.dat", lines);
  RunStage(state, sim, [](scan::ScanContext& context) { scan::ScanRegistry(context); });
}
BENCHMARK(BM_RegistryStage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
