#include <string>

#include "app/tray/cls_tray.h"
#include "app/tray/frm_menu_pop_up.h"
#include "app_fixture.h"
#include "platform/sim/sim_tray.h"
#include "ui/design.h"

namespace {

using app::clsTray;
using app_test::AppTest;

// WM_MOUSEMOVE x positions of the tray icon's events, in twips at 15 twips a pixel.
constexpr int kLeftDown = 513 * 15;
constexpr int kLeftDoubleClick = 515 * 15;
constexpr int kRightDown = 516 * 15;
constexpr int kRightDoubleClick = 518 * 15;

// On the simulated 1024x768 screen with a 30-pixel task bar and the headless frame (outer height
// 2250): the menu starts at 768 x 14.5 - 30 x 14.5 and stops at 768 x 14.5 - (2250 + 100).
constexpr int kStartTop = 11136 - 435;
constexpr int kTargetTop = 11136 - 2350;
constexpr int kStartLeft = 10922;  // (1024 - 4215 / 15) x 14.7

class TrayRecordTest : public ::testing::Test {
 protected:
  TrayRecordTest() { window.Load(); }
  platform::sim::SimTray shell;
  ui::HeadlessHost host;
  ui::Form window{host, ui::DialogForm("frmOwner", "Owner Caption", 3000, 2000)};
  clsTray tray{shell, host};
};

TEST_F(TrayRecordTest, ShowAndRemoveFillTheRecord) {
  window.SetIcon("MAINICON");
  tray.ShowIcon(window);
  const app::TrayIconRecord& record = tray.Record();
  EXPECT_TRUE(tray.bRunningInTray);
  EXPECT_EQ(record.size, 88u);
  EXPECT_EQ(record.window, host.WindowHandle(window));
  EXPECT_EQ(record.id, 1u);
  EXPECT_EQ(record.flags, 7u);
  EXPECT_EQ(record.callbackMessage, 512u);
  ASSERT_EQ(shell.Icons().size(), 1u);
  EXPECT_EQ(shell.Icons().begin()->second.tip, "Owner Caption");
  EXPECT_EQ(shell.Icons().begin()->second.iconResource, "MAINICON");

  // A repeated add is refused by the shell; the flag stays as the operation sets it.
  tray.ShowIcon(window);
  EXPECT_TRUE(tray.bRunningInTray);
  EXPECT_EQ(shell.Icons().size(), 1u);

  tray.RemoveIcon(window);
  EXPECT_FALSE(tray.bRunningInTray);
  EXPECT_TRUE(shell.Icons().empty());
  EXPECT_EQ(record.callbackMessage, 1u);
  EXPECT_EQ(record.tip, app::TipField(""));
}

TEST_F(TrayRecordTest, TipFieldHoldsSixtyFourBytesAndTheShellShowsSixtyThree) {
  const std::string seventy(70, 'x');
  const auto field = app::TipField(seventy);
  EXPECT_EQ(std::string(field.begin(), field.end()), std::string(64, 'x')) << "no terminator";
  EXPECT_EQ(app::ShownTip(field), std::string(63, 'x'));

  const auto shortField = app::TipField("abc");
  EXPECT_EQ(std::string(shortField.begin(), shortField.end()),
            std::string("abc") + '\0' + std::string(60, ' '));
  EXPECT_EQ(app::ShownTip(app::TipField(std::string(63, 'y'))), std::string(63, 'y'));

  tray.ShowIcon(window);
  tray.ChangeToolTip(window, seventy);
  EXPECT_EQ(shell.Icons().begin()->second.tip, std::string(63, 'x'));
}

TEST_F(TrayRecordTest, ChangeToolTipDoesNothingUnlessTheIconWasShown) {
  tray.ChangeToolTip(window, "Too early");
  EXPECT_FALSE(tray.bRunningInTray);
  EXPECT_EQ(tray.Record().window, 0u);
  EXPECT_EQ(app::ShownTip(tray.Record().tip), "");
  EXPECT_TRUE(shell.Icons().empty());
}

class TrayMenuTest : public AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    StartProgram();
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }
  app::frmMenuPopUp& Menu() { return app.windows.menuPopUp(); }
  void TrayEvent(int x) { Main().MouseMove(ui::MouseArgs{0, 0, x, 0}); }
  std::string Stored(const std::string& key) {
    return sim.registry
        .StringValue(platform::kHkeyCurrentUser,
                     std::string(app_test::kUserRoot) + "\\OptionAndSettings", key)
        .value_or("<missing>");
  }
};

