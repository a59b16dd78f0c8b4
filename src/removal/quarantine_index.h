#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/machine.h"

namespace removal {

class Quarantine;

// What kind of trace a quarantined item was.
enum class ItemKind { File, Folder, Cookie, RegistryValue, RegistryKey };
// Where a quarantined item stands: its copy kept, put back, or deleted for good.
enum class ItemState { Quarantined, Restored, Purged };

// One removed item as the quarantine knows it.
struct QuarantineEntry {
  std::string id;   // unique within the index; empty for an item known only from the log
  double when = 0;  // date value of the removal; 0 when the log's text could not be read
  std::string whenText;
  std::string threat;
  ItemKind kind = ItemKind::File;
  // The original path; for registry data the hive's name & "\" & the key.
  std::string location;
  std::string value;         // a registry value's name ("" for the key's default value)
  std::string stored;        // name of the copy in the quarantine folder (files, folders, cookies)
  std::string registryFile;  // name of the saved registry data (.reg) in the quarantine folder
  ItemState state = ItemState::Quarantined;
  // Removed before the index existed: known only from QuarantineLog.txt's records.
  bool fromLog = false;
};

// QuarantineIndex.txt beside QuarantineLog.txt: one line per removed item and one per change of
// its state, appended and never rewritten, so that a removal or restore cut off half-way loses at
// most its own last line. The log stays the person's record; the index is what the program lists
// and restores from.
//
// Lines are tab-separated, each field with "%", tab, CR and LF written as %25, %09, %0D, %0A:
//   ITEM  id  when  whenText  kind  threat  location  value  stored  registryFile  fromLog
//   STATE id  when  state
// Lines that do not read as one of these (a hand edit, a torn write) are skipped.
class QuarantineIndex {
 public:
  static constexpr const char* kFileName = "QuarantineIndex.txt";

  QuarantineIndex(platform::Machine& machine, const Quarantine& quarantine);

  std::string Path() const;

  // Appends the item, stamped now, with the next free id; the id, or "" when the line could not
  // be written.
  std::string Add(QuarantineEntry entry);
  // Appends a change of state for an item already in the index.
  bool SetState(const std::string& id, ItemState state);

  // Every item, in the order removed: the index's items with their last state, then what the
  // log records that the index does not (marked fromLog, with no id).
  std::vector<QuarantineEntry> List();

  // Saves registry data as the next free "Registry N.reg" in the quarantine folder; its name,
  // or nullopt when it could not be written whole.
  std::optional<std::string> SaveRegistryData(const std::string& regText);

 private:
  std::vector<QuarantineEntry> ReadIndex(long* highestId);
  std::vector<QuarantineEntry> ReadLog();
  bool AppendLine(const std::string& line);

  platform::Machine& machine_;
  const Quarantine& quarantine_;
  // The highest id in the index and the last registry file's number, once known: a removal of
  // thousands of traces must not read the whole index, or test every earlier name, per trace.
  std::optional<long> highestId_;
  // The index's size just after this program's last append, while nothing else is known to
  // have written it since.
  std::optional<std::uint64_t> ownLinesEnd_;
  int lastRegistryFile_ = 0;
};

// The kind as the index writes it ("File", "RegistryKey", ...), and back.
std::string KindName(ItemKind kind);
std::optional<ItemKind> KindFromName(const std::string& name);
std::string StateName(ItemState state);

}  // namespace removal
