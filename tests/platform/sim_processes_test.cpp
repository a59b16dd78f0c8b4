#include "platform/sim/sim_processes.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

constexpr const char* kDemo = "C:\\Program Files\\Demo\\demo.exe";

TEST(SimProcessesTest, ProgramsRunFilesThatStayInUseUntilTheLastCopyEnds) {
  SimMachine sim;
  EXPECT_EQ(sim.processes.Start(kDemo), 0u) << "no such file";
  sim.files.AddFile(kDemo, "MZ");
  const std::uint32_t first = sim.processes.Start(kDemo);
  const std::uint32_t second = sim.processes.Start("c:\\program files\\demo\\DEMO.EXE");
  ASSERT_NE(first, 0u);
  EXPECT_EQ(first % 4, 0u);
  EXPECT_EQ(sim.machine.processes.ModuleFileName(first), kDemo);
  EXPECT_EQ(sim.machine.processes.ModuleBaseName(second), "DEMO.EXE");

  EXPECT_FALSE(sim.files.DeleteFile(kDemo));
  EXPECT_EQ(sim.files.LastError(), kErrorSharingViolation);
  EXPECT_TRUE(sim.machine.processes.TerminateProcess(first, 7));
  EXPECT_EQ(sim.processes.ExitCodeOf(first), 7u);
  EXPECT_FALSE(sim.files.DeleteFile(kDemo)) << "the second copy still runs it";
  sim.processes.Exit(second);
  EXPECT_TRUE(sim.machine.processes.WaitForExit(second, 1));
  EXPECT_TRUE(sim.files.DeleteFile(kDemo));
}

TEST(SimProcessesTest, SnapshotNamesAndExitCodesFollowThePlatformFamily) {
  SimMachine sim;
  sim.files.AddFile(kDemo, "MZ");
  const std::uint32_t nt = sim.processes.Start(kDemo);
  auto entryOf = [&](std::uint32_t pid) {
    for (const ProcessEntry& entry : sim.machine.processes.Snapshot(kSnapProcess)) {
      if (entry.pid == pid) return entry.exeFile;
    }
    return std::string("(none)");
  };
  EXPECT_EQ(entryOf(nt), "demo.exe");
  sim.machine.processes.KillProcess(nt);
  EXPECT_EQ(sim.processes.ExitCodeOf(nt), 0u) << "the terminate-only handle may not read the code";

  sim.system.SetOsVersion({kPlatformWin32Windows, 4, 10});
  const std::uint32_t nineX = sim.processes.Start(kDemo);
  EXPECT_EQ(entryOf(nineX), kDemo);
  sim.machine.processes.KillProcess(nineX);
  EXPECT_EQ(sim.processes.ExitCodeOf(nineX), kStillActive);

  const std::uint32_t stubborn = sim.processes.Start(kDemo);
  sim.processes.SetRefusesToDie(stubborn, true);
  sim.machine.processes.KillProcess(stubborn);
  EXPECT_FALSE(sim.machine.processes.TerminateProcess(stubborn, 0));
  EXPECT_FALSE(sim.machine.processes.WaitForExit(stubborn, 1));
  EXPECT_EQ(sim.processes.TerminationAttempts(stubborn), 2);
  EXPECT_EQ(sim.processes.ExitCodeOf(stubborn), kStillActive);
}

}  // namespace
}  // namespace platform::sim
