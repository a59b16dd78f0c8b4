// Scheduled scans through the program on virtual time: the timer's check, the schedule tab's
// controls, Apply and Reset, the automatic removal, the window state, and locales.
#include <cmath>
#include <string>

#include "app_fixture.h"
#include "platform/desktop.h"
#include "platform/registry.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::sim::kSimDataFolder;
using platform::sim::SimClock;

constexpr const char* kMissing =
    "Definition files are missing or they have been corrupted. Please run Live Update.";
constexpr const char* kChooseDate = "Please select the date that you want to scan.";
// 16 March 2006, a Thursday.
constexpr double kThursday = 38792.0;

double At(double day, int hours, int minutes, int seconds) {
  return day + (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

class ScheduledScanTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    // The shields stay off, so nothing but the schedule and the window decide the timer.
    Store("OptionAndSettings", "optIEHomePageSheildOn", "False");
    Store("OptionAndSettings", "optIEHomePageSheildOff", "True");
    Store("OptionAndSettings", "optMemorySheildOn", "False");
    Store("OptionAndSettings", "optMemorySheildOff", "True");
  }
  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return sim.registry.StringValue(kHkeyCurrentUser,
                                    std::string(app_test::kUserRoot) + "\\" + section, key);
  }
  void Store(const std::string& section, const std::string& key, const std::string& value) {
    sim.registry.PutString(kHkeyCurrentUser, std::string(app_test::kUserRoot) + "\\" + section, key,
                           value);
  }
  void StoreSchedule(const std::string& day, const std::string& time,
                     const std::string& date = "Null") {
    Store("OptionAndSettings", "chkAutomaticScanYesOrNo", "1");
    Store("OptionAndSettings", "Day", day);
    Store("OptionAndSettings", "Time", time);
    Store("OptionAndSettings", "Date", date);
  }
  // Starts the program at this moment and sends it to the tray, where the scheduler runs.
  void StartInTrayAt(double now) {
    sim.clock.SetNow(now);
    StartProgram();
    Main().SendToTray();
  }
  // Without definition files every scan says so once: the count of scans started.
  int Scans() const {
    int scans = 0;
    for (const auto& box : sim.desktop.MessageBoxes()) scans += box.text == kMissing ? 1 : 0;
    return scans;
  }
  // Moves the wall clock to a moment and lets the given time pass from there.
  void RunFrom(double now, std::int64_t ms) {
    sim.clock.SetNow(now);
    host.Advance(ms);
  }
  void OpenScheduleTab() {
    Main().cmdSettings.Click();
    Main().TabStrip1.SelectTab(3);
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }
};

