#include <optional>
#include <string>

#include "app_fixture.h"
#include "golden.h"
#include "platform/desktop.h"
#include "platform/folder_tree.h"
#include "platform/registry.h"
#include "app/form8.h"
#include "protection/frm_spyware_found_alert.h"

namespace {

using app_test::AppTest;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kUserRoot = "Software\\VB and VBA Program Settings\\Quillmoor AntiSpyware";
constexpr const char* kMachineSettings =
    "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class StartupTest : public AppTest {
 protected:
  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return sim.registry.StringValue(kHkeyCurrentUser, std::string(kUserRoot) + "\\" + section, key);
  }
  void Store(const std::string& section, const std::string& key, const std::string& value) {
    sim.registry.PutString(kHkeyCurrentUser, std::string(kUserRoot) + "\\" + section, key, value);
  }
  // A profile that has run the program before: language chosen, greeting shown.
  void NotFirstRun() {
    Store("Settings", "Language", "English");
    Store("Settings", "ranOneTime", "1");
    sim.registry.PutString(kHkeyLocalMachine, kMachineSettings, "FirstTime", "Yes");
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }
};

TEST_F(StartupTest, FreshProfileGetsTheDefaultsAndTheGreeting) {
  CloseLanguageChooser();
  sim.desktop.AnswerNext(platform::kIdNo);  // the greeting's offer of Live Update
  StartProgram();
  auto& main = Main();

  ASSERT_TRUE(main.Visible());
  EXPECT_FALSE(app.windows.splash().Visible());
  EXPECT_EQ(main.Caption(), "[ProgramName] by [Company]") << "without a language file: as stored";
  EXPECT_EQ(main.lblDefCount.Caption(), "0");
  EXPECT_EQ(main.lblVersion.Caption(), "1.0");
  EXPECT_EQ(main.lblLastScan.Caption(), "Never");
  EXPECT_EQ(main.frmStatus.Caption(), "Quillmoor AntiSpyware Status");
  for (ui::CheckBox* box : {&main.chkHomePage, &main.chkAutoProtect, &main.chkMakeLog,
                            &main.chkSweepMemory, &main.chkScanRegistry, &main.chkScanCookies,
                            &main.chkSendData, &main.chkAutomaticUpdate, &main.chkRunAtStartup}) {
    EXPECT_TRUE(box->Checked()) << box->Name();
  }
  EXPECT_FALSE(main.chkAutomaticScanYesOrNo.Checked());
  EXPECT_FALSE(main.cmbDays.Enabled());
  EXPECT_TRUE(main.optScanOnlyKnownSoftwares.Value());
  EXPECT_FALSE(main.lvwHardDrives.Visible());

  EXPECT_EQ(Stored("OptionAndSettings", "optAlwaysnotifybeforerestoring"), "True");
  EXPECT_EQ(Stored("OptionAndSettings", "STATUS"), "RUNNING");
  EXPECT_EQ(Stored("OptionAndSettings", "RESTART"), "False");
  EXPECT_EQ(Stored("OptionAndSettings", "SHOW"), "True");
  EXPECT_EQ(Stored("Settings", "ranOneTime"), "1");
  EXPECT_EQ(Stored("Settings", "Language"), "English");
  EXPECT_EQ(Stored("Settings", "showHelp"), "0");
  EXPECT_EQ(sim.registry.StringValue(kHkeyLocalMachine, kRunKey, "AntiSpyware"),
            "\"C:\\Program Files\\Quillmoor AntiSpyware\\AntiSpyware\"")
      << "quoted, so a path with blanks cannot start another program";

  // Shown normally: the home-page shield runs; the scheduler and memory timers wait.
  EXPECT_TRUE(main.tmrCheckHomePage.Enabled());
  EXPECT_TRUE(main.tmrScroll.Enabled());
  EXPECT_FALSE(main.tmrMemoryInspected.Enabled());
  EXPECT_FALSE(main.tmrScheduler.Enabled());
  // The loaded default (1) of the automatic update box is stored by its click, so the timer
  // step, whose own default is 0, finds it on.
  EXPECT_TRUE(main.timUpdate.Enabled());
  EXPECT_TRUE(main.ShowInTaskbar());

  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  const auto& greeting = sim.desktop.MessageBoxes()[0];
  EXPECT_EQ(greeting.text.rfind("Thank you for using [ProgramName]!\r\n\r\n", 0), 0u);
  EXPECT_NE(greeting.text.find("\r\n\r\nWould you like to run Live Update now?"),
            std::string::npos);
  EXPECT_EQ(greeting.title, "Update Now?");
  EXPECT_EQ(greeting.style, platform::kMbYesNo);
  EXPECT_EQ(sim.registry.StringValue(kHkeyLocalMachine, kMachineSettings, "FirstTime"), "Yes");
}

