// The Delete command on the results page: confirmation, both passes, the quarantine and its log,
// the restore point, "Delete Failed" and the removed-traces total, on the simulated machine.
#include <string>
#include <vector>

#include "app_fixture.h"
#include "golden.h"
#include "platform/desktop.h"
#include "platform/restore.h"
#include "scan/results.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::sim::kSimDataFolder;

using app_test::kUserRoot;
constexpr const char* kQuarantine =
    "C:\\Documents and Settings\\User\\Application Data\\AntiSpywareDAT\\quarantine";

class RemovalTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    StartProgram();
  }

  app::FrmMain& Main() { return app.windows.frmMain(); }
  // A threat's file or folder trace, its group and its details row, as the scan lists them.
  void AddFileThreat(const std::string& path, const std::string& threat, int icon) {
    scan::ScanResults& results = app.results();
    results.AddFileRow(path, icon == scan::kIconFolder ? "" : threat, icon);
    results.AddGroupRow(threat, icon);
    results.AddDetailsRow(threat, path, "Adware", icon);
    results.CountTrace();
  }
  void AddRegistryThreat(platform::RegKey hive, const std::string& key, const std::string& value,
                         const std::string& threat) {
    scan::ScanResults& results = app.results();
    results.AddRegistryRow(std::to_string(static_cast<std::int32_t>(hive)), key, value, threat);
    results.AddGroupRow(threat, scan::kIconRegistry);
    results.AddDetailsRow(threat, key + "\\" + value, "Adware settings", scan::kIconRegistry);
    results.CountTrace();
  }
  void AddCookie(const std::string& path, const std::string& name) {
    app.results().AddCookieRow(path, "");
    app.results().AddDetailsRow("Cookie: " + name, path, "Tracking Cookie", scan::kIconCookie);
  }
  // Ticks every threat and confirms the Delete command.
  void DeleteAll() {
    Main().cmdSelectAll.Click();
    sim.desktop.AnswerNext(platform::kIdYes);
    Main().Command4.Click();
  }
  std::string Log() const {
    return sim.files.FileContent(std::string(kQuarantine) + "\\QuarantineLog.txt").value_or("");
  }
  bool InQuarantine(const std::string& name) const {
    return sim.files.Exists(std::string(kQuarantine) + "\\" + name);
  }
  std::vector<std::string> Problems() {
    std::vector<std::string> paths;
    for (const ui::ListItem& row : app.windows.frmDelete().lstProblem.Items()) paths.push_back(row.text);
    return paths;
  }
};

TEST_F(RemovalTest, NothingTickedIsSaidUnlessTheRemovalIsAutomatic) {
  AddFileThreat("C:\\Bad\\bad.ini", "Bad", scan::kIconFile);
  sim.files.AddFile("C:\\Bad\\bad.ini", "x");

  Main().Command4.Click();
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text,
            "No entries are selected.  You must check the box next to at least one item in the "
            "list.");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Quillmoor AntiSpyware");

  app.state.autoDeleteInProgress = true;
  Main().Command4.Click();
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_TRUE(sim.files.Exists("C:\\Bad\\bad.ini"));
}

TEST_F(RemovalTest, NoLeavesEveryListAndFileAsItWas) {
  AddFileThreat("C:\\Bad\\bad.ini", "Bad", scan::kIconFile);
  sim.files.AddFile("C:\\Bad\\bad.ini", "x");
  Main().cmdSelectAll.Click();
  const std::string before = ui::DumpRows(Main().lvwFilesToBeDeleted) +
                             ui::DumpRows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
  sim.desktop.AnswerNext(platform::kIdNo);
  Main().Command4.Click();

  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Really Delete?");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text,
            std::string("Are you sure you want to delete the selected files?\r\n\r\n"
                        "Deleted files will be backed up in the following folder in case you "
                        "need to recover them:\r\n\r\n") +
                kQuarantine +
                "\r\n\r\nIn addition, a System Restore Point will be created using Windows "
                "System Restore, accessible through:\r\n\r\nStart > Programs > Accessories > "
                "System Tools > System Restore");
  EXPECT_EQ(ui::DumpRows(Main().lvwFilesToBeDeleted) +
                ui::DumpRows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
            before);
  EXPECT_TRUE(sim.files.Exists("C:\\Bad\\bad.ini"));
  EXPECT_FALSE(sim.files.Exists(kQuarantine));
  EXPECT_TRUE(sim.restore.Calls().empty());
}

