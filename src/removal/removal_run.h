#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "localization/message_keys.h"
#include "platform/machine.h"

namespace definitions {
class ProtectedPaths;
}  // namespace definitions

namespace removal {

class Quarantine;
class RestorePoint;

// What a removal works on: one ticked trace of a work list.
enum class WorkKind { File, Registry, Cookie };

struct WorkItem {
  WorkKind kind = WorkKind::File;
  // Its place in its work list (1-based) and that list's length, for the progress text.
  int row = 0;
  int rows = 0;
  // Files, folders and cookies: the path. Registry: the hive as its signed number.
  std::string text;
  // Registry: the key below the hive and the value's name (empty for the whole key).
  std::string key;
  std::string value;
  // The threat it belongs to (a folder's or cookie's is empty).
  std::string threat;
};

// A trace that stayed: what "Delete Failed" lists for it.
struct Failure {
  const WorkItem* item = nullptr;
  std::string shown;
};

// How a removal shows itself. Every member may be empty.
struct RemovalObserver {
  // A stage of the removal, as the key of its message: localization::msg::kInformation while it
  // gathers, localization::msg::kRestorepoint while it asks for a restore point,
  // localization::msg::kRemoving as each pass begins;
  // "" clears the text.
  std::function<void(const char* messageKey)> stage;
  // A pass begins: the bar starts again from 0 up to this.
  std::function<void(int maximum)> passBegan;
  // One trace is taken on: the bar advances; its place, and the text to show (its location).
  std::function<void(const WorkItem& item, const std::string& caption)> itemBegan;
  // Lets pending events run.
  std::function<void()> yield;
};

// The removal of the ticked traces, without any window: the quarantine folder, a restore point
// around the work where the system offers one, a first pass that backs up, logs and removes, a
// second pass that retries without logging, and the traces that stayed. A test, a timer or the
// Delete command runs it alike.
class RemovalRun {
 public:
  struct Settings {
    std::string programName;  // for the restore point's description
    // The main window, handed to the library routines.
    std::uintptr_t window = 0;
    // Whether the passes reset the bar (the results page lists threats).
    bool showPasses = true;
    int barMaximum = 0;
  };

  RemovalRun(platform::Machine& machine, Quarantine& quarantine, RestorePoint& restorePoint,
             definitions::ProtectedPaths& protectedPaths, Settings settings,
             RemovalObserver observer);

  // Removes the items (files, then registry entries, then cookies, each in list order) and
  // returns what stayed, in the order the retry pass met it: files still there, traces kept
  // for want of a backup, and every trace protection refused.
  std::vector<Failure> Run(const std::vector<WorkItem>& items);

 private:
  class Pass;

  platform::Machine& machine_;
  Quarantine& quarantine_;
  RestorePoint& restorePoint_;
  definitions::ProtectedPaths& protectedPaths_;
  Settings settings_;
  RemovalObserver observer_;
};

}  // namespace removal