TEST_F(StartupTest, ShippedLanguageFileAndDefinitionsFillTheTitleAndTheStatusPage) {
  NotFirstRun();
  sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt",
                    test_support::ReadSourceFile("data/Localization.txt"));
  const std::string data = platform::sim::kSimDataFolder;
  sim.files.AddFile(data + "\\FileDefinition.dat", "a\r\nb\r\n");
  sim.files.AddFile(data + "\\ExeDefinition.dat", "c\r\n");
  sim.files.AddFile(data + "\\date.dat", "12/1/2026 3:04:05 PM\r\n");
  Store("Settings", "lblDefRemoved", "1234");
  StartProgram();
  auto& main = Main();
  EXPECT_EQ(main.Caption(), "Quillmoor AntiSpyware by Quillmoor Software");
  EXPECT_EQ(main.cmdWebsite.Caption(), "Visit YourWebsite.com");
  EXPECT_EQ(main.Label22.Caption(), "Welcome to Quillmoor AntiSpyware");
  EXPECT_EQ(app.state.dataFolder, data);
  EXPECT_EQ(main.lblDefCount.Caption(), "3");
  EXPECT_EQ(main.lblDefVersion.Caption(), "12/1/2026 3:04:05 PM PST");
  EXPECT_EQ(main.lblLastUpdate.Caption(), "Signatures Last Updated On 12/1/2026 3:04:05 PM PST");
  EXPECT_EQ(main.lblDefRemoved.Caption(), "1234");
}

// A user without a data folder gets one made from the starter set beside the program; a user
// who has one keeps it exactly as it is.
TEST_F(StartupTest, AMissingDataFolderIsMadeFromTheStarterSetAndAnExistingOneKept) {
  const std::string data = platform::sim::kSimDataFolder;
  const std::string starter = "C:\\Program Files\\Quillmoor AntiSpyware\\Definitions\\";
  for (const char* name :
       {"FileDefinition.dat", "DirectoryDefinition.dat", "RegistryDefinition.dat",
        "ExeDefinition.dat", "BlockedCookies.dat", "Safety.dat"}) {
    sim.files.AddFile(starter + name, std::string("stored ") + name);
  }
  ASSERT_TRUE(platform::DeleteFolder(sim.files,
                                     "C:\\Documents and Settings\\User\\Application Data", true));
  SkipFirstRun();
  StartProgram();
  EXPECT_EQ(sim.files.FileContent(data + "\\Safety.dat"), "stored Safety.dat");
  EXPECT_EQ(sim.files.FileContent(data + "\\ExeDefinition.dat"), "stored ExeDefinition.dat");
  EXPECT_FALSE(sim.files.Exists(data + "\\date.dat")) << "only what the starter set has";
  EXPECT_NE(app.windows.frmMain().lblDefVersion.Caption(), app.Message("MSG_MISSINGFILES"));

  // The next start finds the folder and leaves it alone, even when the user emptied it.
  ASSERT_TRUE(sim.files.DeleteFile(data + "\\Safety.dat"));
  platform::sim::SimMachine& machine = sim;
  ui::HeadlessHost secondHost;
  app::App second(machine.machine, secondHost);
  second.Start();
  secondHost.Advance(200);
  EXPECT_FALSE(sim.files.Exists(data + "\\Safety.dat"));
}

