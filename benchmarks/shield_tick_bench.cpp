// A memory-shield tick runs on the user-interface thread every ten seconds, also while the
// program sits in the tray: with nothing to report it must pass unnoticed. 200 running programs
// and 20,000 running-program definitions, none of them matching.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/line_codec.h"
#include "definitions/protected_paths.h"
#include "platform/sim/sim_machine.h"
#include "protection/memory_shield.h"
#include "scan/results.h"
#include "scan/scan_run.h"
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

class QuietMachine {
 public:
  QuietMachine(int programs, int definitionCount) {
    for (int i = 0; i < programs; ++i) {
      const std::string path = "C:\\Program Files\\Vendor " + std::to_string(i % 50) +
                               "\\program" + std::to_string(i) + ".exe";
      sim_.files.AddFile(path, "MZ");
      sim_.processes.Start(path);
    }
    std::vector<std::string> lines;
    for (int i = 0; i < definitionCount; ++i) {
      lines.push_back(definitions::ScrambleText("threat" + std::to_string(i) +
                                                ".exe=Threat|[progfil]Threat " +
                                                std::to_string(i % 500)));
    }
    sim_.files.AddFile(definitions::DataFilePath(data_, definitions::kExeDefinitionFile),
                       common::JoinLines(lines));
  }

  void Tick() { shield_.Tick(); }
  int Asked() const { return asked_; }

 private:
  void RunStage(const protection::MemoryShield::Ask& ask) {
    scan::ScanServices services{
        .machine = sim_.machine,
        .results = results_,
        .exclusions = exclusions_,
        .protectedPaths = protectedPaths_,
        .dataFolder = data_,
        .state = state_,
        .message = [](const std::string& key) { return key; },
        .yield = [this] { host_.DoEvents(); },
        .userScan = [] { return false; },
        .progress = [](const std::string&, int, int) {},
        .lockMainWindow = [](bool) {},
        .runningItems = &running_,
        .askAboutProcess = ask,
    };
    scan::ScanRun(std::move(services), {}, {}).RunProcessStage();
  }

  platform::sim::SimMachine sim_;
  std::string data_ = platform::sim::kSimDataFolder;
  ui::HeadlessHost host_;
  ui::Form form_{host_, ui::FormArgs{.name = "frmBench"}};
  ui::ListView found_{form_, Named("found")}, details_{form_, Named("details")},
      files_{form_, Named("files")}, registry_{form_, Named("registry")},
      cookies_{form_, Named("cookies")}, notFound_{form_, Named("notFound")};
  ui::Label traces_{form_, Named("traces")}, running_{form_, Named("running")};
  scan::ScanResults results_{{found_, details_, files_, registry_, cookies_, notFound_, traces_}};
  scan::ScanState state_;
  definitions::Exclusions exclusions_{sim_.files};
  definitions::ProtectedPaths protectedPaths_{sim_.machine};
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
