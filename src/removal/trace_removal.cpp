#include "removal/trace_removal.h"

#include <utility>

#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/hives.h"
#include "platform/folder_tree.h"
#include "removal/reg_file.h"
#include "removal/registry_values.h"
#include "scan/process_scan.h"

namespace removal {

namespace {

bool HasSeparator(const std::string& path) {
  return path.find('\\') != std::string::npos;
}

}  // namespace

std::string GetExtension(const std::string& path) {
  for (std::size_t index = path.size(); index-- > 0;) {
    const char c = path[index];
    if (c == ':' || c == '\\') return "";
    if (c == '.') return common::LowerCase(common::Trim(path.substr(index + 1)));
  }
  return "";
}

TraceRemover::TraceRemover(platform::Machine& machine, Quarantine& quarantine,
                           std::function<void()> yield)
    : machine_(machine), quarantine_(quarantine), yield_(std::move(yield)) {}

void TraceRemover::IndexCopy(ItemKind kind, const std::string& path, const std::string& stored) {
  QuarantineEntry entry;
  entry.kind = kind;
  entry.threat = threat_;
  entry.location = path;
  entry.stored = stored;
  // The copy itself is the backup and the log names it: an index line that cannot be written
  // does not keep the file.
  quarantine_.Index().Add(entry);
}

std::optional<std::string> TraceRemover::BackUpFile(const std::string& path, bool* made,
                                                    ItemKind kind) {
  *made = false;
  const std::string key = common::LowerCase(path);
  if (const auto found = backups_.find(key); found != backups_.end()) return found->second;
  const auto stored = quarantine_.CopyToQuarantine(path, common::GetFileName(path));
  if (!stored) return std::nullopt;
  backups_.emplace(key, *stored);
  kept_.erase(key);
  *made = true;
  IndexCopy(kind, path, *stored);
  return stored;
}

void TraceRemover::Keep(const std::string& path) {
  kept_.insert(common::LowerCase(path));
}

bool TraceRemover::Recorded(const std::string& trace, const std::function<bool()>& write) {
  const std::string key = common::LowerCase(trace);
  if (recorded_.count(key) != 0) return true;
  if (!write()) return false;
  recorded_.insert(key);
  return true;
}

bool TraceRemover::KeptWithoutBackup(const std::string& path) const {
  return kept_.count(common::LowerCase(path)) != 0;
}

void TraceRemover::DeleteFileAttempts(const std::string& path) {
  for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
    const bool deleted = static_cast<bool>(machine_.files.DeleteFile(path));
    if (yield_) yield_();
    if (deleted) return;
  }
}

int TraceRemover::RemoveExe(const std::string& path) {
  if (!HasSeparator(path)) return kExeNotRemoved;
  if (!common::FileExists(machine_.files, path)) return kExeNotPresent;
  // A running program's file cannot be deleted, and the program could write it back. Only the
  // programs running this very file are stopped: another of the same name may be Windows' own.
  if (!scan::StopProcessesOfFile(machine_, path, yield_)) return kExeStillRunning;
  bool tried = false;
  for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
    if (common::FileExists(machine_.files, path)) {
      bool made = false;
      const auto stored = BackUpFile(path, &made);
      if (!stored) {
        Keep(path);
        break;
      }
      if (!Recorded(path, [&] { return quarantine_.LogQuarantinedFile(path, *stored); })) break;
      machine_.files.DeleteFile(path);
      tried = true;
    }
    if (yield_) yield_();
  }
  return tried ? kExeRemoved : kExeNotRemoved;
}

int TraceRemover::RemoveLibrary(const std::string& path, std::uintptr_t window) {
  if (!HasSeparator(path)) return 0;
  if (!common::FileExists(machine_.files, path)) return -1;
  RegisterServer(window, path, false);
  bool made = false;
  const auto stored = BackUpFile(path, &made);
  if (!stored) {
    Keep(path);
    return 0;
  }
  if (!Recorded(path, [&] { return quarantine_.LogQuarantinedFile(path, *stored); })) return 0;
  if (!machine_.files.DeleteFile(path)) return 0;
  return 1;
}

bool TraceRemover::RemoveFileOrFolder(const std::string& path) {
  if (!HasSeparator(path)) return false;
  const bool isFile = common::FileExists(machine_.files, path);
  if (!isFile && !common::FolderExists(machine_.files, path)) return false;
  if (!isFile) {
    const std::string key = common::LowerCase(path);
    if (backups_.find(key) == backups_.end()) {
      const auto stored = quarantine_.CopyFolderToQuarantine(path, common::GetFileName(path));
      if (!stored) {
        Keep(path);
        return false;
      }
      backups_.emplace(key, *stored);
      kept_.erase(key);
      IndexCopy(ItemKind::Folder, path, *stored);
    }
    for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
      const bool deleted = static_cast<bool>(platform::DeleteFolder(machine_.files, path, true));
      if (yield_) yield_();
      if (deleted) break;
    }
    return true;
  }
  bool made = false;
  const auto stored = BackUpFile(path, &made);
  if (!stored) {
    Keep(path);
    return false;
  }
  if (!Recorded(path, [&] { return quarantine_.LogQuarantinedFile(path, *stored); })) {
    return false;
  }
  DeleteFileAttempts(path);
  return true;
}