TEST_F(StartupTest, HelpOpensOnTheFirstStartOnly) {
  NotFirstRun();
  const std::string help = sim.system.ProgramFolder() + "\\Help.chm";
  sim.files.AddFile(help, "help");
  StartProgram();
  ASSERT_EQ(sim.desktop.ShellExecuteCalls().size(), 1u);
  EXPECT_EQ(sim.desktop.ShellExecuteCalls()[0].verb, "open");
  EXPECT_EQ(sim.desktop.ShellExecuteCalls()[0].file, help);
  EXPECT_EQ(Stored("Settings", "showHelp"), "0");
  EXPECT_FALSE(app.windows.form8().IsLoaded()) << "the launcher unloads itself";
  EXPECT_EQ(sim.registry.StringValue(kHkeyLocalMachine, kMachineSettings, "showHelp"), "0");
}

TEST_F(StartupTest, SecondStartShowsNoGreetingAndKeepsRunAtStartupOff) {
  NotFirstRun();
  Store("OptionAndSettings", "chkRunAtStartup", "0");
  StartProgram();
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
  EXPECT_FALSE(Main().chkRunAtStartup.Checked());
  EXPECT_FALSE(sim.registry.StringValue(kHkeyLocalMachine, kRunKey, "AntiSpyware"));
}

TEST_F(StartupTest, OnVistaTheFirstStartExplainsTheToolAndStoresNothing) {
  sim.system.SetOsVersion({platform::kPlatformWin32Nt, 6, 0});
  sim.registry.PutString(kHkeyLocalMachine, kMachineSettings, "FirstTime", "Yes");
  sim.desktop.AnswerNext(platform::kIdOk);
  sim.desktop.AnswerNext(platform::kIdOk);
  CloseLanguageChooser();
  StartProgram();

  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 2u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Vista Detected");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].style, platform::kMbOkCancel);
  EXPECT_EQ(sim.desktop.MessageBoxes()[1].title, "Startup Tool");
  ASSERT_EQ(sim.desktop.StartedPrograms().size(), 1u);
  EXPECT_EQ(sim.desktop.StartedPrograms()[0].commandLine,
            "explorer C:\\Program Files\\Quillmoor AntiSpyware");
  EXPECT_FALSE(Stored("OptionAndSettings", "chkRunAtStartup"));
  EXPECT_FALSE(sim.registry.StringValue(kHkeyLocalMachine, kRunKey, "AntiSpyware"));
}

TEST_F(StartupTest, EveryStartBeginsWithQuickScanAndRewritesThePair) {
  NotFirstRun();
  Store("OptionAndSettings", "optScanAllSelectedHardDrive", "True");
  Store("OptionAndSettings", "optScanOnlyKnownSoftwares", "False");
  StartProgram();
  EXPECT_TRUE(Main().optScanOnlyKnownSoftwares.Value());
  EXPECT_FALSE(Main().optScanAllSelectedHardDrive.Value());
  EXPECT_EQ(Stored("OptionAndSettings", "optScanAllSelectedHardDrive"), "False");
  EXPECT_EQ(Stored("OptionAndSettings", "optScanOnlyKnownSoftwares"), "True");

  Main().optScanAllSelectedHardDrive.SetValue(true);
  EXPECT_TRUE(Main().lvwHardDrives.Visible());
  EXPECT_EQ(Stored("OptionAndSettings", "optScanAllSelectedHardDrive"), "True");
}

