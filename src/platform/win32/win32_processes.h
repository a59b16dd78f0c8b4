#pragma once

#include "platform/processes.h"

namespace platform::win32 {

// The process calls of kernel32, psapi and advapi32, one thin call sequence per method.
class Win32Processes : public Processes {
 public:
  std::optional<std::uint32_t> EnumProcesses(std::vector<std::uint32_t>& ids) override;
  std::optional<std::string> ModuleBaseName(std::uint32_t pid) override;
  std::optional<std::string> ModuleFileName(std::uint32_t pid) override;
  std::vector<ProcessEntry> Snapshot(std::uint32_t flags) override;
  bool TerminateProcess(std::uint32_t pid, std::uint32_t exitCode) override;
  bool WaitForExit(std::uint32_t pid, std::uint32_t timeoutMs) override;
  void KillProcess(std::uint32_t pid) override;
  bool SetDebugPrivilege(bool enable) override;
  std::string SystemDirectory() override;
  // COM on the calling thread, CoGetObject of the moniker, ExecQuery and the Name of each row.
  std::optional<std::vector<std::string>> ManagementProcessNames() override;
};

}  // namespace platform::win32
