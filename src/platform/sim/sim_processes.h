#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/processes.h"
#include "platform/sim/sim_files.h"
#include "platform/system.h"

namespace platform::sim {

// The process table of a simulated machine. Every program runs an executable file of the
// machine's file system: its first module is that file (so its version information comes from
// the file's bytes) and the file is in use while it runs, as Windows keeps a running program's
// file open. Ids are Windows-style multiples of 4. A fresh table holds the idle process (id 0)
// and the system process (id 4), which no program may open or stop.
//
// The snapshot reports base names on the NT family and full paths on the 9x family, following
// the platform id that the machine's System reports at the time of the call.
class SimProcesses : public Processes {
 public:
  SimProcesses(SimFiles& files, System& system);
  SimProcesses(const SimProcesses&) = delete;
  SimProcesses& operator=(const SimProcesses&) = delete;

  std::optional<std::uint32_t> EnumProcesses(std::vector<std::uint32_t>& ids) override;
  std::optional<std::string> ModuleBaseName(std::uint32_t pid) override;
  std::optional<std::string> ModuleFileName(std::uint32_t pid) override;
  std::vector<ProcessEntry> Snapshot(std::uint32_t flags) override;
  bool TerminateProcess(std::uint32_t pid, std::uint32_t exitCode) override;
  bool WaitForExit(std::uint32_t pid, std::uint32_t timeoutMs) override;
  void KillProcess(std::uint32_t pid) override;
  bool SetDebugPrivilege(bool enable) override;
  std::string SystemDirectory() override { return systemDirectory_; }
  // The running programs by their base names, in id order.
  std::optional<std::vector<std::string>> ManagementProcessNames() override;

  // Set-up for tests.
  // Starts the program in an executable file (absolute path). Returns its id, or 0 when the
  // file system holds no such file.
  std::uint32_t Start(const std::string& exePath);
  // Starts the program a command line names, found as CreateProcessA finds it: a quoted or
  // unquoted path (an unquoted one with blanks is tried at each blank, shortest first), ".exe"
  // added to a name without an extension, and a bare name looked for in the program's own
  // folder, the system folder and the Windows folder. Returns its id, or 0 when no file is there.
  std::uint32_t StartCommandLine(const std::string& commandLine, const std::string& appFolder);
  // The program ends by itself.
  void Exit(std::uint32_t pid, std::uint32_t exitCode = 0);
  // How the system reports the first module's path, for example "\SystemRoot\System32\x.exe"
  // for a program started early in the boot; the path it was started from by default.
  void SetReportedPath(std::uint32_t pid, std::string path);
  // The base name the system reports, for example an 8.3 short name such as "LONGFI~1.EXE"; the
  // file name of the path it was started from by default.
  void SetBaseName(std::uint32_t pid, std::string name);
  // The process cannot be opened for query and read (a protected process, another user's).
  void SetUnreadable(std::uint32_t pid, bool unreadable);
  // Every termination is refused and the program keeps running.
  void SetRefusesToDie(std::uint32_t pid, bool refuses);
  // EnumProcesses fails; the privilege adjustment fails.
  void SetEnumFails(bool fails) { enumFails_ = fails; }
  void SetDebugPrivilegeFails(bool fails) { privilegeFails_ = fails; }
  // The management service cannot be reached.
  void SetManagementUnavailable(bool unavailable) { managementUnavailable_ = unavailable; }
  void SetSystemDirectory(std::string path) { systemDirectory_ = std::move(path); }

  // Inspection for tests.
  bool IsRunning(std::uint32_t pid) const { return running_.count(pid) != 0; }
  // kStillActive while it runs; nullopt for an id that never ran.
  std::optional<std::uint32_t> ExitCodeOf(std::uint32_t pid) const;
  // The ids of the running programs started from this path (letter case ignored).
  std::vector<std::uint32_t> IdsOf(const std::string& exePath) const;
  std::size_t Count() const { return running_.size(); }
  // TerminateProcess and KillProcess calls that reached the process.
  int TerminationAttempts(std::uint32_t pid) const;
  bool DebugPrivilegeEnabled() const { return debugPrivilege_; }

 private:
  struct Running {
    std::string exePath;       // the file it runs; empty for the idle and system processes
    std::string reportedPath;  // what GetModuleFileNameExA reports
    std::string baseName;
    bool unreadable = false;
    bool refusesToDie = false;
    int terminationAttempts = 0;
  };

  Running* Find(std::uint32_t pid);
  void End(std::uint32_t pid, std::uint32_t exitCode);
  bool IsNineX() const;

  SimFiles& files_;
  System& system_;
  std::map<std::uint32_t, Running> running_;
  std::map<std::uint32_t, std::uint32_t> exitCodes_;  // of the ended ones
  std::map<std::uint32_t, int> endedAttempts_;
  std::uint32_t nextPid_ = 1000;
  bool enumFails_ = false;
  bool privilegeFails_ = false;
  bool managementUnavailable_ = false;
  bool debugPrivilege_ = false;
  std::string systemDirectory_ = "C:\\WINDOWS\\system32";
};

}  // namespace platform::sim
