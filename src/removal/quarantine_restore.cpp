#include "removal/quarantine_restore.h"

#include "common/file_tests.h"
#include "definitions/protected_paths.h"
#include "platform/folder_tree.h"
#include "removal/quarantine.h"
#include "removal/reg_file.h"

namespace removal {
namespace {

bool IsRegistry(const QuarantineEntry& entry) {
  return entry.kind == ItemKind::RegistryValue || entry.kind == ItemKind::RegistryKey;
}

std::string ParentOf(const std::string& path) {
  const std::size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? "" : path.substr(0, separator);
}

// Makes the folder and any missing folder above it.
void MakeFolders(platform::Files& files, const std::string& folder) {
  if (folder.empty() || files.FolderExists(folder)) return;
  MakeFolders(files, ParentOf(folder));
  files.MakeDirectory(folder);
}

// Windows refuses to copy over a read-only or hidden file: where the user agreed to replace a
// folder's files, those the copy brings along are made plain first.
void ClearAttributesOfReplaced(platform::Files& files, const std::string& from,
                               const std::string& to, int depth) {
  if (depth > 128) return;
  for (const std::string& name : files.ListFolder(from)) {
    const std::string source = common::JoinPath(from, name);
    const std::string target = common::JoinPath(to, name);
    const auto attributes = files.GetAttributes(source);
    const auto existing = files.GetAttributes(target);
    if (!attributes || !existing) continue;
    if (*attributes & platform::kAttrDirectory) {
      ClearAttributesOfReplaced(files, source, target, depth + 1);
    } else if ((*existing & platform::kAttrDirectory) == 0 &&
               (*existing & (platform::kAttrReadOnly | platform::kAttrHidden)) != 0) {
      files.SetAttributes(target, platform::kAttrNormal);
    }
  }
}

// Something at the target that the copy would replace: a file where the copy has one, or
// anything but a folder where the copy has a folder.
bool CopyWouldReplace(platform::Files& files, const std::string& from, const std::string& to,
                      int depth) {
  const auto existing = files.GetAttributes(to);
  if (!existing) return false;
  if ((*existing & platform::kAttrDirectory) == 0 || depth > 128) return true;
  for (const std::string& name : files.ListFolder(from)) {
    const std::string source = common::JoinPath(from, name);
    const auto attributes = files.GetAttributes(source);
    if (!attributes) continue;
    const std::string target = common::JoinPath(to, name);
    if ((*attributes & platform::kAttrDirectory) != 0) {
      if (CopyWouldReplace(files, source, target, depth + 1)) return true;
    } else if (files.GetAttributes(target)) {
      return true;
    }
  }
  return false;
}

std::uint64_t TreeSize(platform::Files& files, const std::string& folder, int depth) {
  // Deeper than Windows' paths reach: a loop, not a tree.
  if (depth > 128) return 0;
  std::uint64_t total = 0;
  for (const std::string& name : files.ListFolder(folder)) {
    const std::string path = common::JoinPath(folder, name);
    const auto attributes = files.GetAttributes(path);
    if (!attributes) continue;
    if (*attributes & platform::kAttrDirectory) {
      total += TreeSize(files, path, depth + 1);
    } else {
      total += files.FileSize(path).value_or(0);
    }
  }
  return total;
}

}  // namespace

QuarantineRestore::QuarantineRestore(platform::Machine& machine, Quarantine& quarantine,
                                     QuarantineIndex& index,
                                     definitions::ProtectedPaths& protectedPaths)
    : machine_(machine), quarantine_(quarantine), index_(index), protectedPaths_(protectedPaths) {}

std::string QuarantineRestore::CopyPath(const QuarantineEntry& entry) const {
  const std::string& name = IsRegistry(entry) ? entry.registryFile : entry.stored;
  // The index and the log are text a person may edit: a name that is no plain name in the
  // quarantine folder (empty, "..", a path) must not lead a restore or a purge anywhere else.
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of("\\/:") != std::string::npos) {
    return "";
  }
  return common::JoinPath(quarantine_.Folder(), name);
}

std::string QuarantineRestore::ExclusionText(const QuarantineEntry& entry) {
  // The registry scan compares a value as key and name without a separator.
  if (entry.kind == ItemKind::RegistryValue) return entry.location + entry.value;
  return entry.location;
}

