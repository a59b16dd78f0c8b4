#include <string>

#include "app_fixture.h"
#include "platform/desktop.h"
#include "ui/dump.h"

namespace {

using app_test::AppTest;
using platform::kHkeyCurrentUser;

using app_test::kUserRoot;

class ScanPageTest : public AppTest {
 protected:
  void SetUp() override { SkipFirstRun(); }
  // The five definition files with a line each, and a Safety.dat of the given number of lines
  // (the scan yields after each of them).
  void InstallDefinitions(int safetyLines) {
    const std::string data = platform::sim::kSimDataFolder;
    for (const char* name : {"FileDefinition.dat", "DirectoryDefinition.dat",
                             "RegistryDefinition.dat", "ExeDefinition.dat", "BlockedCookies.dat"}) {
      sim.files.AddFile(data + "\\" + name, "x\r\n");
    }
    std::string safety;
    for (int i = 0; i < safetyLines; ++i) safety += "Safe" + std::to_string(i) + "|C:\\safe\r\n";
    sim.files.AddFile(data + "\\Safety.dat", safety);
  }
  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return sim.registry.StringValue(kHkeyCurrentUser, std::string(kUserRoot) + "\\" + section,
                                    key);
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }
};

TEST_F(ScanPageTest, AScanRunsToTheEndAndRecordsItsDate) {
  InstallDefinitions(3);
  StartProgram();
  auto& main = Main();
  main.cmdScan.Click();
  bool runningLook = false;
  host.onYield = [&](int) {
    runningLook = !main.cmdScanNow.Enabled() && !main.cmdScan.Enabled() &&
                  main.cmdStop.Enabled() && main.cmdPause.Enabled() &&
                  !main.cmdRemove.Visible() && !main.cmdSettings.Enabled() &&
                  !main.tmrCheckHomePage.Enabled();
  };
  main.cmdScanNow.Click();

  EXPECT_TRUE(runningLook);
  EXPECT_EQ(main.lblStatus(0).Caption(), "Scanning complete.");
  EXPECT_EQ(main.pb1.Value(), 100);
  EXPECT_EQ(main.pb2.Value(), 100);
  EXPECT_EQ(main.lblRegistryInspected.Caption(), "0") << "the final call refreshes the counters";
  EXPECT_TRUE(main.cmdRemove.Visible());
  EXPECT_TRUE(main.cmdScanNow.Enabled());
  EXPECT_FALSE(main.cmdStop.Enabled());
  EXPECT_TRUE(main.tmrCheckHomePage.Enabled());
  EXPECT_EQ(Stored("Settings", "lblLastScan"), "3/16/2006 9:00:00 AM");
  EXPECT_FALSE(Stored("Settings", "lblLastFullScan")) << "a quick scan";
  EXPECT_EQ(main.lblLastScan.Caption(), "3/16/2006 9:00:00 AM");

  main.optScanAllSelectedHardDrive.SetValue(true);
  main.cmdScanNow.Click();
  EXPECT_EQ(Stored("Settings", "lblLastFullScan"), "3/16/2006 9:00:00 AM");
}

TEST_F(ScanPageTest, MissingDefinitionsStopTheScanAndClearTheSet) {
  StartProgram();
  const std::string data = platform::sim::kSimDataFolder;
  sim.files.AddFile(data + "\\FileDefinition.dat", "x\r\n");
  auto& main = Main();
  std::string shownMeanwhile;
  sim.desktop.AnswerNext([&](const platform::sim::ShownMessageBox&) {
    shownMeanwhile = main.lblDefVersion.Caption();
    return platform::kIdOk;
  });
  main.cmdScanNow.Click();
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Quillmoor AntiSpyware");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].style, platform::kMbIconInformation);
  EXPECT_FALSE(sim.files.Exists(data + "\\FileDefinition.dat")) << "the incomplete set is gone";
  EXPECT_EQ(shownMeanwhile, "Files Missing, Run Live Update");
  EXPECT_EQ(main.lblDefVersion.Caption(), "3/16/2006 12:00:00 AM PST")
      << "the status page is refreshed at the end of the scan";
  EXPECT_TRUE(main.cmdScanNow.Enabled());
  EXPECT_TRUE(Stored("Settings", "lblLastScan"));
}