TEST_F(TrayMenuTest, SendToTraySlidesTheMenuUpDwellsSixTicksAndSlidesDown) {
  ASSERT_TRUE(host.UserClick(Main().Command5));
  ASSERT_TRUE(Menu().IsLoaded());
  EXPECT_TRUE(Menu().Visible());
  EXPECT_TRUE(Menu().mnuMaxmimaize.Enabled()) << "\"Show Program\" once the window is hidden";
  EXPECT_EQ(Menu().lblName.Caption(), "Quillmoor AntiSpyware");
  EXPECT_EQ(Menu().Top(), kStartTop);
  EXPECT_EQ(Menu().Left(), kStartLeft);
  EXPECT_EQ(Menu().TargetTop(), kTargetTop);

  // 80 twips a tick: 24 moves reach the target, the 25th tick starts the dwell.
  host.Advance(24);
  EXPECT_EQ(Menu().Top(), kStartTop - 24 * 80);
  EXPECT_TRUE(Menu().tmrMenuPopup.Enabled());
  host.Advance(1);
  EXPECT_FALSE(Menu().tmrMenuPopup.Enabled());
  EXPECT_TRUE(Menu().TmrEnablePopDown.Enabled());

  host.Advance(5999);
  EXPECT_EQ(Menu().lTimDown, 5);
  EXPECT_FALSE(Menu().tmrPopDown.Enabled());
  host.Advance(1);
  EXPECT_TRUE(Menu().tmrPopDown.Enabled()) << "the sixth dwell tick";
  EXPECT_EQ(Menu().lTimDown, 0);

  // 100 twips a tick until the top passes 768 x 15 - 2000.
  host.Advance(70);
  EXPECT_EQ(Menu().Top(), kStartTop - 24 * 80 + 700);
  EXPECT_TRUE(Menu().IsLoaded());
  host.Advance(10);
  EXPECT_FALSE(Menu().IsLoaded());
}

TEST_F(TrayMenuTest, MouseMovementKeepsTheMenuUpAndAClickDoesNotRestartIt) {
  TrayEvent(kLeftDown);
  host.Advance(25 + 3000);
  ASSERT_EQ(Menu().lTimDown, 3);
  const int top = Menu().Top();
  TrayEvent(kRightDown);
  EXPECT_EQ(Menu().lTimDown, 3) << "a click while loaded only shows the menu";
  EXPECT_EQ(Menu().Top(), top);

  for (int second = 0; second < 60; second += 4) {
    Menu().MouseMove(ui::MouseArgs{});
    host.Advance(4000);
  }
  EXPECT_TRUE(Menu().IsLoaded());
  EXPECT_TRUE(Menu().TmrEnablePopDown.Enabled());

  EXPECT_FALSE(Menu().lblMenuClose.Bold());
  Menu().lblMenuClose.MouseMove(ui::MouseArgs{});
  EXPECT_TRUE(Menu().lblMenuClose.Bold());
  ASSERT_TRUE(host.UserClick(Menu().lblMenuClose));
  EXPECT_TRUE(Menu().tmrPopDown.Enabled());
  EXPECT_TRUE(Menu().lblMenuClose.Bold()) << "bold until the menu is unloaded";
  host.Advance(1000);
  ASSERT_FALSE(Menu().IsLoaded());
  TrayEvent(kLeftDown);
  EXPECT_FALSE(Menu().lblMenuClose.Bold());
}

TEST_F(TrayMenuTest, DoubleClickRestoresTheWindowAndHidesTheMenu) {
  for (int doubleClick : {kLeftDoubleClick, kRightDoubleClick}) {
    SCOPED_TRACE(doubleClick);
    ASSERT_TRUE(host.UserClick(Main().Command5));
    TrayEvent(kLeftDown);  // the double click's first button-down
    TrayEvent(doubleClick);
    EXPECT_TRUE(Main().Visible());
    EXPECT_EQ(Main().GetWindowState(), ui::WindowState::Normal);
    EXPECT_EQ(sim.tray.Icons().size(), 1u) << "the icon stays";
    host.Advance(10000);
    EXPECT_TRUE(Menu().IsLoaded());
    EXPECT_FALSE(Menu().Visible()) << "hidden and stays hidden";
    EXPECT_EQ(Menu().Top(), kStartTop) << "its timers stopped with it";
    Menu().Unload();
  }
}