bool QuarantineRestore::OccupiedNow(const QuarantineEntry& entry) {
  platform::Files& files = machine_.files;
  if (entry.kind == ItemKind::Folder) {
    // A folder made since (by restoring a file of it first, say) is merged into as long as
    // nothing in it would be replaced.
    return CopyWouldReplace(files, CopyPath(entry), entry.location, 0);
  }
  if (!IsRegistry(entry)) return files.GetAttributes(entry.location).has_value();
  const std::size_t separator = entry.location.find('\\');
  const auto hive = HiveFromName(entry.location.substr(0, separator));
  if (!hive || separator == std::string::npos) return false;
  const platform::ScopedKey key = platform::OpenScopedKey(
      machine_.registry, *hive, entry.location.substr(separator + 1), platform::kKeyQueryValue);
  if (!key.IsOpen()) return false;
  if (entry.kind == ItemKind::RegistryKey) return true;
  return machine_.registry.QueryValue(key.Get(), entry.value, nullptr, nullptr) ==
         platform::kErrorSuccess;
}

bool QuarantineRestore::PutBack(const QuarantineEntry& entry, bool overwrite) {
  platform::Files& files = machine_.files;
  const std::string copy = CopyPath(entry);
  if (IsRegistry(entry)) {
    const auto text = files.ReadAll(copy);
    return text && ImportRegFile(machine_.registry, *text);
  }
  MakeFolders(files, ParentOf(entry.location));
  if (entry.kind == ItemKind::Folder) {
    if (overwrite) ClearAttributesOfReplaced(files, copy, entry.location, 0);
    return static_cast<bool>(platform::CopyFolder(files, copy, entry.location));
  }
  if (overwrite && files.GetAttributes(entry.location)) {
    // The user agreed to replace what is there; a read-only file would refuse it.
    files.SetAttributes(entry.location, platform::kAttrNormal);
  }
  return static_cast<bool>(files.CopyFile(copy, entry.location, overwrite));
}

bool QuarantineRestore::DeleteCopy(const QuarantineEntry& entry) {
  platform::Files& files = machine_.files;
  const std::string copy = CopyPath(entry);
  if (copy.empty()) return true;
  const auto attributes = files.GetAttributes(copy);
  if (!attributes) return true;
  if (*attributes & platform::kAttrDirectory) {
    return static_cast<bool>(platform::DeleteFolder(files, copy, true));
  }
  // The copy keeps the attributes of what was removed; read-only would keep it here for good.
  files.SetAttributes(copy, platform::kAttrNormal);
  return static_cast<bool>(files.DeleteFile(copy));
}

bool QuarantineRestore::Record(const QuarantineEntry& entry, ItemState state) {
  if (!entry.id.empty()) return index_.SetState(entry.id, state);
  QuarantineEntry adopted = entry;
  adopted.state = state;
  return !index_.Add(adopted).empty();
}

RestoreOutcome QuarantineRestore::Restore(const QuarantineEntry& entry, bool overwrite) {
  if (entry.state != ItemState::Quarantined) return RestoreOutcome::NotQuarantined;
  const bool registry = IsRegistry(entry);
  const std::string copy = CopyPath(entry);
  if (copy.empty() || !machine_.files.GetAttributes(copy)) {
    return RestoreOutcome::NoBackup;
  }
  const std::string location =
      entry.kind == ItemKind::RegistryValue ? entry.location + "\\" + entry.value : entry.location;
  if (protectedPaths_.IsProtectedPath(location) ||
      (entry.kind == ItemKind::RegistryValue &&
       protectedPaths_.IsProtectedPath(entry.location + entry.value))) {
    return RestoreOutcome::Protected;
  }
  if (!overwrite && OccupiedNow(entry)) return RestoreOutcome::Exists;
  if (!PutBack(entry, overwrite)) return RestoreOutcome::Failed;
  // Restored is written before the copy goes: cut off here, the item reads as restored with a
  // spare copy, never as quarantined with none.
  Record(entry, ItemState::Restored);
  if (!registry) DeleteCopy(entry);
  return RestoreOutcome::Restored;
}

bool QuarantineRestore::Purge(const QuarantineEntry& entry) {
  if (entry.state == ItemState::Purged) return true;
  if (!DeleteCopy(entry)) return false;
  return Record(entry, ItemState::Purged);
}

std::uint64_t QuarantineRestore::QuarantineSize() {
  return TreeSize(machine_.files, quarantine_.Folder(), 0);
}

}  // namespace removal
