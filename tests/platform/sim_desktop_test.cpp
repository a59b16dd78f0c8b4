#include "platform/sim/sim_desktop.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

TEST(SimDesktopTest, HandlerRunsWhileTheBoxIsUpAndNestedBoxesTakeTheNextAnswer) {
  SimMachine sim;
  std::uint32_t ticksSeen = 0;
  sim.desktop.AnswerNext([&](const ShownMessageBox& box) {
    EXPECT_EQ(box.text, "Outer");
    EXPECT_EQ(box.answer, 0);  // still up
    sim.clock.Advance(5000);   // a timer of the program fires meanwhile...
    ticksSeen = sim.clock.TickCount();
    sim.desktop.MessageBox("Inner", "Timer", kMbOk);  // ...and brings up its own box
    return kIdCancel;
  });
  sim.desktop.AnswerNext(kIdOk);
  EXPECT_EQ(sim.desktop.MessageBox("Outer", "Main", kMbOkCancel), kIdCancel);
  EXPECT_EQ(ticksSeen, kSimStartTickCount + 5000);
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 2u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].answer, kIdCancel);
  EXPECT_EQ(sim.desktop.MessageBoxes()[1].text, "Inner");
  EXPECT_EQ(sim.desktop.MessageBoxes()[1].answer, kIdOk);
  EXPECT_FALSE(sim.desktop.ScriptRanDry());
}

TEST(SimDesktopTest, DryScriptPressesTheDefaultButtonAndSaysSo) {
  SimMachine sim;
  constexpr std::uint32_t kDefButton2 = 0x100;
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbOk | kMbIconError), kIdOk);
  EXPECT_TRUE(sim.desktop.ScriptRanDry());
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbOkCancel), kIdOk);
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbAbortRetryIgnore), kIdAbort);
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbYesNoCancel), kIdYes);
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbYesNo | kMbIconWarning), kIdYes);
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbRetryCancel), kIdRetry);
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbYesNo | kDefButton2), kIdNo);
  EXPECT_EQ(sim.desktop.MessageBox("t", "c", kMbOk | kDefButton2), kIdOk);
}

}  // namespace
}  // namespace platform::sim
