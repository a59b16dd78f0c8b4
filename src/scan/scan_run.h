#pragma once

#include <functional>
#include <string>

#include "definitions/definition_files.h"
#include "localization/message_keys.h"
#include "platform/cached_shell_folders.h"
#include "platform/machine.h"
#include "scan/scan_context.h"

namespace scan {

// What a scan looks at, read once from the options before it starts.
struct ScanOptions {
  bool cookies = true;   // "chkScanCookies"
  bool memory = true;    // "chkSweepMemory"
  bool registry = true;  // "chkScanRegistry"
};

// The stages of a scan, in the order it runs them.
enum class Stage { Cookies, Memory, Registry, FilesAndFolders };

// How a scan shows itself. Every member may be empty.
struct ScanObserver {
  // One of the five definition files is missing: the scan does not start.
  std::function<void()> definitionsMissing;
  // The definitions are there and the stages are about to run: the bars start from nothing.
  std::function<void()> started;
  // A stage begins, with the key of its message (localization::msg::kCookies, ...) and the share of
  // the scan done before it where the bars show one (-1 otherwise); the status prefix is set.
  std::function<void(Stage stage, const char* messageKey, int donePercent)> stageBegan;
  // The stage is switched off in the options and does not run.
  std::function<void(Stage stage)> stageSkipped;
  // The stage is about to look at the machine (after stageBegan, when it runs).
  std::function<void(Stage stage)> stageRunning;
  // The stage has looked at the machine; overallPercent is the share of the scan done (-1
  // when unknown).
  std::function<void(Stage stage, int overallPercent)> stageEnded;
  // The scan went through every stage (or was stopped on the way).
  std::function<void()> finished;
};

// What a scan works with and reports through, besides the state of ScanState.
struct ScanServices {
  platform::Machine& machine;
  ScanResults& results;
  definitions::Exclusions& exclusions;
  definitions::ProtectedPaths& protectedPaths;
  const std::string& dataFolder;
  ScanState& state;
  // The current text of a message of the catalogue.
  std::function<std::string(const std::string& key)> message;
  // Lets pending events run; Stop and Pause take effect there.
  std::function<void()> yield;
  // True for a scan the user started; shield runs are not.
  std::function<bool()> userScan;
  // One definition line handled (see ScanContext::progress).
  std::function<void(const std::string& text, int stagePercent, int overallPercent)> progress;
  std::function<void(bool lock)> lockMainWindow;
  ui::Label* runningItems = nullptr;
  std::function<void(const std::string& fileName, const std::string& companyText,
                     std::uint32_t pid)>
      askAboutProcess;
};

// One scan of the machine, without any window: the presence check, the protected list, and the
// stages in their order as the options choose them. A test, a timer or the Scan Now command
// runs it alike.
class ScanRun {
 public:
  ScanRun(ScanServices services, ScanOptions options, ScanObserver observer);

  // False when a definition file is missing (nothing was scanned).
  bool Run();
  // The memory shield's look at the running programs: the process stage alone, as it stands,
  // without the presence check or a new protected list; what it meets it asks about through
  // ScanServices::askAboutProcess (userScan says false for it).
  void RunProcessStage();

 private:
  ScanContext Context(const definitions::DefinitionCounts& counts);

  ScanServices services_;
  ScanOptions options_;
  ScanObserver observer_;
  // The machine the stages see: the services' one, with the shell's folders remembered for
  // the length of one run.
  platform::CachedShellFolders shellFolders_{services_.machine.shellFolders};
  platform::Machine machine_;
};

}  // namespace scan
