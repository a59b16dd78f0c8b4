#pragma once

#include <string>

#include "scan/scan_context.h"
#include "scheduler/schedule.h"
#include "update/live_update.h"

namespace app {

// What the running program knows about itself beyond its windows: set once by the start-up
// steps (the data folder, the language, the definitions' count) or kept up by the runs that
// change it. One copy per process; a window reads it, never keeps its own.
struct ProcessState {
  // The user's data folder: definitions, exclusions, quarantine, the scan report.
  std::string dataFolder;
  // The language in effect. The stored setting is what the next start reads; this is the only
  // copy that the windows translate themselves into.
  std::string language = "English";
  long definitionCount = 0;
  // The counters and times of the scan that ran last or runs now, and a stop asked for.
  scan::ScanState scan;
  // A scheduled scan that removes what it finds is running.
  bool autoDeleteInProgress = false;
  // Which second the last scheduled scan started in.
  scheduler::Scheduler scheduledScans;
  // The automatic Live Update's idle seconds.
  update::AutoUpdateCounter autoUpdate;
};

}  // namespace app