TEST_F(ScheduledScanTest, DailyStartsOnceAtItsSecondEvenWhenTheScanEndsWithinIt) {
  StoreSchedule("7", "14:30:00");
  StartInTrayAt(At(kThursday, 14, 29, 57));
  host.Advance(2500);
  EXPECT_EQ(Scans(), 0);
  host.Advance(1000);  // 14:30:00.7: due, and the scan (no definitions) ends at once
  EXPECT_EQ(Scans(), 1);
  EXPECT_TRUE(Main().tmrScheduler.Enabled()) << "the scan switched it on again at its end";
  host.Advance(5000);
  EXPECT_EQ(Scans(), 1) << "not again within the same second";
  EXPECT_FALSE(app.state.autoDeleteInProgress);

  RunFrom(At(kThursday + 1, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 2) << "the next day";
  EXPECT_TRUE(Main().frmScan.Visible()) << "the scan page shows the scheduled scan";
  EXPECT_FALSE(Main().Visible()) << "while the window stays in the tray";
}

TEST_F(ScheduledScanTest, AWeekdayScheduleFiresOnItsDayWhateverTheSystemsLanguage) {
  // Thursday is index 3 of "Run on:".
  StoreSchedule("3", "14:30:00");
  StartInTrayAt(At(kThursday - 1, 14, 29, 59));
  host.Advance(2000);
  EXPECT_EQ(Scans(), 0) << "Wednesday";
  RunFrom(At(kThursday, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 1);

  // A system writing German weekday names ("Donnerstag") and dates.
  sim.clock.SetLocale(SimClock::Locale::DeDe);
  RunFrom(At(kThursday + 7, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 2);
  RunFrom(At(kThursday + 8, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 2) << "Friday";
}

TEST_F(ScheduledScanTest, DateAndTimeStartsOnceAndNotTheNextDay) {
  StoreSchedule("8", "09:00:03", "2006-03-16");
  StartInTrayAt(At(kThursday, 9, 0, 0));
  host.Advance(5000);
  EXPECT_EQ(Scans(), 1);
  RunFrom(At(kThursday + 1, 9, 0, 0), 5000);
  EXPECT_EQ(Scans(), 1);
}

TEST_F(ScheduledScanTest, NeverAndANullTimeNeverStart) {
  StoreSchedule("9", "09:00:02", "2006-03-16");
  StartInTrayAt(At(kThursday, 9, 0, 0));
  host.Advance(5000);
  EXPECT_TRUE(Main().tmrScheduler.Enabled()) << "scheduling is on; nothing is due";
  for (const char* day : {"7", "3", "8"}) {
    StoreSchedule(day, "Null", "2006-03-16");
    RunFrom(kThursday + 1 - 1.0 / 86400, 2000);  // a Null read as 00:00:00 would start
  }
  EXPECT_EQ(Scans(), 0);
}

TEST_F(ScheduledScanTest, ScheduledRemovalAsksNothingAndALaterManualOneAsksAsUsual) {
  PlantStarterDefinitions();
  const std::string program = "C:\\Program Files\\Demo Adware\\demoadware.exe";
  sim.files.AddFile(program, "MZ demo");
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\Demo Adware");
  Store("Settings", "chkAutoDel", "1");
  StoreSchedule("7", "14:30:00");
  StartInTrayAt(At(kThursday, 14, 29, 59));
  EXPECT_TRUE(Main().chkAutoDel.Checked());
  bool removalDuringScan = false;
  host.onYield = [&](int) { removalDuringScan = removalDuringScan || app.state.autoDeleteInProgress; };
  host.Advance(2000);
  host.onYield = nullptr;

  EXPECT_TRUE(removalDuringScan);
  EXPECT_FALSE(app.state.autoDeleteInProgress) << "only while the scheduled scan runs";
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty()) << sim.desktop.MessageBoxes()[0].text;
  EXPECT_FALSE(sim.files.Exists(program));
  EXPECT_FALSE(sim.registry.KeyExists(kHkeyCurrentUser, "Software\\Demo Adware"));
  const std::string quarantine = std::string(kSimDataFolder) + "\\quarantine";
  EXPECT_TRUE(sim.files.Exists(quarantine + "\\demoadware.exe"));
  EXPECT_NE(sim.files.FileContent(quarantine + "\\QuarantineLog.txt").value_or("").find(program),
            std::string::npos);
  EXPECT_EQ(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Count(), 0);

  // The user's own scan afterwards finds the threat again and Delete asks first.
  sim.files.AddFile(program, "MZ demo");
  Main().cmdScanNow.Click();
  ASSERT_GT(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Count(), 0);
  EXPECT_TRUE(sim.files.Exists(program)) << "a user's scan removes nothing by itself";
  Main().cmdSelectAll.Click();
  sim.desktop.AnswerNext(platform::kIdNo);
  Main().Command4.Click();
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Really Delete?");
  EXPECT_TRUE(sim.files.Exists(program));
}

TEST_F(ScheduledScanTest, TheNormalWindowHoldsTheSchedulerAndTheShieldsStayOffDuringTheScan) {
  PlantStarterDefinitions();
  StoreSchedule("7", "14:30:00");
  Store("OptionAndSettings", "optIEHomePageSheildOn", "True");
  Store("OptionAndSettings", "optIEHomePageSheildOff", "False");
  sim.clock.SetNow(At(kThursday, 14, 29, 59));
  StartProgram();
  EXPECT_FALSE(Main().tmrScheduler.Enabled()) << "the window is shown normally";
  host.Advance(2000);
  EXPECT_TRUE(app.state.scan.scanStartTime.empty()) << "no scan";

  Main().SetWindowState(ui::WindowState::Minimized);
  EXPECT_TRUE(Main().tmrScheduler.Enabled());
  int yields = 0;
  bool timersDuringScan = false;
  host.onYield = [&](int) {
    ++yields;
    timersDuringScan =
        timersDuringScan || Main().tmrCheckHomePage.Enabled() || Main().tmrScheduler.Enabled();
  };
  RunFrom(At(kThursday + 1, 14, 29, 59), 2000);
  host.onYield = nullptr;
  EXPECT_EQ(app.state.scan.scanStartTime, "3/17/2006 2:30:00 PM");
  EXPECT_GT(yields, 0);
  EXPECT_FALSE(timersDuringScan) << "the scan switches the background timers off";
  EXPECT_TRUE(Main().tmrCheckHomePage.Enabled()) << "and on again as their settings say";
  EXPECT_FALSE(Main().tmrMemoryInspected.Enabled());
  EXPECT_TRUE(Main().tmrScheduler.Enabled());

  Main().SetWindowState(ui::WindowState::Normal);
  EXPECT_FALSE(Main().tmrScheduler.Enabled());
}

TEST_F(ScheduledScanTest, TheStoredScheduleIsShownAtStartUpANullAsTodayUnticked) {
  StoreSchedule("8", "Null", "2006-03-20");
  Store("Settings", "chkAutoDel", "1");
  StartProgram();
  auto& main = Main();
  EXPECT_EQ(main.cmbDays.ListIndex(), 8);
  EXPECT_TRUE(main.chkAutomaticScanYesOrNo.Checked());
  EXPECT_TRUE(main.chkAutoDel.Checked());
  EXPECT_EQ(main.dtpScheduleDate.Value(), kThursday + 4);
  EXPECT_TRUE(main.dtpScheduleTime.IsNull());
  EXPECT_EQ(std::trunc(main.dtpScheduleTime.Shown()), kThursday);
  main.dtpScheduleTime.UserTick();
  EXPECT_EQ(main.dtpScheduleTime.Value(), main.dtpScheduleTime.Shown());
}

TEST_F(ScheduledScanTest, ApplyStoresThePageAndRefusesDateAndTimeWithoutBothValues) {
  StoreSchedule("7", "14:30:00");
  StartProgram();
  auto& main = Main();
  OpenScheduleTab();
  main.cmbDays.SetListIndex(8);
  EXPECT_TRUE(main.dtpScheduleDate.Enabled());
  EXPECT_TRUE(main.dtpScheduleTime.Enabled());
  main.dtpScheduleDate.UserSetValue(kThursday + 1);
  main.dtpScheduleTime.UserSetValue(std::nullopt);
  ASSERT_TRUE(host.UserClick(main.CmdProceed));
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text, kChooseDate);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Quillmoor AntiSpyware");
  EXPECT_EQ(Stored("OptionAndSettings", "Day"), "7") << "the old schedule stays";
  EXPECT_EQ(Stored("OptionAndSettings", "Time"), "14:30:00");
  EXPECT_EQ(main.cmbDays.ListIndex(), 7) << "and the page shows it again";

  main.cmbDays.SetListIndex(8);
  main.dtpScheduleDate.UserSetValue(kThursday + 1);
  main.dtpScheduleTime.UserSetValue(At(kThursday, 18, 5, 9));
  ASSERT_TRUE(host.UserClick(main.CmdProceed));
  EXPECT_EQ(Stored("OptionAndSettings", "Day"), "8");
  EXPECT_EQ(Stored("OptionAndSettings", "Date"), "2006-03-17");
  EXPECT_EQ(Stored("OptionAndSettings", "Time"), "18:05:09");
  EXPECT_FALSE(main.CmdProceed.Enabled());

  // A day of the week keeps no date; an unticked time is stored as "Null".
  main.cmbDays.SetListIndex(0);
  EXPECT_FALSE(main.dtpScheduleDate.Enabled());
  main.dtpScheduleTime.UserSetValue(std::nullopt);
  main.CmdProceed.Click();
  EXPECT_EQ(Stored("OptionAndSettings", "Time"), "Null");
  EXPECT_EQ(Stored("OptionAndSettings", "Date"), "Null");
}

TEST_F(ScheduledScanTest, SwitchedOffAndAppliedStaysOffAndResetStoresDaily) {
  StoreSchedule("7", "14:30:00");
  StartInTrayAt(At(kThursday, 9, 0, 0));
  auto& main = Main();
  EXPECT_TRUE(main.tmrScheduler.Enabled());
  main.chkAutomaticScanYesOrNo.SetValue(ui::kUnchecked);
  EXPECT_FALSE(main.cmbDays.Enabled());
  EXPECT_FALSE(main.dtpScheduleTime.Enabled());
  main.CmdProceed.Click();
  EXPECT_EQ(Stored("OptionAndSettings", "chkAutomaticScanYesOrNo"), "0");
  EXPECT_EQ(Stored("OptionAndSettings", "Time"), "14:30:00") << "the rest stays as it was";
  EXPECT_FALSE(main.chkAutomaticScanYesOrNo.Checked()) << "the page shows it off";
  EXPECT_FALSE(main.tmrScheduler.Enabled());
  RunFrom(At(kThursday, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 0);

  // Reset: Daily, unticked, applied; the time and date keys stay.
  main.cmbDays.SetListIndex(2);
  main.chkAutomaticScanYesOrNo.SetValue(ui::kChecked);
  main.cmdDefaultSetting.Click();
  EXPECT_EQ(main.cmbDays.ListIndex(), 7);
  EXPECT_FALSE(main.chkAutomaticScanYesOrNo.Checked());
  EXPECT_EQ(Stored("OptionAndSettings", "chkAutomaticScanYesOrNo"), "0");
  EXPECT_EQ(Stored("OptionAndSettings", "Day"), "7");
  EXPECT_FALSE(main.tmrScheduler.Enabled());
}

TEST_F(ScheduledScanTest, ASchedulePickedUnderOneLocaleRunsUnderAnother) {
  sim.clock.SetLocale(SimClock::Locale::DeDe);
  StartInTrayAt(At(kThursday, 9, 0, 0));
  auto& main = Main();
  main.chkAutomaticScanYesOrNo.SetValue(ui::kChecked);
  main.cmbDays.SetListIndex(8);
  main.dtpScheduleDate.UserSetValue(kThursday + 1);
  main.dtpScheduleTime.UserSetValue(At(kThursday, 14, 30, 0));
  main.CmdProceed.Click();
  EXPECT_EQ(Stored("OptionAndSettings", "Date"), "2006-03-17");
  EXPECT_EQ(Stored("OptionAndSettings", "Time"), "14:30:00");

  // The user's locale is English (United States) now: the page and the timer read the same.
  sim.clock.SetLocale(SimClock::Locale::EnUs);
  main.dtpScheduleDate.SetValue(kThursday);
  main.ShowSchedule();
  EXPECT_EQ(*main.dtpScheduleDate.Value(), kThursday + 1);
  RunFrom(At(kThursday + 1, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 1);

  // What earlier versions stored: the pickers' whole values in the user's date format, which
  // read in that locale only (elsewhere they never match, and nothing is said).
  StoreSchedule("8", "3/18/2006 2:30:00 PM", "3/18/2006 9:00:00 AM");
  sim.clock.SetLocale(SimClock::Locale::DeDe);
  RunFrom(At(kThursday + 2, 14, 29, 59), 2000);
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  sim.clock.SetLocale(SimClock::Locale::EnUs);
  RunFrom(At(kThursday + 2, 14, 29, 59), 2000);
  EXPECT_EQ(Scans(), 2);
}

}  // namespace
