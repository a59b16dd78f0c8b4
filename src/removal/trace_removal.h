#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/machine.h"
#include "removal/quarantine.h"

namespace removal {

// What RemoveExe reports.
inline constexpr int kExeNotPresent = -1;
inline constexpr int kExeNotRemoved = 0;
inline constexpr int kExeRemoved = 1;
inline constexpr int kExeStillRunning = 2;

// How often a file is tried before the removal gives up on it for this pass.
inline constexpr int kDeleteAttempts = 8;

// The extension of a path in lower case, without the dot: the text after the last "." of the
// last component, trimmed; "" when the last component has no ".".
std::string GetExtension(const std::string& path);

// Removes single traces, each backed up in the quarantine first. One object serves one removal
// (both of its passes): it remembers which paths it has already backed up, so a file that
// resists deletion is copied once, not once per attempt. Every step ignores its failures; what
// could not be removed stays where it is, and the caller sees that afterwards.
//
// No file, cookie or folder is deleted without a backup: when its copy cannot be made (disk
// full, the file locked or unreadable, the quarantine full of that name) it is left alone and
// KeptWithoutBackup says so. Nor is any trace removed while the quarantine log is being written
// and its record cannot be: a copy without the place it came from could never be put back. Each
// trace is recorded once, by the pass that first removes it.
class TraceRemover {
 public:
  // yield lets the event loop run; it is called after every attempt.
  TraceRemover(platform::Machine& machine, Quarantine& quarantine, std::function<void()> yield);

  // An executable: its running program is stopped first, then the file is backed up and
  // deleted in up to kDeleteAttempts attempts. kExeNotPresent when the path names no normal file,
  // kExeStillRunning when its program could not be stopped (the file stays), kExeRemoved when an
  // attempt tried to delete it, kExeNotRemoved otherwise (no backup could be made).
  int RemoveExe(const std::string& path);
  // A COM library: its registration entry is looked up, the file backed up and deleted once.
  // -1 not present, 1 deleted, 0 not deleted. The file record goes before the deletion.
  int RemoveLibrary(const std::string& path, std::uintptr_t window);
  // Any other file, or a folder with everything in it. True when it reached its deletion step.
  bool RemoveFileOrFolder(const std::string& path);
  // A cookie file: backed up, recorded and deleted.
  void QuarantineCookie(const std::string& path);
  // Looks up DllRegisterServer (registerFlag) or DllUnregisterServer in the library without
  // running any of its code, and calls neither: the library is deleted right after, and a
  // known-bad library's code must not run with the scanner's rights. Always true.
  bool RegisterServer(std::uintptr_t window, const std::string& path, bool registerFlag);
  // Deletes one value (the key's default value for an empty name) and records it under the
  // hive's name. Its data is saved in the quarantine first; a value whose data cannot be saved
  // stays.
  void DeleteRegistryValue(platform::RegKey hive, const std::string& key, const std::string& value);
  // Deletes a key with all its sub-keys; recorded (before the deletion) under the hive's number
  // as "All Values". True when the key was deleted. The whole tree is saved first; a key that
  // cannot be saved stays.
  bool DeleteRegistryKey(platform::RegKey hive, const std::string& key);
  // A key entry of the definitions: its default value, then the whole key, each recorded as
  // above, saved as one item so that one restore brings back both.
  void RemoveRegistryKeyEntry(platform::RegKey hive, const std::string& key);

  // The threat the next traces belong to, for the quarantine's index.
  void SetThreat(const std::string& threat) { threat_ = threat; }

  // The path was left in place because no backup of it could be made.
  bool KeptWithoutBackup(const std::string& path) const;

 private:
  // The stored name of this removal's backup of the file, making it when there is none yet;
  // nullopt when no copy can be made. made tells whether this call made it.
  std::optional<std::string> BackUpFile(const std::string& path, bool* made,
                                        ItemKind kind = ItemKind::File);
  // Saves a registry value or key with its index item before it is deleted. True when it may be
  // deleted: saved, or not there to save.
  bool SaveRegistryEntry(ItemKind kind, platform::RegKey hive, const std::string& key,
                         const std::string& value);
  void DeleteValueSaved(platform::RegKey hive, const std::string& key, const std::string& value);
  bool DeleteKeySaved(platform::RegKey hive, const std::string& key);
  void IndexCopy(ItemKind kind, const std::string& path, const std::string& stored);
  // Up to kDeleteAttempts deletions of the file, yielding after each.
  void DeleteFileAttempts(const std::string& path);
  void Keep(const std::string& path);
  // Writes the trace's record unless this removal already has; whether the trace may go (its
  // record is in the log, or logging is off).
  bool Recorded(const std::string& trace, const std::function<bool()>& write);

  platform::Machine& machine_;
  Quarantine& quarantine_;
  std::function<void()> yield_;
  // Paths compared without regard to case, as Windows does.
  std::map<std::string, std::string> backups_;  // path -> stored name
  std::set<std::string> kept_;
  std::string threat_;
  std::set<std::string> recorded_;  // traces whose record is written
};

}  // namespace removal
