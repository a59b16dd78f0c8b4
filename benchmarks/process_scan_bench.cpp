// The memory shield runs the process stage every ten seconds, on the user-interface thread: with
// a few hundred running programs and a thousand definitions it must stay far below that.
#include <benchmark/benchmark.h>

#include <string>

#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/line_codec.h"
#include "definitions/protected_paths.h"
#include "platform/sim/sim_machine.h"
#include "scan/results.h"
#include "scan/stages.h"
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

constexpr int kDefinitions = 1000;

// A machine running `programs` programs from a hundred folders, none of them a threat, and a
// thousand running-program definitions.
class BusyMachine {
 public:
  explicit BusyMachine(std::int64_t programs) {
    for (std::int64_t i = 0; i < programs; ++i) {
      const std::string path = "C:\\Program Files\\Vendor " + std::to_string(i % 100) +
                               "\\program" + std::to_string(i) + ".exe";
      sim_.files.AddFile(path, "MZ");
      sim_.processes.Start(path);
    }
    std::vector<std::string> lines;
    for (int i = 0; i < kDefinitions; ++i) {
      lines.push_back(definitions::ScrambleText(
          "threat" + std::to_string(i) + ".exe=Threat|[progfil]Threat " + std::to_string(i)));
    }
    sim_.files.AddFile(definitions::DataFilePath(data_, definitions::kExeDefinitionFile),
                       common::JoinLines(lines));
    counts_ = definitions::CountDefinitions(sim_.files, data_);
  }

  void Scan() {
    scan::ScanContext context{sim_.machine,
                              results_,
                              counters_,
                              exclusions_,
                              protectedPaths_,
                              data_,
                              counts_,
                              prefix_,
                              [](const std::string&, int, int) {},
                              [] {},
                              [] { return false; },
                              [](const std::string& key) { return key; },
                              [] { return true; },
                              &running_,
                              {},
                              {},
                              nullptr};
    scan::ScanMemory(context);
  }

 private:
  platform::sim::SimMachine sim_;
  std::string data_ = platform::sim::kSimDataFolder;
  ui::HeadlessHost host_;
  ui::Form form_{host_, ui::FormArgs{.name = "frmBench"}};
  ui::ListView found_{form_, Named("found")}, details_{form_, Named("details")},
      files_{form_, Named("files")}, registry_{form_, Named("registry")},
      cookies_{form_, Named("cookies")}, notFound_{form_, Named("notFound")};
  ui::Label traces_{form_, Named("traces")}, running_{form_, Named("running")};
  scan::ScanResults results_{{found_, details_, files_, registry_, cookies_, notFound_, traces_}};
  scan::ScanCounters counters_;
  definitions::Exclusions exclusions_{sim_.files};
  definitions::ProtectedPaths protectedPaths_{sim_.machine};
  definitions::DefinitionCounts counts_;
  std::string prefix_ = "Inspecting memory: ";
};

void BM_ProcessStage(benchmark::State& state) {
  BusyMachine machine(state.range(0));
  for (auto _ : state) machine.Scan();
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProcessStage)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
