// The machine contracts on the simulation; tests/win32/machine_contracts_win32_test.cpp runs the
// same checks on the real calls.
#include <gtest/gtest.h>

#include "platform/machine_contracts.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

TEST(SimContractsTest, TheClockWritesAndReadsAsWindowsDoes) {
  SimMachine sim;
  machine_contracts::DatesAndNumbersGoBothWays(sim.machine.clock);
}

TEST(SimContractsTest, TheShellFoldersAreRealPlaces) {
  SimMachine sim;
  machine_contracts::ShellFoldersAreRealPlaces(sim.machine.shellFolders, sim.machine.files);
}

TEST(SimContractsTest, ARunningProgramIsSeenAndStopped) {
  SimMachine sim;
  const std::string path = "C:\\Program Files\\Contract\\probe.exe";
  sim.files.AddFile(path, "MZ");
  const std::uint32_t pid = sim.processes.Start(path);
  ASSERT_NE(pid, 0u);
  machine_contracts::ARunningProgramIsSeenAndStopped(sim.machine.processes, pid, path);
}

TEST(SimContractsTest, AStartedProgramIsARunningProgram) {
  SimMachine sim;
  const std::string path = "C:\\Program Files\\Contract\\probe.exe";
  sim.files.AddFile(path, "MZ");
  machine_contracts::StartingFollowsTheCommandLine(sim.machine.desktop, path, "60000");
  const std::uint32_t pid = machine_contracts::StartedProgramId(sim.machine.processes, path);
  ASSERT_NE(pid, 0u);
  machine_contracts::ARunningProgramIsSeenAndStopped(sim.machine.processes, pid, path);
}

TEST(SimContractsTest, ProgramsNamedBareAreFoundWhereWindowsLooks) {
  SimMachine sim;
  ASSERT_TRUE(sim.machine.desktop.StartProgram("notepad C:\\Some File.txt", kSwShowNormal));
  ASSERT_TRUE(sim.machine.desktop.StartProgram("explorer C:\\Data", kSwShowNormal));
  sim.files.AddFile("C:\\Program Files\\Tool\\run.exe", "MZ");
  ASSERT_TRUE(sim.machine.desktop.StartProgram("C:\\Program Files\\Tool\\run -x", kSwHide))
      << "an unquoted path with blanks is tried at each blank";
  EXPECT_FALSE(sim.machine.desktop.StartProgram("nosuchtool /x", kSwHide));
  const auto& started = sim.desktop.StartedPrograms();
  ASSERT_EQ(started.size(), 4u);
  EXPECT_TRUE(sim.processes.IsRunning(started[0].pid));
  EXPECT_EQ(sim.processes.IdsOf(sim.system.ProgramFolder() + "\\notepad.exe").size(), 0u);
  EXPECT_EQ(sim.processes.IdsOf("C:\\WINDOWS\\system32\\notepad.exe"),
            std::vector<std::uint32_t>{started[0].pid});
  EXPECT_EQ(sim.processes.IdsOf("C:\\WINDOWS\\explorer.exe"),
            std::vector<std::uint32_t>{started[1].pid});
  EXPECT_EQ(sim.processes.IdsOf("C:\\Program Files\\Tool\\run.exe"),
            std::vector<std::uint32_t>{started[2].pid});
  EXPECT_EQ(started[3].pid, 0u);

  sim.desktop.SetStartProgramResult(false);
  EXPECT_FALSE(sim.machine.desktop.StartProgram("notepad", kSwShowNormal));
}

}  // namespace
}  // namespace platform::sim
