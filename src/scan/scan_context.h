#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "definitions/definition_files.h"
#include "platform/machine.h"
#include "scan/results.h"

namespace definitions {
class Exclusions;
class ProtectedPaths;
}  // namespace definitions

namespace scan {

// The scan-wide counters shown on the scan page.
struct ScanCounters {
  std::int32_t cookiesAndProcessesInspected = 0;
  std::int32_t registryEntriesInspected = 0;
  std::int32_t filesAndFoldersInspected = 0;
  std::int32_t threatsFound = 0;
};

// Everything a scan stage works with: it reads its definition file from the data folder, tests
// the machine, tests each hit against the protected paths and the exclusions, writes rows into
// the results and counts, reports progress once per definition line, yields after every line
// and ends early once a stop is requested.
struct ScanContext {
  platform::Machine& machine;
  ScanResults& results;
  ScanCounters& counters;
  definitions::Exclusions& exclusions;
  definitions::ProtectedPaths& protectedPaths;
  const std::string& dataFolder;
  // The lines of each definition file, for the percentages.
  const definitions::DefinitionCounts& definitionCounts;
  // The current stage's message and ": ", put in front of each progress text.
  const std::string& statusPrefix;
  // One definition line handled: the status text and the stage's and the whole scan's percent
  // (a negative percent leaves its bar as it is).
  std::function<void(const std::string& text, int stagePercent, int overallPercent)> progress;
  // Lets pending events run; Stop and Pause take effect here.
  std::function<void()> yield;
  std::function<bool()> stopRequested;
  // The current text of a message of the catalogue.
  std::function<std::string(const std::string& key)> message;
  // True for a scan the user started; the shields run the process and cookie stages as well.
  std::function<bool()> userScan;

  // What the process stage needs besides. The label that shows the number of running programs
  // (`lblTotalNoOfRunningItems`); none leaves the number unshown.
  ui::Label* runningItems = nullptr;
  // `LockMainWindow`: stops (true) or allows again (false) the main window's repainting.
  std::function<void(bool lock)> lockMainWindow;
  // Shield runs only: fills the memory-shield alert with the file name and the company text of
  // the matched process (pid), shows it and waits, letting events run, until the user has
  // answered or closed it. Without it a shield run asks nothing.
  std::function<void(const std::string& fileName, const std::string& companyText,
                     std::uint32_t pid)>
      askAboutProcess;
  // The 9x family's decoded running-program definitions, kept between runs (see ScanState).
  std::string* keptProcessDefinitions = nullptr;
};

// part / whole * 100 as a whole number, halves rounded to the even number; -1 (leave the bar)
// when there is nothing to divide by or the result does not fit 16 bits.
int Percent(double part, double whole);

// The status text with the words of the status filter taken out, letter case ignored.
std::string FilterStatusText(const std::string& text);

}  // namespace scan

namespace scan {

// The state of the scan that is running or ran last.
struct ScanState {
  bool stopRequested = false;
  std::string statusPrefix;
  ScanCounters counters;
  // Progress calls since the scan page was last refreshed.
  int refreshTick = 0;
  std::string scanStartTime;
  std::string scanEndTime;
  // The 9x family reads the running-program definitions once and keeps them, decoded, one line
  // each, for every later run until a stop request empties them.
  std::string keptProcessDefinitions;
};

}  // namespace scan