TEST_F(ScanPageTest, StopAnsweredNoGoesOnAndYesEndsTheScan) {
  InstallDefinitions(10);
  StartProgram();
  auto& main = Main();
  int yields = 0;
  host.onYield = [&](int count) {
    yields = count;
    if (count == 2) {
      sim.desktop.AnswerNext(platform::kIdNo);
      main.cmdStop.Click();
    }
    if (count == 4) {
      sim.desktop.AnswerNext(platform::kIdYes);
      main.lblStop.Click();
    }
  };
  main.cmdScanNow.Click();
  EXPECT_EQ(yields, 4) << "the safety list stops being read at the stop";
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 2u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].style, platform::kMbYesNo | platform::kMbIconQuestion);
  EXPECT_EQ(main.lblStatus(0).Caption(), app.Message("MSG_SCAN_CANCELLED"));
  EXPECT_EQ(main.lblPercentageCompleted.Caption(), "0% " + app.Message("MSG_COMPLETED"));
  EXPECT_TRUE(Stored("Settings", "lblLastScan")) << "a cancelled scan still records its date";
}

TEST_F(ScanPageTest, PauseHoldsTheScanInsideItsBoxUntilClosed) {
  InstallDefinitions(6);
  StartProgram();
  auto& main = Main();
  int yields = 0;
  host.onYield = [&](int) { ++yields; };
  main.cmdScanNow.Click();
  const int unpaused = yields;
  yields = 0;
  int yieldsWhilePaused = -1;
  bool commandsOff = false;
  host.onYield = [&](int) {
    ++yields;
    if (yields != 3) return;
    sim.desktop.AnswerNext([&](const platform::sim::ShownMessageBox& box) {
      commandsOff = !main.cmdPause.Enabled() && !main.cmdStop.Enabled();
      yieldsWhilePaused = yields;
      host.Advance(20000);  // the user leaves it paused a while
      EXPECT_EQ(yields, yieldsWhilePaused);
      EXPECT_EQ(box.style, platform::kMbIconInformation);
      return platform::kIdOk;
    });
    main.cmdPause.Click();
  };
  main.cmdScanNow.Click();
  EXPECT_TRUE(commandsOff);
  EXPECT_EQ(yieldsWhilePaused, 3);
  EXPECT_EQ(yields, unpaused) << "after the box the scan went on to the end";
  EXPECT_FALSE(main.cmdPause.Enabled()) << "idle again after the scan";
}

TEST_F(ScanPageTest, ProgressRefreshesOnEveryHundredthCallOrWhenForced) {
  StartProgram();
  auto& main = Main();
  app.state.scan.counters.registryEntriesInspected = 7;
  for (int i = 0; i < 99; ++i) main.UpdateScanProgress("Registry: fuck key", 10, 20);
  EXPECT_EQ(main.lblRegistryInspected.Caption(), "0");
  main.UpdateScanProgress("Registry: fuck key", 10, -1);
  EXPECT_EQ(main.lblRegistryInspected.Caption(), "7");
  EXPECT_EQ(main.lblStatus(0).Caption(), "Registry:  key");
  EXPECT_EQ(main.pb1.Value(), 10);
  EXPECT_EQ(main.pb2.Value(), 0) << "a negative percent leaves the bar";
  app.state.scan.counters.registryEntriesInspected = 8;
  main.UpdateScanProgress("Scan Complete", 100, 100, true);
  EXPECT_EQ(main.lblRegistryInspected.Caption(), "8");
}