TEST_F(StartupTest, StoredValuesThatAreNotNumbersLeaveTheirControlsAlone) {
  NotFirstRun();
  Store("Settings", "FoundCol21", "wide");
  Store("Settings", "FoundCol22", "3000");
  Store("Settings", "FoundCol23", "2000");
  Store("OptionAndSettings", "chkMakeLog", "yes");
  StartProgram();
  auto& list = Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  EXPECT_EQ(list.Column(0).width, 1400);
  EXPECT_EQ(list.Column(1).width, 3000);
  EXPECT_EQ(list.Column(2).width, 2000);
  EXPECT_FALSE(Main().chkMakeLog.Checked());
}

TEST_F(StartupTest, ASecondInstanceEndsSilentlyAfterTheLanguageStep) {
  auto first = sim.StartOtherInstance();
  CloseLanguageChooser();
  StartProgram();
  EXPECT_TRUE(host.QuitRequested());
  EXPECT_FALSE(Main().Visible());
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
  EXPECT_EQ(Stored("Settings", "Language"), "English");
  EXPECT_FALSE(Stored("OptionAndSettings", "STATUS"));
}

TEST_F(StartupTest, StartsInTheTrayWhenItWasLeftThere) {
  NotFirstRun();
  Store("Settings", "Minimized", "Yes");
  StartProgram();
  auto& main = Main();
  // The splash shows it after all: minimized, without a task-list entry.
  EXPECT_TRUE(main.Visible());
  EXPECT_EQ(main.GetWindowState(), ui::WindowState::Minimized);
  EXPECT_FALSE(main.ShowInTaskbar());
  EXPECT_TRUE(main.tmrMemoryInspected.Enabled()) << "the shields run while in the tray";

  main.SetWindowState(ui::WindowState::Normal);
  EXPECT_EQ(Stored("Settings", "Minimized"), "No");
  EXPECT_TRUE(main.ShowInTaskbar());
}

TEST_F(StartupTest, SchedulerRunsOnlyWhileMinimizedWhenTheHomePageShieldIsOff) {
  NotFirstRun();
  Store("OptionAndSettings", "chkAutomaticScanYesOrNo", "1");
  Store("OptionAndSettings", "optIEHomePageSheildOn", "False");
  Store("OptionAndSettings", "optIEHomePageSheildOff", "True");
  StartProgram();
  auto& main = Main();
  EXPECT_FALSE(main.chkHomePage.Checked());
  EXPECT_FALSE(main.tmrCheckHomePage.Enabled());
  EXPECT_FALSE(main.tmrScheduler.Enabled());
  main.SetWindowState(ui::WindowState::Minimized);
  EXPECT_TRUE(main.tmrScheduler.Enabled());
  EXPECT_FALSE(main.tmrScroll.Enabled());
  main.SetWindowState(ui::WindowState::Normal);
  EXPECT_FALSE(main.tmrScheduler.Enabled());
}

TEST_F(StartupTest, NormalExitLeavesStoppedAndTheWindowLayout) {
  NotFirstRun();
  StartProgram();
  auto& main = Main();
  main.SetWindowState(ui::WindowState::Maximized);
  main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.SetColumnWidth(1, 4321);
  main.mnuHelp_Click(0);
  app.windows.frmSpywareFoundAlert().Load();
  main.Unload(ui::UnloadMode::FormControlMenu);

  EXPECT_EQ(Stored("OptionAndSettings", "STATUS"), "STOPPED");
  EXPECT_EQ(Stored("OptionAndSettings", "RESTART"), "False");
  EXPECT_EQ(Stored("Settings", "FoundCol22"), "4321");
  EXPECT_EQ(Stored("Settings", "Max"), "1");
  EXPECT_FALSE(app.windows.hidden().IsLoaded());
  EXPECT_FALSE(app.windows.frmSpywareFoundAlert().IsLoaded());
  EXPECT_FALSE(app.windows.frmDelete().IsLoaded());
  EXPECT_TRUE(host.QuitRequested());
}

