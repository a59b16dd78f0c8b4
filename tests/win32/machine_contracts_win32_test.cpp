// The machine contracts on the real calls (see tests/platform/machine_contracts.h).
#include <gtest/gtest.h>

#include "platform/machine_contracts.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "test_folders.h"

namespace {

using namespace win32_test;

TEST(Win32ContractsTest, TheClockWritesAndReadsAsTheSimulationDoes) {
  platform::win32::Win32Machine real;
  machine_contracts::DatesAndNumbersGoBothWays(real.machine.clock);
}

TEST(Win32ContractsTest, TheShellFoldersAreRealPlaces) {
  platform::win32::Win32Machine real;
  machine_contracts::ShellFoldersAreRealPlaces(real.machine.shellFolders, real.machine.files);
}

TEST(Win32ContractsTest, ARunningProgramIsSeenAndStopped) {
  platform::win32::Win32Machine real;
  const std::string path = TempFolder() + "contractprobe.exe";
  const std::string helper = ExeFolder() + "\\process_helper_threat.exe";
  ASSERT_TRUE(CopyFileA(helper.c_str(), path.c_str(), FALSE)) << helper;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string command = "\"" + path + "\" 60000";
  // Without a console of its own, which could outlive the program and keep the output open.
  ASSERT_TRUE(CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE,
                             DETACHED_PROCESS, nullptr, nullptr, &startup, &info));
  // The first module can be read once the loader has mapped it.
  for (int i = 0; i < 250 && !real.machine.processes.ModuleFileName(info.dwProcessId); ++i) {
    Sleep(20);
  }
  machine_contracts::ARunningProgramIsSeenAndStopped(real.machine.processes, info.dwProcessId,
                                                     path);
  TerminateProcess(info.hProcess, 1);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  DeleteFileA(path.c_str());
}

TEST(Win32ContractsTest, AStartedProgramIsARunningProgram) {
  platform::win32::Win32Machine real;
  const std::string path = TempFolder() + "startedprobe.exe";
  const std::string helper = ExeFolder() + "\\process_helper_threat.exe";
  ASSERT_TRUE(CopyFileA(helper.c_str(), path.c_str(), FALSE)) << helper;
  machine_contracts::StartingFollowsTheCommandLine(real.machine.desktop, path, "60000");
  std::uint32_t pid = 0;
  for (int i = 0;
       i < 250 && !(pid = machine_contracts::StartedProgramId(real.machine.processes, path)); ++i) {
    Sleep(20);
  }
  ASSERT_NE(pid, 0u);
  for (int i = 0; i < 250 && !real.machine.processes.ModuleFileName(pid); ++i) Sleep(20);
  machine_contracts::ARunningProgramIsSeenAndStopped(real.machine.processes, pid, path);
  for (int i = 0; i < 250 && !DeleteFileA(path.c_str()); ++i) Sleep(20);
}

}  // namespace
