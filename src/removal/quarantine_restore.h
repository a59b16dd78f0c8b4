#pragma once

#include <cstdint>
#include <string>

#include "platform/machine.h"
#include "removal/quarantine_index.h"

namespace definitions {
class ProtectedPaths;
}  // namespace definitions

namespace removal {

class Quarantine;

// What became of a restore.
enum class RestoreOutcome {
  Restored,
  // Something is at the original location now; nothing was changed. Restore again with
  // overwrite once the user agreed.
  Exists,
  // The location is one the program never touches.
  Protected,
  // The quarantine holds no copy or saved data for the item (purged, lost, or a registry entry
  // removed before registry data was kept).
  NoBackup,
  // Already put back, or purged.
  NotQuarantined,
  // The copy or the data could not be written back (whatever was written stays).
  Failed,
};

// Puts quarantined items back and deletes them from the quarantine for good, without any window.
// Every change is written to the index.
class QuarantineRestore {
 public:
  QuarantineRestore(platform::Machine& machine, Quarantine& quarantine, QuarantineIndex& index,
                    definitions::ProtectedPaths& protectedPaths);

  // Files and folders go back to their original path (missing parent folders are made),
  // registry data is imported. Nothing at the location is replaced unless overwrite is set.
  // A restored item's copy leaves the quarantine.
  RestoreOutcome Restore(const QuarantineEntry& entry, bool overwrite);
  // Deletes the item's copy or saved data from the quarantine. False when it could not be
  // deleted (the item then stays listed as it was).
  bool Purge(const QuarantineEntry& entry);

  // The bytes of everything in the quarantine folder, sub-folders included.
  std::uint64_t QuarantineSize();

  // The text that excludes the item from the next scan: what the scan compares for it.
  static std::string ExclusionText(const QuarantineEntry& entry);

 private:
  bool OccupiedNow(const QuarantineEntry& entry);
  bool PutBack(const QuarantineEntry& entry, bool overwrite);
  bool DeleteCopy(const QuarantineEntry& entry);
  // Makes the entry's id for a change of state: items known only from the log enter the index
  // with their first change.
  bool Record(const QuarantineEntry& entry, ItemState state);
  std::string CopyPath(const QuarantineEntry& entry) const;

  platform::Machine& machine_;
  Quarantine& quarantine_;
  QuarantineIndex& index_;
  definitions::ProtectedPaths& protectedPaths_;
};

}  // namespace removal
