#include "platform/sim/sim_processes.h"

#include <algorithm>
#include <utility>

namespace platform::sim {

namespace {

constexpr std::uint32_t kIdleId = 0;
constexpr std::uint32_t kSystemId = 4;

// The text after the last "\".
std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

}  // namespace

SimProcesses::SimProcesses(SimFiles& files, System& system) : files_(files), system_(system) {
  Running idle;
  idle.baseName = "System Idle Process";
  idle.unreadable = true;
  idle.refusesToDie = true;
  running_[kIdleId] = idle;
  Running kernel;
  kernel.baseName = "System";
  kernel.unreadable = true;
  kernel.refusesToDie = true;
  running_[kSystemId] = kernel;
}

SimProcesses::Running* SimProcesses::Find(std::uint32_t pid) {
  const auto it = running_.find(pid);
  return it == running_.end() ? nullptr : &it->second;
}

bool SimProcesses::IsNineX() const {
  OsVersion version;
  return system_.GetVersion(&version) && version.platformId == kPlatformWin32Windows;
}

std::optional<std::uint32_t> SimProcesses::EnumProcesses(std::vector<std::uint32_t>& ids) {
  if (enumFails_) return std::nullopt;
  std::size_t written = 0;
  for (const auto& [pid, process] : running_) {
    if (written == ids.size()) break;
    ids[written++] = pid;
  }
  return static_cast<std::uint32_t>(written * sizeof(std::uint32_t));
}

std::optional<std::string> SimProcesses::ModuleBaseName(std::uint32_t pid) {
  const Running* process = Find(pid);
  if (process == nullptr || process->unreadable) return std::nullopt;
  return process->baseName.substr(0, 259);
}

std::optional<std::string> SimProcesses::ModuleFileName(std::uint32_t pid) {
  const Running* process = Find(pid);
  if (process == nullptr || process->unreadable) return std::nullopt;
  return process->reportedPath.substr(0, 259);
}

std::vector<ProcessEntry> SimProcesses::Snapshot(std::uint32_t flags) {
  std::vector<ProcessEntry> entries;
  if ((flags & kSnapProcess) == 0) return entries;
  const bool nineX = IsNineX();
  for (const auto& [pid, process] : running_) {
    ProcessEntry entry;
    entry.pid = pid;
    if (pid == kIdleId) {
      entry.exeFile = "[System Process]";
    } else if (nineX && !process.reportedPath.empty()) {
      entry.exeFile = process.reportedPath;
    } else {
      entry.exeFile = process.baseName;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::optional<std::vector<std::string>> SimProcesses::ManagementProcessNames() {
  if (managementUnavailable_) return std::nullopt;
  std::vector<std::string> names;
  for (const auto& [pid, process] : running_) names.push_back(process.baseName);
  return names;
}

void SimProcesses::End(std::uint32_t pid, std::uint32_t exitCode) {
  const auto it = running_.find(pid);
  if (it == running_.end()) return;
  const std::string exePath = it->second.exePath;
  endedAttempts_[pid] = it->second.terminationAttempts;
  running_.erase(it);
  exitCodes_[pid] = exitCode;
  // The file is free once no other running program holds it.
  if (!exePath.empty() && IdsOf(exePath).empty()) files_.SetInUse(exePath, false);
}

bool SimProcesses::TerminateProcess(std::uint32_t pid, std::uint32_t exitCode) {
  Running* process = Find(pid);
  if (process == nullptr) return false;
  ++process->terminationAttempts;
  if (process->refusesToDie) return false;
  End(pid, exitCode);
  return true;
}

bool SimProcesses::WaitForExit(std::uint32_t pid, std::uint32_t) {
  return Find(pid) == nullptr;
}

void SimProcesses::KillProcess(std::uint32_t pid) {
  Running* process = Find(pid);
  if (process == nullptr) return;
  ++process->terminationAttempts;
  if (process->refusesToDie) return;
  // A handle with the terminate right only may not ask for the exit code on the NT family, so
  // the code stays 0; the 9x family has no such checks and answers "still active".
  End(pid, IsNineX() ? kStillActive : 0);
}

bool SimProcesses::SetDebugPrivilege(bool enable) {
  if (privilegeFails_) return false;
  debugPrivilege_ = enable;
  return true;
}

std::uint32_t SimProcesses::Start(const std::string& exePath) {
  if (!files_.FileContent(exePath)) return 0;
  const std::uint32_t pid = nextPid_;
  nextPid_ += 4;
  Running process;
  process.exePath = exePath;
  process.reportedPath = exePath;
  process.baseName = NameOf(exePath);
  running_[pid] = std::move(process);
  files_.SetInUse(exePath, true);
  return pid;
}

std::uint32_t SimProcesses::StartCommandLine(const std::string& commandLine,
                                             const std::string& appFolder) {
  std::vector<std::string> names;
  if (!commandLine.empty() && commandLine[0] == '"') {
    names.push_back(commandLine.substr(1, commandLine.find('"', 1) - 1));
  } else {
    for (std::size_t blank = commandLine.find(' '); blank != std::string::npos;
         blank = commandLine.find(' ', blank + 1)) {
      names.push_back(commandLine.substr(0, blank));
    }
    names.push_back(commandLine);
  }
  const std::string windowsFolder = systemDirectory_.substr(0, systemDirectory_.find_last_of('\\'));
  for (std::string name : names) {
    if (name.empty()) continue;
    if (NameOf(name).find('.') == std::string::npos) name += ".exe";
    std::vector<std::string> candidates;
    if (name.find_first_of("\\:") != std::string::npos) {
      candidates.push_back(name);
    } else {
      for (const std::string& folder : {appFolder, systemDirectory_, windowsFolder}) {
        candidates.push_back(folder + "\\" + name);
      }
    }
    for (const std::string& candidate : candidates) {
      if (const std::uint32_t pid = Start(candidate)) return pid;
    }
  }
  return 0;
}

void SimProcesses::Exit(std::uint32_t pid, std::uint32_t exitCode) {
  End(pid, exitCode);
}

void SimProcesses::SetReportedPath(std::uint32_t pid, std::string path) {
  if (Running* process = Find(pid)) process->reportedPath = std::move(path);
}

void SimProcesses::SetBaseName(std::uint32_t pid, std::string name) {
  if (Running* process = Find(pid)) process->baseName = std::move(name);
}

void SimProcesses::SetUnreadable(std::uint32_t pid, bool unreadable) {
  if (Running* process = Find(pid)) process->unreadable = unreadable;
}

void SimProcesses::SetRefusesToDie(std::uint32_t pid, bool refuses) {
  if (Running* process = Find(pid)) process->refusesToDie = refuses;
}

std::optional<std::uint32_t> SimProcesses::ExitCodeOf(std::uint32_t pid) const {
  if (running_.count(pid) != 0) return kStillActive;
  const auto it = exitCodes_.find(pid);
  if (it == exitCodes_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::uint32_t> SimProcesses::IdsOf(const std::string& exePath) const {
  std::vector<std::uint32_t> ids;
  for (const auto& [pid, process] : running_) {
    if (!process.exePath.empty() && SameText(process.exePath, exePath)) ids.push_back(pid);
  }
  return ids;
}

int SimProcesses::TerminationAttempts(std::uint32_t pid) const {
  if (const auto it = running_.find(pid); it != running_.end()) {
    return it->second.terminationAttempts;
  }
  const auto ended = endedAttempts_.find(pid);
  return ended == endedAttempts_.end() ? 0 : ended->second;
}

}  // namespace platform::sim
