#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProcessEntry {
  std::uint32_t pid = 0;
  std::string exeFile;  // the toolhelp snapshot's file name
};

// Running programs and the privileges to stop them.
class Processes {
 public:
  virtual ~Processes() = default;
  // EnumProcesses: the ids of the running processes.
  virtual std::vector<std::uint32_t> EnumerateIds() = 0;
  // GetModuleBaseNameA / GetModuleFileNameExA of the process's first module; nullopt when the
  // process cannot be opened for query and read.
  virtual std::optional<std::string> BaseName(std::uint32_t pid) = 0;
  virtual std::optional<std::string> ModulePath(std::uint32_t pid) = 0;
  // CreateToolhelp32Snapshot with Process32First/Next.
  virtual std::vector<ProcessEntry> Snapshot() = 0;
  // OpenProcess + TerminateProcess + wait up to timeoutMs for its end. False when it could not
  // be opened or terminated.
  virtual bool Terminate(std::uint32_t pid, std::uint32_t exitCode, std::uint32_t timeoutMs) = 0;
  // GetExitCodeProcess; 259 (STILL_ACTIVE) while it runs.
  virtual std::optional<std::uint32_t> ExitCode(std::uint32_t pid) = 0;
  // SeDebugPrivilege on or off for this process.
  virtual bool SetDebugPrivilege(bool enable) = 0;
  // The system directory ("C:\WINDOWS\system32").
  virtual std::string SystemDirectory() = 0;
};

}  // namespace platform
