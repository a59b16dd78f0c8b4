// A memory-shield tick runs on the user-interface thread every ten seconds, also while the
// program sits in the tray: with nothing to report it must pass unnoticed. 200 running programs
// and 20,000 running-program definitions (four programs to a threat's folder), none of them
// matching.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/line_codec.h"
#include "platform/sim/sim_machine.h"
#include "protection/memory_shield.h"
#include "scan/scan_run.h"
#include "scan/stage_harness.h"

namespace {

class QuietMachine {
 public:
  QuietMachine(int programs, int definitionCount) {
    for (int i = 0; i < programs; ++i) {
      const std::string path = "C:\\Program Files\\Vendor " + std::to_string(i % 50) + "\\program" +
                               std::to_string(i) + ".exe";
      sim_.files.AddFile(path, "MZ");
      sim_.processes.Start(path);
    }
    std::vector<std::string> lines;
    for (int i = 0; i < definitionCount; ++i) {
      lines.push_back(definitions::ScrambleText(
          "threat" + std::to_string(i) + ".exe=Threat|[progfil]Threat " + std::to_string(i / 4)));
    }
    sim_.files.AddFile(
        definitions::DataFilePath(harness_.dataFolder, definitions::kExeDefinitionFile),
        common::JoinLines(lines));
  }

  void Tick() { shield_.Tick(); }
  int Asked() const { return asked_; }

 private:
  // The program's shield run: its own process stage, yielding to the event loop after every
  // definition line and every program.
  void RunStage(const protection::MemoryShield::Ask& ask) {
    scan::ScanServices services{
        .machine = sim_.machine,
        .results = harness_.results,
        .exclusions = harness_.exclusions,
        .protectedPaths = harness_.protectedPaths,
        .dataFolder = harness_.dataFolder,
        .state = state_,
        .message = [](const std::string& key) { return key; },
        .yield = [this] { harness_.host.DoEvents(); },
        .userScan = [] { return false; },
        .progress = [](const std::string&, int, int) {},
        .lockMainWindow = [](bool) {},
        .runningItems = &harness_.traces,
        .askAboutProcess = ask,
    };
    scan::ScanRun(std::move(services), {}, {}).RunProcessStage();
  }

  platform::sim::SimMachine sim_;
  scan_test::StageHarness harness_{sim_.machine, platform::sim::kSimDataFolder};
  scan::ScanState state_;
  int asked_ = 0;
  protection::MemoryShield shield_{protection::MemoryShield::Services{
      .processes = sim_.processes,
      .shieldOn = [] { return true; },
      .setBackgroundTimers = [](bool) {},
      .runProcessStage = [this](const protection::MemoryShield::Ask& ask) { RunStage(ask); },
      .askUser =
          [this](const std::string&, const std::string&, std::uint32_t) {
            ++asked_;
            return protection::frmSpywareFoundAlert::Answer::None;
          },
      .ending = [] { return false; },
  }};
};

void BM_MemoryShieldTickNothingToReport(benchmark::State& state) {
  QuietMachine machine(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) machine.Tick();
  if (machine.Asked() != 0) state.SkipWithError("a quiet machine was asked about");
}
BENCHMARK(BM_MemoryShieldTickNothingToReport)
    ->Args({200, 20000})
    ->Args({200, 2000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