void TraceRemover::QuarantineCookie(const std::string& path) {
  bool made = false;
  const auto stored = BackUpFile(path, &made, ItemKind::Cookie);
  if (!stored) {
    Keep(path);
    return;
  }
  if (!Recorded(path, [&] { return quarantine_.LogQuarantinedFile(path, *stored); })) return;
  machine_.files.DeleteFile(path);
}

bool TraceRemover::RegisterServer(std::uintptr_t, const std::string& path, bool registerFlag) {
  machine_.libraries.LookUpEntryPoint(path,
                                      registerFlag ? "DllRegisterServer" : "DllUnregisterServer");
  return true;
}

bool TraceRemover::SaveRegistryEntry(ItemKind kind, platform::RegKey hive, const std::string& key,
                                     const std::string& value) {
  platform::Registry& registry = machine_.registry;
  const std::string keyPath = definitions::HiveNameFromHandle(hive) + "\\" + key;
  // The retry pass meets what the first pass saved already; that first copy is the whole of it.
  const std::string savedKey =
      common::LowerCase("registry:" + KindName(kind) + ":" + keyPath + "\\" + value);
  if (backups_.count(savedKey) != 0) return true;
  const auto text = kind == ItemKind::RegistryKey ? ExportRegistryKey(registry, hive, key)
                                                  : ExportRegistryValue(registry, hive, key, value);
  if (!text) {
    // Nothing readable to save: fine when there is nothing there, else it stays.
    const platform::ScopedKey opened =
        platform::OpenScopedKey(registry, hive, key, platform::kKeyQueryValue);
    const bool there = opened.IsOpen() && (kind == ItemKind::RegistryKey ||
                                           registry.QueryValue(opened.Get(), value, nullptr,
                                                               nullptr) == platform::kErrorSuccess);
    if (there) Keep(keyPath + "\\" + value);
    return !there;
  }
  QuarantineEntry entry;
  entry.kind = kind;
  entry.threat = threat_;
  entry.location = keyPath;
  entry.value = value;
  const auto saved = quarantine_.Index().SaveRegistryData(*text);
  if (saved) entry.registryFile = *saved;
  // Saved data that the index does not name could never be listed, so it counts as unsaved.
  if (!saved || quarantine_.Index().Add(entry).empty()) {
    if (saved) machine_.files.DeleteFile(common::JoinPath(quarantine_.Folder(), *saved));
    Keep(keyPath + "\\" + value);
    return false;
  }
  backups_.emplace(savedKey, entry.registryFile);
  return true;
}

void TraceRemover::DeleteValueSaved(platform::RegKey hive, const std::string& key,
                                    const std::string& value) {
  const std::string keyText = definitions::HiveNameFromHandle(hive) + "\\" + key;
  if (!Recorded(keyText + "\\" + value,
                [&] { return quarantine_.LogRemovedRegistryEntry(keyText, value); })) {
    return;
  }
  removal::DeleteRegistryValue(machine_.registry, hive, key, value);
}

bool TraceRemover::DeleteKeySaved(platform::RegKey hive, const std::string& key) {
  const std::string keyText = definitions::HiveNumberText(hive) + "\\" + key;
  if (!Recorded(keyText,
                [&] { return quarantine_.LogRemovedRegistryEntry(keyText, "All Values"); })) {
    return false;
  }
  return machine_.registry.DeleteTree(hive, key) == platform::kErrorSuccess;
}

void TraceRemover::DeleteRegistryValue(platform::RegKey hive, const std::string& key,
                                       const std::string& value) {
  if (!SaveRegistryEntry(ItemKind::RegistryValue, hive, key, value)) return;
  DeleteValueSaved(hive, key, value);
}

namespace {
// An empty key path would name the whole hive.
bool NamesHive(const std::string& key) {
  return common::ReplaceAll(common::Trim(key), "\\", "").empty();
}
}  // namespace

bool TraceRemover::DeleteRegistryKey(platform::RegKey hive, const std::string& key) {
  if (NamesHive(key)) return false;
  if (!SaveRegistryEntry(ItemKind::RegistryKey, hive, key, "")) return false;
  return DeleteKeySaved(hive, key);
}

void TraceRemover::RemoveRegistryKeyEntry(platform::RegKey hive, const std::string& key) {
  if (NamesHive(key)) {
    // As before: the default value goes (and is recorded) even when the key path is empty.
    DeleteRegistryValue(hive, key, "");
    return;
  }
  if (!SaveRegistryEntry(ItemKind::RegistryKey, hive, key, "")) return;
  DeleteValueSaved(hive, key, "");
  DeleteKeySaved(hive, key);
}

}  // namespace removal
