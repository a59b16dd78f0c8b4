#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>

namespace platform::sim {
namespace {

TEST(SimMachineTest, OnlyTheFirstCopyPerUserAndExeRunsAlone) {
  SimMachine sim;
  EXPECT_FALSE(sim.machine.desktop.AnotherInstanceRunning());
  auto second = sim.StartProcess();
  EXPECT_TRUE(second->machine.desktop.AnotherInstanceRunning());
  EXPECT_EQ(&second->machine.registry, &sim.machine.registry);  // one machine, one registry

  auto otherUser = sim.StartProcessAs("Guest");
  EXPECT_FALSE(otherUser->desktop.AnotherInstanceRunning());
  auto otherProgram = sim.StartProcess();
  otherProgram->system.SetExeName("Updater");
  EXPECT_FALSE(otherProgram->desktop.AnotherInstanceRunning());
  // Kernel object names are case-sensitive: a renamed copy is a different program.
  auto renamed = sim.StartProcess();
  renamed->system.SetExeName("ANTISPYWARE");
  EXPECT_FALSE(renamed->desktop.AnotherInstanceRunning());
}

TEST(SimMachineTest, InstanceNameLivesWhileAnyCopyHoldsIt) {
  SimMachine sim;
  auto first = sim.StartProcess();
  auto second = sim.StartProcess();
  EXPECT_FALSE(first->desktop.AnotherInstanceRunning());
  EXPECT_TRUE(second->desktop.AnotherInstanceRunning());
  first.reset();
  auto third = sim.StartProcess();
  EXPECT_TRUE(third->desktop.AnotherInstanceRunning());  // the second still holds the name
  second.reset();
  third.reset();
  // The answer is fixed at the first call.
  EXPECT_FALSE(sim.desktop.AnotherInstanceRunning());
  auto late = sim.StartOtherInstance();
  EXPECT_FALSE(sim.desktop.AnotherInstanceRunning());
  EXPECT_TRUE(late->desktop.AnotherInstanceRunning());
}

TEST(SimMachineTest, ProcessesShareTheClockButNotTheMessageBoxScript) {
  SimMachine sim;
  auto other = sim.StartProcess();
  sim.desktop.AnswerNext(kIdNo);
  EXPECT_EQ(other->machine.desktop.MessageBox("q", "t", kMbYesNo), kIdYes);
  EXPECT_TRUE(other->desktop.ScriptRanDry());
  EXPECT_EQ(sim.desktop.PendingAnswers(), 1u);
  sim.clock.Advance(1000);
  EXPECT_EQ(other->machine.clock.TickCount(), kSimStartTickCount + 1000);
}

TEST(SimClockTest, StartsOnAFixedMorningAndAdvancesBothClocks) {
  SimClock clock;
  // 2006-03-16 9:00: two days to 1900-01-01, 106 years with 26 leap days (1900 was not one), then
  // 74 days into 2006.
  EXPECT_DOUBLE_EQ(clock.Now(), 2 + 106 * 365 + 26 + 74 + 0.375);
  clock.Advance(90 * 60 * 1000);
  EXPECT_DOUBLE_EQ(clock.Now(), 38792 + 10.5 / 24);
  EXPECT_EQ(clock.TickCount(), kSimStartTickCount + 90 * 60 * 1000);
  for (int i = 0; i < 1000; ++i) clock.Advance(1);
  EXPECT_DOUBLE_EQ(clock.Now(), 38792 + (10.5 * 3600 + 1) / 86400);

  clock.SetTickCount(0xFFFFFFF0u);
  clock.Advance(0x20);
  EXPECT_EQ(clock.TickCount(), 0x10u);
  clock.SetNow(38000.5);
  EXPECT_EQ(clock.TickCount(), 0x10u);
  EXPECT_DOUBLE_EQ(clock.Now(), 38000.5);
}

}  // namespace
}  // namespace platform::sim
