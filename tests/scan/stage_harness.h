#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/line_codec.h"
#include "definitions/protected_paths.h"
#include "platform/machine.h"
#include "scan/scan_context.h"
#include "scan/stages.h"
#include "ui/basic_controls.h"
#include "ui/form.h"
#include "ui/headless_host.h"
#include "ui/list_view.h"

namespace scan_test {

inline ui::ControlArgs Named(const char* name, const char* caption = "") {
  ui::ControlArgs args;
  args.name = name;
  args.caption = caption;
  return args;
}

// Stores plain definition lines as the program keeps them: scrambled, one per CR LF line.
inline bool WriteDefinitionFile(platform::Files& files, const std::string& dataFolder,
                                const std::string& name, const std::vector<std::string>& lines) {
  std::vector<std::string> stored;
  for (const std::string& line : lines) stored.push_back(definitions::ScrambleText(line));
  return static_cast<bool>(
      files.WriteAll(definitions::DataFilePath(dataFolder, name), common::JoinLines(stored)));
}

// What a stage needs from the scan around it, on any machine: the results lists, the counters,
// the exclusions and protected paths of the data folder, the definition counts, and recorded
// progress and yields with a stop flag a test can set from a yield.
class StageHarness {
 public:
  struct ProgressCall {
    std::string text;
    int stagePercent;
    int overallPercent;
  };

  StageHarness(platform::Machine& machine, std::string dataFolder)
      : machine(machine),
        dataFolder(std::move(dataFolder)),
        exclusions(machine.files),
        protectedPaths(machine) {}

  // What a scan does before its stages: the exclusion and protected lists and the counts.
  void Prepare() {
    exclusions.LoadExclusions(dataFolder);
    protectedPaths.LoadSafetyList(dataFolder);
    counts = definitions::CountDefinitions(machine.files, dataFolder);
  }

  scan::ScanContext Context() {
    return scan::ScanContext{machine,
                             results,
                             counters,
                             exclusions,
                             protectedPaths,
                             dataFolder,
                             counts,
                             statusPrefix,
                             [this](const std::string& text, int stagePercent, int overallPercent) {
                               progress.push_back({text, stagePercent, overallPercent});
                             },
                             [this] {
                               ++yields;
                               if (onYield) onYield();
                             },
                             [this] { return stop; },
                             [](const std::string& key) { return key; },
                             [] { return true; },
                             nullptr,
                             {},
                             {},
                             nullptr};
  }

  void RunFileStages() {
    Prepare();
    scan::ScanContext context = Context();
    scan::ScanFileDefinitions(context);
    scan::ScanDirectoryDefinitions(context);
  }
  void RunRegistryStage() {
    Prepare();
    scan::ScanContext context = Context();
    scan::ScanRegistry(context);
  }

  platform::Machine& machine;
  std::string dataFolder;
  ui::HeadlessHost host;
  ui::Form form{host, [] {
                  ui::FormArgs args;
                  args.name = "frmStage";
                  return args;
                }()};
  ui::ListView found{form, Named("found")}, details{form, Named("details")},
      files{form, Named("files")}, registry{form, Named("registry")},
      cookies{form, Named("cookies")}, notFound{form, Named("notFound")};
  ui::Label traces{form, Named("traces", "0")};
  scan::ScanResults results{{found, details, files, registry, cookies, notFound, traces}};
  scan::ScanCounters counters;
  definitions::Exclusions exclusions;
  definitions::ProtectedPaths protectedPaths;
  definitions::DefinitionCounts counts;
  std::string statusPrefix = "Scanning: ";
  std::vector<ProgressCall> progress;
  int yields = 0;
  bool stop = false;
  std::function<void()> onYield;
};

}  // namespace scan_test
