// The fault switch of the simulated machine: which call fails, how, and the power cut.
#include "platform/sim/sim_faults.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

TEST(SimFaultsTest, TheNthCallOfAKindFailsWithItsErrorAndOnlyThatOne) {
  SimMachine sim;
  sim.files.AddFile("C:\\a.txt", "abcdef");
  Files& files = sim.machine.files;
  sim.faults.FailCall(CallKind::kFile, 2, Fault::kSharingViolation);
  EXPECT_TRUE(files.ReadAll("C:\\a.txt"));
  EXPECT_FALSE(files.WriteAll("C:\\a.txt", "x"));
  EXPECT_EQ(files.LastError(), kErrorSharingViolation);
  EXPECT_EQ(sim.files.FileContent("C:\\a.txt"), "abcdef");
  EXPECT_TRUE(files.WriteAll("C:\\a.txt", "x"));
  EXPECT_EQ(files.LastError(), kErrorSuccess);
  EXPECT_EQ(sim.faults.Calls(CallKind::kFile), 3);
  EXPECT_TRUE(sim.faults.Fired());

  // The sim's own errors come through as they are.
  EXPECT_FALSE(files.ReadAll("C:\\missing.txt"));
  EXPECT_EQ(files.LastError(), kErrorFileNotFound);
  // Set-up through the sim is not the program's doing and is not counted.
  sim.files.AddFile("C:\\b.txt", "");
  EXPECT_EQ(sim.faults.Calls(CallKind::kFile), 4);

  RegKey key = 0;
  sim.faults.FailCall(CallKind::kRegistry, 1, Fault::kAccessDenied);
  EXPECT_EQ(sim.machine.registry.CreateKey(kHkeyCurrentUser, "Software\\X", &key),
            kErrorAccessDenied);
  EXPECT_EQ(sim.machine.registry.CreateKey(kHkeyCurrentUser, "Software\\X", &key), kErrorSuccess);
  sim.machine.registry.CloseKey(key);
}

TEST(SimFaultsTest, AShortReadGivesHalfAndAShortWriteLeavesHalfAndFails) {
  SimMachine sim;
  sim.files.AddFile("C:\\a.txt", "abcdef");
  Files& files = sim.machine.files;
  sim.faults.FailCall(CallKind::kFile, 1, Fault::kShortRead);
  EXPECT_EQ(files.ReadAt("C:\\a.txt", 0, 6), "abc");
  sim.faults.FailCall(CallKind::kFile, 1, Fault::kShortRead);
  EXPECT_FALSE(files.ReadAll("C:\\a.txt"));
  EXPECT_EQ(files.LastError(), kErrorReadFault);
  sim.faults.FailCall(CallKind::kFile, 1, Fault::kShortRead);
  EXPECT_FALSE(files.WriteAll("C:\\a.txt", "123456"));
  EXPECT_EQ(files.LastError(), kErrorDiskFull);
  EXPECT_EQ(sim.files.FileContent("C:\\a.txt"), "123");

  sim.internet.Route("http://host", "/x",
                     [](const SimHttpRequest&) { return SimHttpResponse("0123456789"); });
  sim.faults.FailCall(CallKind::kNetwork, 1, Fault::kShortRead);
  const HttpResult cut = sim.machine.internet.Get("http://host/x", {});
  EXPECT_FALSE(cut.ok);
  EXPECT_EQ(cut.body, "01234");
  EXPECT_TRUE(sim.machine.internet.Get("http://host/x", {}).ok);
}

TEST(SimFaultsTest, APowerCutStopsTheProgramAndKeepsTheMachineOffUntilCleared) {
  SimMachine sim;
  Files& files = sim.machine.files;
  sim.faults.FailCall(CallKind::kAny, 2, Fault::kPowerCut);
  EXPECT_TRUE(files.WriteAll("C:\\a.txt", "1"));
  EXPECT_THROW(files.WriteAll("C:\\b.txt", "2"), PowerCut);
  EXPECT_FALSE(sim.files.Exists("C:\\b.txt")) << "the call at the cut is not made";
  RegKey key = 0;
  EXPECT_THROW(sim.machine.registry.CreateKey(kHkeyCurrentUser, "Software\\X", &key), PowerCut);
  sim.faults.Clear();
  EXPECT_TRUE(files.WriteAll("C:\\b.txt", "2"));
}

}  // namespace
}  // namespace platform::sim