TEST_F(StartupTest, AKilledProgramLeavesRunning) {
  NotFirstRun();
  {
    ui::HeadlessHost otherHost;
    app::App killed{sim.machine, otherHost};
    killed.Start();
    otherHost.Advance(200);
  }
  EXPECT_EQ(Stored("OptionAndSettings", "STATUS"), "RUNNING");
}

TEST_F(StartupTest, DeclinedConsentChecksTheBoxAgainAndKeyboardTogglesStoreNothing) {
  NotFirstRun();
  StartProgram();
  auto& box = Main().chkSendData;
  ui::MouseArgs release{ui::kMouseLeft, 0, 30, 30};

  box.Toggle();  // Space: neither asks nor stores
  EXPECT_EQ(Stored("OptionAndSettings", "chkSendData"), std::nullopt);
  box.Toggle();

  sim.desktop.AnswerNext(platform::kIdNo);
  box.Toggle();
  box.MouseUp(release);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(Stored("OptionAndSettings", "chkSendData"), "1");
  EXPECT_EQ(sim.desktop.MessageBoxes().back().style, platform::kMbYesNo);

  sim.desktop.AnswerNext(platform::kIdYes);
  box.Toggle();
  box.MouseUp(release);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(Stored("OptionAndSettings", "chkSendData"), "0");
}

TEST_F(StartupTest, TheSixHiddenOptionsAreOneGroupAndTheCheckBoxesWriteTheirKeys) {
  NotFirstRun();
  StartProgram();
  auto& main = Main();
  main.chkAutoProtect.SetValue(ui::kUnchecked);
  EXPECT_EQ(Stored("OptionAndSettings", "optMemorySheildOn"), "False");
  EXPECT_EQ(Stored("OptionAndSettings", "optMemorySheildOff"), "True");
  EXPECT_FALSE(main.tmrMemoryInspected.Enabled());

  main.optIEHomePageSheildOff.SetValue(true);
  EXPECT_FALSE(main.optMemorySheildOn.Value()) << "one container, one group";
  EXPECT_EQ(Stored("OptionAndSettings", "optIEHomePageSheildOn"), "False");
  EXPECT_FALSE(main.tmrCheckHomePage.Enabled());
  EXPECT_FALSE(main.optAlwaysnotifybeforerestoring.Enabled());

  main.chkHomePage.SetValue(ui::kUnchecked);
  main.chkHomePage.SetValue(ui::kChecked);
  EXPECT_EQ(Stored("OptionAndSettings", "optIEHomePageSheildOn"), "True");
  EXPECT_TRUE(main.tmrCheckHomePage.Enabled());
  EXPECT_TRUE(main.optRestoredefaultwithoutnotification.Enabled());

  main.chkAutoDel.SetValue(ui::kChecked);
  EXPECT_EQ(Stored("Settings", "chkAutoDel"), "1");
  main.cmdDefaultSetting.Click();
  EXPECT_EQ(main.cmbDays.ListIndex(), 7);
}

TEST_F(StartupTest, SendToTrayHidesTheWindowAndRemembersIt) {
  NotFirstRun();
  StartProgram();
  Main().Command5.Click();
  EXPECT_FALSE(Main().Visible());
  EXPECT_EQ(Main().GetWindowState(), ui::WindowState::Minimized);
  EXPECT_EQ(Stored("Settings", "Minimized"), "Yes");
  ASSERT_EQ(sim.tray.Icons().size(), 1u);
  const auto& icon = sim.tray.Icons().begin()->second;
  EXPECT_EQ(icon.tip, "Quillmoor AntiSpyware");
  EXPECT_EQ(icon.window, host.WindowHandle(Main()));
  EXPECT_EQ(icon.callbackMessage, 0x200u) << "its clicks arrive as mouse moves";

  Main().Unload();
  EXPECT_TRUE(sim.tray.Icons().empty()) << "the icon goes with the program";
}

}  // namespace
