#include <gtest/gtest.h>

#include "test_form.h"
#include "ui/headless_host.h"

namespace {

using ui_test::Args;
using ui_test::TestForm;

class HostTest : public ::testing::Test {
 protected:
  HostTest() {
    form.tmrFast.OnTick = [this] { ticks.push_back("fast@" + std::to_string(host.NowMs())); };
    form.tmrSlow.OnTick = [this] { ticks.push_back("slow@" + std::to_string(host.NowMs())); };
    form.tmrOff.OnTick = [this] { ticks.push_back("off@" + std::to_string(host.NowMs())); };
  }
  ui::HeadlessHost host;
  TestForm form{host};
  std::vector<std::string> ticks;
};

TEST_F(HostTest, TimersTickOnlyWhileTheirFormIsLoaded) {
  host.Advance(1000);
  EXPECT_TRUE(ticks.empty());

  form.Load();
  host.Advance(1000);
  // Counting starts at the load; a timer due with another fires after the one started earlier.
  EXPECT_EQ(ticks, (std::vector<std::string>{"fast@1200", "fast@1400", "fast@1600", "fast@1800",
                                             "slow@2000", "fast@2000"}));

  ticks.clear();
  form.Unload();
  host.Advance(5000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(host.RunningTimerCount(), 0);
}

TEST_F(HostTest, SwitchingOrChangingATimerStartsItsCountAgain) {
  form.Load();
  host.Advance(150);
  form.tmrFast.SetInterval(200);  // restarts: next tick at 350, not 200
  host.Advance(250);
  form.tmrOff.SetEnabled(true);
  host.Advance(100);
  form.tmrOff.SetEnabled(false);
  host.Advance(1000);
  EXPECT_EQ(ticks[0], "fast@350");
  EXPECT_EQ(ticks[1], "off@500");
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), "off@600"), 0);
}

TEST_F(HostTest, ATickThatSwitchesItsTimerOffStopsIt) {
  form.Load();
  form.tmrFast.OnTick = [this] {
    ticks.push_back("fast");
    form.tmrFast.SetEnabled(false);
  };
  host.Advance(2000);
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), "fast"), 1);
}

TEST_F(HostTest, YieldsRunPostedWorkAndTimersThatAreDue) {
  form.Load();
  int posted = 0;
  host.Post([&] { ++posted; });
  std::vector<int> yields;
  host.onYield = [&](int count) { yields.push_back(count); };

  host.DoEvents();
  EXPECT_EQ(posted, 1);
  EXPECT_TRUE(ticks.empty()) << "no time passes by default";

  host.SetMsPerYield(100);
  host.DoEvents();
  host.DoEvents();
  EXPECT_EQ(ticks, std::vector<std::string>{"fast@200"});
  EXPECT_EQ(yields, (std::vector<int>{1, 2, 3}));
}

TEST_F(HostTest, TimeNeverRunsBackWhenATickYields) {
  form.Load();
  host.SetMsPerYield(700);
  form.tmrSlow.OnTick = [this] { host.DoEvents(); };
  std::int64_t total = 0;
  host.onTimeAdvanced = [&](std::int64_t delta) {
    EXPECT_GT(delta, 0);
    total += delta;
  };
  host.Advance(1000);
  EXPECT_EQ(host.NowMs(), 1700);
  EXPECT_EQ(total, 1700);
}

TEST_F(HostTest, ModalShowReturnsWhenTheScriptHidesTheForm) {
  TestForm dialog{host, "frmDialog"};
  bool sawModal = false;
  host.OnModal("frmDialog", [&](ui::Form& shown) {
    sawModal = shown.IsModal() && shown.Visible();
    shown.Hide();
  });
  dialog.Show(true);
  EXPECT_TRUE(sawModal);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_TRUE(host.Errors().empty());
}

TEST_F(HostTest, ModalFormLeftOpenIsAScriptErrorAndIsClosed) {
  TestForm dialog{host, "frmDialog"};
  dialog.Show(true);
  EXPECT_FALSE(dialog.Visible());
  ASSERT_EQ(host.Errors().size(), 1u);
  EXPECT_EQ(host.Errors()[0], "modal form frmDialog was left open");
}

TEST_F(HostTest, LoadShowAndUnloadRunTheFormsHandlers) {
  form.Show();
  form.Show();
  EXPECT_EQ(form.loads, 1);
  EXPECT_EQ(form.resizes, 1) << "the first show sizes the window";
  EXPECT_EQ(form.ScaleWidth(), 6000);
  EXPECT_EQ(form.ScaleHeight(), 4000);
  EXPECT_GT(form.Width(), form.ScaleWidth());

  form.SetWindowState(ui::WindowState::Minimized);
  EXPECT_EQ(form.resizes, 2);

  form.cancelQueryUnload = true;
  EXPECT_FALSE(form.Unload(ui::UnloadMode::FormControlMenu));
  EXPECT_TRUE(form.IsLoaded());
  form.cancelQueryUnload = false;
  EXPECT_TRUE(form.Unload());
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.Visible());

  form.Show();
  EXPECT_EQ(form.loads, 2) << "a form unloaded and shown again loads again";
}

TEST_F(HostTest, FileDialogAnswersFromTheScript) {
  ui::FileDialog dialog{form, Args("CD1")};
  host.AnswerOpenDialog("C:\\Temp\\sample.exe");
  host.AnswerOpenDialog(std::nullopt);
  EXPECT_TRUE(dialog.ShowOpen());
  EXPECT_EQ(dialog.fileName, "C:\\Temp\\sample.exe");
  EXPECT_FALSE(dialog.ShowOpen());
  EXPECT_EQ(dialog.fileName, "C:\\Temp\\sample.exe") << "Cancel leaves the name";
  EXPECT_FALSE(dialog.ShowOpen());
  EXPECT_EQ(host.Errors().size(), 1u);
}

}  // namespace

namespace {

// A user reaches only what is shown and enabled, all the way up to the window.
TEST(HeadlessUserTest, ClicksReachOnlyShownAndEnabledControlsAndLocksAreCounted) {
  ui::HeadlessHost host;
  ui_test::TestForm form{host};
  int clicks = 0;
  form.optB1.OnClick = [&] { ++clicks; };
  EXPECT_FALSE(host.UserClick(form.optB1)) << "the window is not shown yet";
  form.Show();
  EXPECT_TRUE(host.UserClick(form.optB1));
  form.fraB.SetEnabled(false);
  EXPECT_FALSE(host.UserClick(form.optB1)) << "its frame is disabled";
  form.fraB.SetEnabled(true);
  form.optB1.SetVisible(false);
  EXPECT_FALSE(host.UserClick(form.optB1));
  EXPECT_EQ(clicks, 1);

  host.LockUpdates(&form);
  host.LockUpdates(nullptr);
  host.LockUpdates(nullptr);
  EXPECT_EQ(host.HeldLocks(), 0) << "allowing what nothing holds is harmless";
  host.LockUpdates(&form);
  EXPECT_EQ(host.HeldLocks(), 1) << "a window left frozen shows";
}

}  // namespace
