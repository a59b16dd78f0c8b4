// The machine contracts on the simulation; tests/win32/machine_contracts_win32_test.cpp runs the
// same checks on the real calls.
#include <gtest/gtest.h>

#include "platform/machine_contracts.h"
#include "platform/signatures_contract.h"
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

TEST(SimContractsTest, OnlyTheGoodSignatureVerifies) {
  SimMachine sim;
  signatures_contract::OnlyTheGoodSignatureVerifies(sim.machine.signatures);
}

}  // namespace
}  // namespace platform::sim
