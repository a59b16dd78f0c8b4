#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Access rights and snapshot kinds as the API numbers them.
inline constexpr std::uint32_t kProcessTerminate = 0x0001;
inline constexpr std::uint32_t kProcessQueryAndRead = 0x0410;  // query information, read memory
inline constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;   // the pre-Vista value
inline constexpr std::uint32_t kSnapProcess = 0x2;
inline constexpr std::uint32_t kSnapAll = 0xF;
// GetExitCodeProcess's answer for a process that still runs.
inline constexpr std::uint32_t kStillActive = 259;

// One entry of a toolhelp snapshot.
struct ProcessEntry {
  std::uint32_t pid = 0;
  // The entry's file name up to its first NUL: the base name on the NT family, the full path on
  // the 9x family. Empty when the field holds no NUL at all.
  std::string exeFile;
};

// Running programs and the rights to stop them. Each call opens what it needs and closes it
// again, so no handle crosses the interface; the comments name the Win32 calls behind each.
class Processes {
 public:
  virtual ~Processes() = default;

  // EnumProcesses into room for ids.size() process ids. Returns the number of bytes written
  // (4 per id), or nullopt when the call fails. When the answer fills the room exactly there may
  // be more processes than fitted: the caller asks again with more room.
  virtual std::optional<std::uint32_t> EnumProcesses(std::vector<std::uint32_t>& ids) = 0;

  // OpenProcess(query and read), EnumProcessModules, then GetModuleBaseNameA of the first module
  // into 260 characters, cut at the first NUL. nullopt when the process cannot be opened or its
  // modules cannot be read (the idle and system processes, protected processes, ended ones).
  virtual std::optional<std::string> ModuleBaseName(std::uint32_t pid) = 0;
  // The same with room for 50 modules and GetModuleFileNameExA: the first module's path as the
  // system reports it (it may read \SystemRoot\System32\... or \??\C:\...), as many characters
  // as the call returned.
  virtual std::optional<std::string> ModuleFileName(std::uint32_t pid) = 0;

  // CreateToolhelp32Snapshot(flags, 0) walked with Process32First/Process32Next; the snapshot is
  // closed at the end. Empty when the snapshot cannot be taken.
  virtual std::vector<ProcessEntry> Snapshot(std::uint32_t flags) = 0;

  // OpenProcess(kProcessAllAccess), TerminateProcess(exitCode), CloseHandle. False when the
  // process could not be opened or the termination was refused.
  virtual bool TerminateProcess(std::uint32_t pid, std::uint32_t exitCode) = 0;
  // WaitForSingleObject on a handle to the process for up to timeoutMs. True when it has ended
  // by then, also when it has gone so far that no handle can be had to it.
  virtual bool WaitForExit(std::uint32_t pid, std::uint32_t timeoutMs) = 0;
  // OpenProcess(kProcessTerminate); when that gives a handle, GetExitCodeProcess (which such a
  // handle is not entitled to on the NT family, leaving the code 0) and TerminateProcess with
  // that code; CloseHandle.
  virtual void KillProcess(std::uint32_t pid) = 0;

  // OpenProcessToken(adjust privileges and query), LookupPrivilegeValueA("SeDebugPrivilege"),
  // AdjustTokenPrivileges enabling (or disabling) it, CloseHandle. False when any of the three
  // fails.
  virtual bool SetDebugPrivilege(bool enable) = 0;

  // Windows Management Instrumentation: the moniker "winmgmts:\\localhost", the query
  // "select * from Win32_Process", and the Name of every process it returns, in its order (the
  // idle process as "System Idle Process", the kernel as "System"). nullopt when the service
  // cannot be reached or the query fails.
  virtual std::optional<std::vector<std::string>> ManagementProcessNames() = 0;
  // GetSystemDirectoryA with room for 255 characters ("C:\WINDOWS\system32"); empty on failure.
  virtual std::string SystemDirectory() = 0;
};

}  // namespace platform