TEST_F(RemovalTest, EveryKindOfTraceGoesIntoTheQuarantineAndTheLog) {
  const std::string exe = "C:\\Program Files\\Demo Adware\\demoadware.exe";
  const std::string stuck = "C:\\Program Files\\Demo Adware\\stuck.exe";
  const std::string dll = "C:\\WINDOWS\\system32\\demohelper.dll";
  const std::string folder = "C:\\Documents and Settings\\User\\Application Data\\Demo Toolbar";
  const std::string cookie = "C:\\Documents and Settings\\User\\Cookies\\user@demoadware[2].txt";
  sim.files.AddFile(exe, "MZ demo");
  sim.files.AddFile(stuck, "MZ stuck");
  sim.files.AddFile(dll, std::string("MZ helper DllUnregisterServer\0", 31));
  sim.files.AddFile(folder + "\\toolbar.ini", "[toolbar]");
  sim.files.AddFile(cookie, "id\nvisitor=42\nads.demoadware.example/\n");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Demo Adware", "", "default");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Demo Adware\\Sub", "x", "y");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "DemoAdware", "demoadware.exe");
  const std::uint32_t demo = sim.processes.Start(exe);
  const std::uint32_t stubborn = sim.processes.Start(stuck);
  sim.processes.SetRefusesToDie(stubborn, true);

  AddFileThreat(exe, "Demo Adware", scan::kIconFile);
  AddFileThreat(stuck, "Stuck Adware", scan::kIconFile);
  AddFileThreat(dll, "Demo Adware", scan::kIconFile);
  AddFileThreat(folder, "Demo Toolbar", scan::kIconFolder);
  AddRegistryThreat(kHkeyCurrentUser, "Software\\Demo Adware", "", "Demo Adware");
  AddRegistryThreat(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                    "DemoAdware", "Demo Adware");
  AddCookie(cookie, "user@demoadware[2].txt");
  sim.clock.SetNow(46364.5);  // 8 December 2026, noon
  DeleteAll();

  EXPECT_FALSE(sim.processes.IsRunning(demo)) << "stopped before its file was deleted";
  for (const std::string& path : {exe, dll, folder, cookie}) {
    EXPECT_FALSE(sim.files.Exists(path)) << path;
  }
  EXPECT_FALSE(sim.registry.KeyExists(kHkeyCurrentUser, "Software\\Demo Adware"));
  EXPECT_FALSE(sim.registry
                   .StringValue(kHkeyCurrentUser,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "DemoAdware")
                   .has_value());
  for (const char* name : {"demoadware.exe", "demohelper.dll", "Demo Toolbar\\toolbar.ini",
                           "user@demoadware[2].txt"}) {
    EXPECT_TRUE(InQuarantine(name)) << name;
  }
  // The running program that would not stop keeps its file, and only the first pass logs.
  EXPECT_TRUE(sim.files.Exists(stuck));
  EXPECT_FALSE(InQuarantine("stuck.exe"));
  test_support::ExpectMatchesSourceFile("tests/app/golden/removal_log.txt", Log());

  EXPECT_EQ(Problems(), std::vector<std::string>{stuck});
  EXPECT_TRUE(app.windows.frmDelete().Visible());
  EXPECT_EQ(ui::DumpRows(Main().lvwFilesToBeDeleted), "<3> " + stuck + " | Stuck Adware\n");
  EXPECT_EQ(ui::DumpRows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
            "<3> Stuck Adware | " + stuck + " | Adware\n");
  EXPECT_EQ(Main().lvwRegistryToBeDeleted.Count() + Main().lvwCookiesToDelete.Count(), 0);

  ASSERT_EQ(sim.restore.Calls().size(), 2u);
  EXPECT_EQ(sim.restore.Calls()[0].eventType, platform::kBeginSystemChange);
  EXPECT_EQ(sim.restore.Calls()[0].pointType, platform::kRestorePointRestore);
  EXPECT_EQ(sim.restore.Calls()[0].description,
            "Quillmoor AntiSpyware Restore Point 12/8/2026 12:00:00 PM");
  EXPECT_EQ(sim.restore.Calls()[1].eventType, platform::kEndSystemChange);
  EXPECT_EQ(sim.restore.Calls()[1].sequence, sim.restore.Calls()[0].answer.sequence);

  EXPECT_EQ(Main().lblDeletingPercentageCompleted.Caption(), "100% Complete")
      << "the catalogue capitalises its texts";
  EXPECT_FALSE(Main().pgbDeleteSpywaresFound.Visible());
  EXPECT_FALSE(Main().lblDeletingCaption.Visible());
}

