#include "platform/sim/sim_desktop.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

TEST(SimDesktopTest, ScriptAnswersBoxesInOrderAndRecordsThem) {
  SimMachine sim;
  sim.desktop.AnswerNext(kIdNo);
  sim.desktop.AnswerNext(kIdRetry);
  EXPECT_EQ(sim.desktop.MessageBox("Remove it?", "Scan", kMbYesNo | kMbIconQuestion), kIdNo);
  EXPECT_EQ(sim.desktop.MessageBox("Locked", "Scan", kMbRetryCancel), kIdRetry);
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 2u);
  const ShownMessageBox& first = sim.desktop.MessageBoxes()[0];
  EXPECT_EQ(first.text, "Remove it?");
  EXPECT_EQ(first.title, "Scan");
  EXPECT_EQ(first.style, kMbYesNo | kMbIconQuestion);
  EXPECT_EQ(first.answer, kIdNo);
  EXPECT_EQ(sim.desktop.PendingAnswers(), 0u);
  EXPECT_FALSE(sim.desktop.ScriptRanDry());
}

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

TEST(SimDesktopTest, ShellCallsAreRecordedWithTheirSettableResults) {
  SimMachine sim;
  EXPECT_GT(sim.desktop.ShellExecute("open", "http://example.com", "", "", kSwShowNormal), 32);
  sim.desktop.SetShellExecuteResult(2);
  EXPECT_EQ(sim.desktop.ShellExecute("", "C:\\Help.chm", "-x", "C:\\", kSwShowMaximized), 2);
  ASSERT_EQ(sim.desktop.ShellExecuteCalls().size(), 2u);
  const ShellExecuteCall& call = sim.desktop.ShellExecuteCalls()[1];
  EXPECT_EQ(call.file, "C:\\Help.chm");
  EXPECT_EQ(call.parameters, "-x");
  EXPECT_EQ(call.directory, "C:\\");
  EXPECT_EQ(call.show, kSwShowMaximized);

  EXPECT_TRUE(sim.desktop.StartProgram("notepad C:\\log.txt", kSwShowNormal));
  sim.desktop.SetStartProgramResult(false);
  EXPECT_FALSE(sim.desktop.StartProgram("missing.exe", kSwHide));
  ASSERT_EQ(sim.desktop.StartedPrograms().size(), 2u);
  EXPECT_EQ(sim.desktop.StartedPrograms()[0].commandLine, "notepad C:\\log.txt");
}

TEST(SimDesktopTest, MetricsDescribeOneSettableScreen) {
  SimMachine sim;
  EXPECT_EQ(sim.desktop.SystemMetric(kSmCxScreen), 1024);
  EXPECT_EQ(sim.desktop.SystemMetric(kSmCySmIcon), 16);
  EXPECT_EQ(sim.desktop.SystemMetric(kSmCxIcon), 32);
  EXPECT_EQ(sim.desktop.SystemMetric(999), 0);
  EXPECT_EQ(sim.desktop.TwipsPerPixelX(), 15);
  sim.desktop.SetScreenSize(800, 600);
  sim.desktop.SetTwipsPerPixel(12, 12);
  const Rect desktop = sim.desktop.DesktopClientRect();
  EXPECT_EQ(desktop.Width(), 800);
  EXPECT_EQ(desktop.Height(), 600);
  EXPECT_EQ(sim.desktop.TwipsPerPixelY(), 12);
}

}  // namespace
}  // namespace platform::sim