class TicksTest : public ScanPageTest {
 protected:
  void SetUp() override {
    ScanPageTest::SetUp();
    StartProgram();
    auto& results = app.results();
    // A threat found by the registry stage and then by the file stage, a folder threat and a
    // cookie.
    results.AddGroupRow("Demo Toolbar", scan::kIconRegistry);
    results.AddDetailsRow("Demo Toolbar", "HKEY_CURRENT_USER\\Software\\DemoBar", "Toolbar",
                          scan::kIconRegistry);
    results.AddRegistryRow("HKEY_CURRENT_USER\\Software\\DemoBar", "Demo Toolbar", "", "");
    results.AddRegistryRow("HKEY_LOCAL_MACHINE\\Software\\Run", "bar", "x", "Demo Toolbar");
    results.AddFileRow("C:\\bar\\bar.dll", "Demo Toolbar", scan::kIconFile);
    results.AddGroupRow("Demo Folder", scan::kIconFolder);
    results.AddDetailsRow("Demo Folder", "C:\\DemoFolder", "", scan::kIconFolder);
    results.AddFileRow("C:\\DemoFolder", "", scan::kIconFolder);
    results.AddGroupRow("Cookie: user@demo.txt", scan::kIconCookie);
    results.AddDetailsRow("Cookie: user@demo.txt", "C:\\Cookies\\user@demo.txt", "",
                          scan::kIconCookie);
    results.AddCookieRow("C:\\Cookies\\user@demo.txt", "C:\\Cookies");
  }
};

TEST_F(TicksTest, ATickReachesEveryTraceOfItsThreat) {
  auto& main = Main();
  auto& details = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  details.UserCheck(0, true);
  EXPECT_EQ(ui::DumpRows(main.lvwRegistryToBeDeleted),
            "[x] <2> HKEY_CURRENT_USER\\Software\\DemoBar | Demo Toolbar |  | \n"
            "[x] <2> HKEY_LOCAL_MACHINE\\Software\\Run | bar | x | Demo Toolbar\n");
  EXPECT_TRUE(main.lvwFilesToBeDeleted.Item(0).checked)
      << "the file traces of a threat found first in the registry go with it";
  EXPECT_FALSE(main.lvwFilesToBeDeleted.Item(1).checked);

  main.cmdSelectAll.Click();
  EXPECT_TRUE(main.lvwFilesToBeDeleted.Item(1).checked) << "folder row by its location";
  EXPECT_TRUE(main.lvwCookiesToDelete.Item(0).checked) << "cookie row by its location";

  details.UserCheck(0, false);
  EXPECT_FALSE(main.lvwFilesToBeDeleted.Item(0).checked);
  EXPECT_TRUE(main.lvwFilesToBeDeleted.Item(1).checked);

  details.UserCheck(1, false);
  EXPECT_FALSE(main.lvwFilesToBeDeleted.Item(1).checked);
}

TEST_F(TicksTest, ExcludingTickedRowsAddsBothTextsAndRemovesTheRows) {
  auto& main = Main();
  auto& details = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  details.UserCheck(0, true);
  details.UserCheck(2, true);
  main.lvwSpywareFound.SetChecked(0, true);
  sim.desktop.AnswerNext(platform::kIdYes);
  // Adding the entries lets events run: a tick or a Delete then would not match what it excludes.
  bool held = true;
  int yields = 0;
  host.onYield = [&](int) {
    ++yields;
    held = held && !details.Enabled() && !main.lvwSpywareFound.Enabled() &&
           !main.Command4.Enabled() && !main.cmdExclude.Enabled();
  };
  main.cmdExclude.Click();
  host.onYield = nullptr;
  EXPECT_GT(yields, 0);
  EXPECT_TRUE(held);
  EXPECT_TRUE(details.Enabled() && main.Command4.Enabled() && main.cmdExclude.Enabled());

  EXPECT_EQ(sim.desktop.MessageBoxes().back().title, "Really Exclude?");
  EXPECT_EQ(*sim.files.FileContent(std::string(platform::sim::kSimDataFolder) +
                                   "\\ENoSignature.dat"),
            "HKEY_CURRENT_USER\\Software\\DemoBar\r\nDemo Toolbar\r\n"
            "C:\\Cookies\\user@demo.txt\r\nuser@demo.txt\r\n");
  EXPECT_TRUE(app.exclusions.IsExcluded("user@demo.txt"));
  EXPECT_EQ(ui::DumpRows(details), "<4> Demo Folder | C:\\DemoFolder | \n");
  EXPECT_EQ(main.lvwRegistryToBeDeleted.Count(), 0);
  EXPECT_EQ(main.lvwCookiesToDelete.Count(), 0);
  EXPECT_FALSE(app.results().HasThreat("Demo Toolbar")) << "the index follows removed rows";
  EXPECT_TRUE(app.results().HasThreat("Demo Folder"));
}

