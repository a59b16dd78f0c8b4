#include "scan/scan_run.h"

#include <utility>

#include "definitions/definition_files.h"
#include "definitions/protected_paths.h"
#include "localization/message_keys.h"
#include "scan/stages.h"

namespace scan {

ScanRun::ScanRun(ScanServices services, ScanOptions options, ScanObserver observer)
    : services_(std::move(services)),
      options_(options),
      observer_(std::move(observer)),
      machine_(platform::WithShellFolders(services_.machine, shellFolders_)) {}

ScanContext ScanRun::Context(const definitions::DefinitionCounts& counts) {
  return ScanContext{
      .machine = machine_,
      .results = services_.results,
      .counters = services_.state.counters,
      .exclusions = services_.exclusions,
      .protectedPaths = services_.protectedPaths,
      .dataFolder = services_.dataFolder,
      .definitionCounts = counts,
      .statusPrefix = services_.state.statusPrefix,
      .progress = services_.progress,
      .yield = services_.yield,
      .stopRequested = [&state = services_.state] { return state.stopRequested; },
      .message = services_.message,
      .userScan = services_.userScan,
      .runningItems = services_.runningItems,
      .lockMainWindow = services_.lockMainWindow,
      .askAboutProcess = services_.askAboutProcess,
      .keptProcessDefinitions = &services_.state.keptProcessDefinitions,
  };
}

void ScanRun::RunProcessStage() {
  shellFolders_.Forget();
  const definitions::DefinitionCounts counts =
      definitions::CountDefinitions(services_.machine.files, services_.dataFolder);
  ScanContext context = Context(counts);
  ScanMemory(context);
}

bool ScanRun::Run() {
  shellFolders_.Forget();
  platform::Machine& machine = machine_;
  ScanState& state = services_.state;
  const std::string& data = services_.dataFolder;
  if (!definitions::CheckDefinitionFiles(machine.files, data, [this] {
        if (observer_.definitionsMissing) observer_.definitionsMissing();
      })) {
    return false;
  }
  auto stop = [&state] { return state.stopRequested; };
  services_.protectedPaths.LoadSafetyList(data, stop, services_.yield);
  const definitions::DefinitionCounts counts = definitions::CountDefinitions(machine.files, data);

  ScanContext context = Context(counts);

  if (observer_.started) observer_.started();
  auto begin = [&](Stage stage, const char* key, int donePercent) {
    state.statusPrefix = services_.message(key) + ": ";
    if (observer_.stageBegan) observer_.stageBegan(stage, key, donePercent);
  };
  auto running = [&](Stage stage) {
    if (observer_.stageRunning) observer_.stageRunning(stage);
  };
  auto skipped = [&](Stage stage) {
    if (observer_.stageSkipped) observer_.stageSkipped(stage);
  };
  auto ended = [&](Stage stage, int percent) {
    if (observer_.stageEnded) observer_.stageEnded(stage, percent);
  };
  const int cookiesShare = Percent(counts.cookies, counts.total);

  if (options_.cookies) {
    begin(Stage::Cookies, localization::msg::kCookies, -1);
    running(Stage::Cookies);
    ScanCookies(context);
    ended(Stage::Cookies, cookiesShare);
  }
  if (options_.memory) {
    begin(Stage::Memory, localization::msg::kMemory, -1);
    running(Stage::Memory);
    ScanMemory(context);
  } else {
    skipped(Stage::Memory);
  }
  // The registry's page text is shown whether or not the stage runs.
  begin(Stage::Registry, localization::msg::kRegistry, cookiesShare);
  if (options_.registry) {
    running(Stage::Registry);
    ScanRegistry(context);
  } else {
    skipped(Stage::Registry);
  }
  begin(Stage::FilesAndFolders, localization::msg::kSpyware, -1);
  running(Stage::FilesAndFolders);
  ScanFileDefinitions(context);
  ScanDirectoryDefinitions(context);
  if (observer_.finished) observer_.finished();
  return true;
}

}  // namespace scan