TEST_F(RemovalTest, ALockedFileIsTriedEightTimesEachPassAndListedOnce) {
  const std::vector<std::string> paths = {"C:\\Bad\\one.ini", "C:\\Bad\\two.dat",
                                          "C:\\Bad\\three.txt"};
  for (const std::string& path : paths) {
    sim.files.AddFile(path, "x");
    sim.files.SetInUse(path, true);
    AddFileThreat(path, "Threat " + path.substr(7), scan::kIconFile);
  }
  AddFileThreat("C:\\Bad\\gone.ini", "Gone", scan::kIconFile);
  sim.files.AddFile("C:\\Bad\\gone.ini", "y");
  DeleteAll();

  EXPECT_EQ(sim.files.DeleteAttempts(paths[0]), 16);
  EXPECT_EQ(Problems(), paths);
  EXPECT_EQ(ui::DumpRows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
            "<3> Threat one.ini | C:\\Bad\\one.ini | Adware\n"
            "<3> Threat two.dat | C:\\Bad\\two.dat | Adware\n"
            "<3> Threat three.txt | C:\\Bad\\three.txt | Adware\n")
      << "left unticked for the user; the removed threat is gone";
  EXPECT_TRUE(InQuarantine("one.ini")) << "backed up even though it stayed";

  app.windows.frmDelete().Command2.Click();
  EXPECT_EQ(sim.clipboard.Text(), "C:\\Bad\\one.ini\r\nC:\\Bad\\two.dat\r\nC:\\Bad\\three.txt\r\n");
  app.windows.frmDelete().Command1.Click();
  EXPECT_FALSE(app.windows.frmDelete().Visible());

  // The next removal starts with an empty list and touches only what is ticked again.
  sim.files.SetInUse(paths[1], false);
  Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.UserCheck(1, true);
  sim.desktop.AnswerNext(platform::kIdYes);
  Main().Command4.Click();
  EXPECT_FALSE(sim.files.Exists(paths[1]));
  EXPECT_TRUE(Problems().empty());
  EXPECT_EQ(sim.files.DeleteAttempts(paths[0]), 16);
}

TEST_F(RemovalTest, AFileOrFolderThatCannotBeBackedUpStaysAndIsListed) {
  sim.files.AddFile("C:\\Bad\\locked.ini", "x");
  sim.files.SetLocked("C:\\Bad\\locked.ini", true);
  sim.files.AddFile("C:\\Bad Folder\\locked.dat", "y");
  sim.files.SetLocked("C:\\Bad Folder\\locked.dat", true);
  AddFileThreat("C:\\Bad\\locked.ini", "Locked", scan::kIconFile);
  AddFileThreat("C:\\Bad Folder", "Bad Folder", scan::kIconFolder);
  DeleteAll();

  EXPECT_TRUE(sim.files.Exists("C:\\Bad\\locked.ini"));
  EXPECT_EQ(sim.files.DeleteAttempts("C:\\Bad\\locked.ini"), 0);
  EXPECT_TRUE(sim.files.Exists("C:\\Bad Folder\\locked.dat"));
  EXPECT_EQ(Problems(), (std::vector<std::string>{"C:\\Bad\\locked.ini", "C:\\Bad Folder"}));
  EXPECT_EQ(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Count(), 2);
}