TEST_F(ScanPageTest, ExcludeWithNothingFoundOnlySaysSorry) {
  StartProgram();
  Main().cmdExclude.Click();
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text, "Sorry, there are no entries to be excluded.");
}

TEST_F(ScanPageTest, ViewExclusionsOpensNotepadOrSaysThereIsNoFile) {
  StartProgram();
  auto& main = Main();
  main.mnuQuar.ClickItem(1);
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "No Exclusion File");
  app.AddExclusion("C:\\Temp\\x.exe");
  main.mnuQuar.ClickItem(1);
  ASSERT_EQ(sim.desktop.StartedPrograms().size(), 1u);
  EXPECT_EQ(sim.desktop.StartedPrograms()[0].commandLine,
            "notepad " + std::string(platform::sim::kSimDataFolder) + "\\ENoSignature.dat");
}

TEST_F(ScanPageTest, DriveListShowsUsableDrivesAndStoresTheirTicks) {
  sim.files.AddDrive('A', platform::kDriveRemovable, false);
  sim.files.AddDrive('E', platform::kDriveFixed, false);
  sim.files.AddDrive('R', platform::kDriveRamDisk, true);
  sim.files.AddDrive('Z', platform::kDriveRemote, true);
  sim.registry.PutString(kHkeyCurrentUser, std::string(kUserRoot) + "\\Drives", "Z", "False");
  StartProgram();
  auto& drives = Main().lvwHardDrives;
  EXPECT_EQ(ui::DumpRows(drives), "[x] A\n[x] C\n[x] D\nZ\n");
  drives.UserCheck(1, false);
  EXPECT_EQ(Stored("Drives", "C"), "False");
  EXPECT_EQ(Stored("Drives", "A"), "True");
}

}  // namespace

namespace {

TEST_F(ScanPageTest, TextCommandsStartAScanAndLookLikeLinksUnderTheMouse) {
  InstallDefinitions(1);
  StartProgram();
  auto& main = Main();
  main.lblStart.Click();
  EXPECT_TRUE(main.frmScan.Visible());
  EXPECT_TRUE(Stored("Settings", "lblLastScan")) << "the scan ran";

  main.lblPause.MouseMove({});
  EXPECT_TRUE(main.lblPause.Italic());
  main.frmScan.MouseMove({});
  EXPECT_FALSE(main.lblPause.Italic());
  EXPECT_EQ(host.MousePointer(), ui::kPointerDefault);
  main.cmdScan.SetEnabled(false);  // as during a scan
  main.frmScan.MouseMove({});
  EXPECT_EQ(host.MousePointer(), ui::kPointerHourglass);
}

TEST_F(ScanPageTest, TheSplashOpensTheMainWindowAtItsSeventyFifthTick) {
  app.Start();
  host.Advance(148);
  EXPECT_FALSE(Main().IsLoaded());
  EXPECT_TRUE(app.windows.splash().Visible());
  host.Advance(2);
  EXPECT_TRUE(Main().Visible());
  EXPECT_FALSE(app.windows.splash().Visible());
  EXPECT_FALSE(app.windows.splash().Timer2.Enabled());
}

}  // namespace

namespace {

TEST_F(ScanPageTest, ViewQuarantineOpensTheQuarantineFolder) {
  StartProgram();
  Main().mnuQuar.ClickItem(0);
  ASSERT_EQ(sim.desktop.StartedPrograms().size(), 1u);
  EXPECT_NE(sim.desktop.StartedPrograms()[0].commandLine.find(
                std::string(platform::sim::kSimDataFolder) + "\\quarantine"),
            std::string::npos);
}

}  // namespace
