#include "removal/trace_removal.h"

#include <utility>

#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/hives.h"
#include "platform/folder_tree.h"
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

std::optional<std::string> TraceRemover::BackUpFile(const std::string& path, bool* made) {
  *made = false;
  const std::string key = common::LowerCase(path);
  if (const auto found = backups_.find(key); found != backups_.end()) return found->second;
  const auto stored = quarantine_.CopyToQuarantine(path, common::GetFileName(path));
  if (!stored) return std::nullopt;
  backups_.emplace(key, *stored);
  kept_.erase(key);
  *made = true;
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
  const auto stored = BackUpFile(path, &made);
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

void TraceRemover::DeleteRegistryValue(platform::RegKey hive, const std::string& key,
                                       const std::string& value) {
  const std::string keyText = definitions::HiveNameFromHandle(hive) + "\\" + key;
  if (!Recorded(keyText + "\\" + value,
                [&] { return quarantine_.LogRemovedRegistryEntry(keyText, value); })) {
    return;
  }
  removal::DeleteRegistryValue(machine_.registry, hive, key, value);
}

bool TraceRemover::DeleteRegistryKey(platform::RegKey hive, const std::string& key) {
  // An empty key path would name the whole hive.
  if (common::ReplaceAll(common::Trim(key), "\\", "").empty()) return false;
  const std::string keyText = definitions::HiveNumberText(hive) + "\\" + key;
  if (!Recorded(keyText,
                [&] { return quarantine_.LogRemovedRegistryEntry(keyText, "All Values"); })) {
    return false;
  }
  return machine_.registry.DeleteTree(hive, key) == platform::kErrorSuccess;
}

}  // namespace removal