TEST_F(TrayMenuTest, OtherTrayEventsAreIgnored) {
  for (int code : {512, 514, 517, 519, 520, 521}) TrayEvent(code * 15);
  EXPECT_FALSE(app.windows.HasMenuPopUp() && Menu().IsLoaded());
  EXPECT_TRUE(Main().Visible());
}

TEST_F(TrayMenuTest, ShowProgramRestoresAndKeepsTheIcon) {
  ASSERT_TRUE(host.UserClick(Main().Command5));
  host.Advance(100);
  ASSERT_TRUE(host.UserClick(Menu().mnuMaxmimaize));
  EXPECT_TRUE(Main().Visible());
  EXPECT_EQ(Main().GetWindowState(), ui::WindowState::Normal);
  EXPECT_TRUE(Menu().tmrPopDown.Enabled());
  EXPECT_EQ(sim.tray.Icons().size(), 1u);
  // The window is up now: a menu opened from the icon offers no "Show Program".
  host.Advance(1000);
  TrayEvent(kLeftDown);
  EXPECT_FALSE(Menu().mnuMaxmimaize.Enabled());
}

TEST_F(TrayMenuTest, ExitProgramEndsWithoutAQuestionAndLeavesStopped) {
  ASSERT_TRUE(host.UserClick(Main().Command5));
  host.Advance(100);
  ASSERT_TRUE(host.UserClick(Menu().mnuClose));
  EXPECT_EQ(Stored("STATUS"), "STOPPED");
  EXPECT_EQ(Stored("RESTART"), "False");
  EXPECT_TRUE(sim.tray.Icons().empty());
  EXPECT_FALSE(app.tray.bRunningInTray);
  EXPECT_TRUE(host.QuitRequested());
  EXPECT_EQ(host.ExitCode(), 0);
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
  EXPECT_FALSE(Menu().IsLoaded());
}

TEST_F(TrayMenuTest, ANewTaskbarGetsTheIconBackOnlyWhileInTheTray) {
  Main().OnTaskbarCreated();
  EXPECT_TRUE(sim.tray.Icons().empty()) << "never sent to the tray";

  ASSERT_TRUE(host.UserClick(Main().Command5));
  ASSERT_EQ(sim.tray.Icons().size(), 1u);
  // The shell restarts: its icons are gone.
  const platform::NotifyIcon lost = sim.tray.Icons().begin()->second;
  sim.tray.NotifyIcon(platform::kNimDelete, lost);
  Main().OnTaskbarCreated();
  ASSERT_EQ(sim.tray.Icons().size(), 1u);
  EXPECT_EQ(sim.tray.Icons().begin()->second.tip, "Quillmoor AntiSpyware");
  EXPECT_EQ(sim.tray.Icons().begin()->second.callbackMessage, 512u);
}

TEST_F(TrayMenuTest, PlacementFollowsTheScreensResolutionAndAMissingTaskbar) {
  // 144 dots per inch: the same screen in twips, half as many twips a pixel again.
  sim.desktop.SetTwipsPerPixel(10, 10);
  sim.desktop.SetScreenSize(1536, 1152);
  sim.desktop.SetWindow("Shell_TrayWnd", platform::Rect{0, 0, 1536, 45});
  TrayEvent(516 * 10);
  EXPECT_EQ(Menu().Top(), kStartTop);
  EXPECT_NEAR(Menu().Left(), kStartLeft, 1);
  Menu().Unload();

  sim.desktop.SetTwipsPerPixel(15, 15);
  sim.desktop.SetScreenSize(1024, 768);
  sim.desktop.SetWindow("Shell_TrayWnd", std::nullopt);
  TrayEvent(kLeftDown);
  EXPECT_EQ(Menu().Top(), 11136) << "no task bar: the menu starts at the bottom edge";
}

}  // namespace