TEST_F(RemovalTest, FourRegistryRowsShowAQuarterEachAndTheTotalGrows) {
  for (int i = 1; i <= 4; ++i) {
    AddRegistryThreat(kHkeyCurrentUser, "Software\\Bad" + std::to_string(i), "v", "Bad");
  }
  sim.registry.PutString(kHkeyCurrentUser, std::string(kUserRoot) + "\\Settings", "lblDefRemoved",
                         "10");
  // The results page shows 3 threats found (on its two threat labels) and the 4 traces.
  app.state.scan.counters.threatsFound = 3;
  std::vector<std::string> texts;
  bool commandsHeld = true;
  bool yieldedInPurge = false;
  const std::vector<ui::Control*> results = {
      &Main().Command4, &Main().cmdExclude, &Main().cmdScan, &Main().lvwSpywareFound,
      &Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved, &Main().lvwFilesToBeDeleted,
      &Main().lvwRegistryToBeDeleted, &Main().lvwCookiesToDelete};
  Main().cmdSettings.Click();
  host.onYield = [&](int) {
    // The lists' check boxes too: a tick set now would take a row off as removed.
    for (const ui::Control* control : results) commandsHeld = commandsHeld && !control->Enabled();
    // The File menu's Scan does not open the scan page in the middle of it.
    Main().mnuFile.ClickItem(0);
    // The window answers in the middle of the purge: the registry rows gone, the threats not yet.
    yieldedInPurge = yieldedInPurge || (Main().lvwRegistryToBeDeleted.Count() == 0 &&
                                        Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Count() > 0);
    const std::string text = Main().lblDeletingPercentageCompleted.Caption();
    if (text.rfind("Removing :", 0) == 0 && (texts.empty() || texts.back() != text)) {
      texts.push_back(text);
    }
  };
  DeleteAll();

  EXPECT_EQ(texts,
            (std::vector<std::string>{"Removing : 25% Completed.", "Removing : 50% Completed.",
                                      "Removing : 75% Completed.", "Removing : 100% Completed.",
                                      "Removing : 25% Completed.", "Removing : 50% Completed.",
                                      "Removing : 75% Completed.", "Removing : 100% Completed."}))
      << "once per pass";
  EXPECT_TRUE(commandsHeld) << "nothing may change the lists while the removal yields";
  EXPECT_TRUE(yieldedInPurge);
  EXPECT_FALSE(Main().frmScan.Visible());
  for (const ui::Control* control : results) EXPECT_TRUE(control->Enabled()) << control->Name();
  EXPECT_EQ(sim.registry.StringValue(kHkeyCurrentUser, std::string(kUserRoot) + "\\Settings",
                                     "lblDefRemoved"),
            "20");
  EXPECT_EQ(Main().lblDefRemoved.Caption(), "20");
}

TEST_F(RemovalTest, WithoutSystemRestoreTheRemovalGoesOnSilentlyWhenAutomatic) {
  sim.files.AddFile("C:\\Bad\\bad.ini", "x");
  AddFileThreat("C:\\Bad\\bad.ini", "Bad", scan::kIconFile);
  sim.restore.SetEnabled(false);
  app.state.autoDeleteInProgress = true;
  DeleteAll();

  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
  EXPECT_FALSE(sim.files.Exists("C:\\Bad\\bad.ini"));
  EXPECT_EQ(sim.restore.Calls().size(), 2u) << "both refused, neither stops the removal";

  // Windows 2000 has no System Restore: nothing is asked of it, nor promised.
  sim.system.SetOsVersion({platform::kPlatformWin32Nt, 5, 0});
  app.state.autoDeleteInProgress = false;
  sim.files.AddFile("C:\\Bad\\again.ini", "x");
  AddFileThreat("C:\\Bad\\again.ini", "Again", scan::kIconFile);
  DeleteAll();
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text.find("System Restore"), std::string::npos);
  EXPECT_EQ(sim.restore.Calls().size(), 2u);
  EXPECT_FALSE(sim.files.Exists("C:\\Bad\\again.ini"));
}

TEST_F(RemovalTest, ARemovalSendsTheRunningProgramsOnlyWhenTheUserAgreed) {
  int submissions = 0;
  sim.internet.Route("http://127.0.0.1:8080", "/asp/getData.asp",
                     [&](const platform::sim::SimHttpRequest&) {
                       ++submissions;
                       return platform::sim::SimHttpResponse("Added");
                     });
  sim.files.AddFile("C:\\Tools\\editor.exe", "MZ");
  sim.processes.Start("C:\\Tools\\editor.exe");
  for (const bool agreed : {false, true}) {
    const std::string path = std::string("C:\\Program Files\\Demo Adware\\") +
                             (agreed ? "second.exe" : "first.exe");
    sim.files.AddFile(path, "MZ demo");
    AddFileThreat(path, "Demo Adware", scan::kIconFile);
    Main().chkSendData.SetValue(agreed ? ui::kChecked : ui::kUnchecked);
    DeleteAll();
    EXPECT_FALSE(sim.files.Exists(path));
    EXPECT_EQ(submissions, agreed ? 1 : 0);
  }
}

}  // namespace

