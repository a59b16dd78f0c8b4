// Definition lines that name protected places in other spellings, their parents, or the
// program's own files: a scan, Select All and Delete of any of them leave Windows, the program
// and its data whole, and stop no process but the one running the threat's own file.
#include <string>
#include <vector>

#include "app_fixture.h"
#include "hostile_definitions.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::kHkeyUsers;
using platform::sim::kSimDataFolder;

constexpr const char* kProgramFolder = "C:\\Program Files\\Quillmoor AntiSpyware";
constexpr const char* kProgramExe = "C:\\Program Files\\Quillmoor AntiSpyware\\AntiSpyware.exe";
constexpr const char* kShell = "C:\\WINDOWS\\explorer.exe";
constexpr const char* kFakeShell = "C:\\WINDOWS\\Temp\\Fake Shell\\explorer.exe";

class HostileDefinitionsTest : public app_test::AppTest {
 protected:
  // A Windows of the usual shape, with its shell, services and the program itself running.
  void SetUp() override {
    SkipFirstRun();
    for (const char* file :
         {kShell, "C:\\WINDOWS\\system32\\kernel32.dll", "C:\\WINDOWS\\system32\\services.exe",
          kProgramExe, "C:\\Program Files\\Internet Explorer\\iexplore.exe", kFakeShell}) {
      sim.files.AddFile(file, "MZ");
    }
    sim.registry.PutString(kHkeyLocalMachine,
                           "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell",
                           "explorer.exe");
    for (const char* key :
         {"Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Software\\Classes\\CLSID\\{1}",
          "Software\\Policies\\Microsoft", "SYSTEM\\ControlSet001\\Services\\Tcpip",
          "SYSTEM\\CurrentControlSet\\Services\\Tcpip", "SYSTEM\\CurrentControlSet\\Enum\\Root",
          "Software\\Wow6432Node\\Microsoft\\Windows"}) {
      sim.registry.AddKey(kHkeyLocalMachine, key);
    }
    sim.registry.AddKey(kHkeyClassesRoot, "CLSID\\{1}");
    sim.registry.AddKey(kHkeyCurrentUser, "Software\\Microsoft\\Internet Explorer\\Main");
    sim.registry.AddKey(kHkeyUsers, ".DEFAULT\\Software\\Microsoft");
    sim.registry.AddKey(kHkeyUsers, "S-1-5-21-1\\Software\\Microsoft");
    sim.registry.PutString(kHkeyCurrentUser, hostile::kDecoyKey, " ", "blank");
    sim.registry.PutString(kHkeyCurrentUser, hostile::kDecoyKey, "Keep", "kept");
    shell_ = sim.processes.Start(kShell);
    services_ = sim.processes.Start("C:\\WINDOWS\\system32\\services.exe");
    self_ = sim.processes.Start(kProgramExe);
    fake_ = sim.processes.Start(kFakeShell);
  }

  // Scan, Select All and a confirmed Delete, clicked as a user would.
  void ScanAndDeleteAll(const std::vector<hostile::Line>& lines) {
    hostile::WriteDefinitions(sim.files, kSimDataFolder, lines);
    StartProgram();
    app::FrmMain& main = app.windows.frmMain();
    for (ui::Control* command :
         {&main.cmdScan, &main.cmdScanNow, &main.cmdRemove, &main.cmdSelectAll}) {
      ASSERT_TRUE(host.UserClick(*command)) << command->Name();
    }
    sim.desktop.AnswerNext(platform::kIdYes);
    ASSERT_TRUE(host.UserClick(main.Command4));
  }

  void ExpectWindowsWhole() {
    hostile::ExpectIntact(sim.machine, hostile::VitalPlaces("C:\\WINDOWS", "C:\\Program Files",
                                                            kSimDataFolder, kProgramExe));
    EXPECT_TRUE(sim.processes.IsRunning(shell_));
    EXPECT_TRUE(sim.processes.IsRunning(services_));
    EXPECT_TRUE(sim.processes.IsRunning(self_));
    for (const char* key :
         {"SYSTEM\\ControlSet001\\Services\\Tcpip", "Software\\Wow6432Node\\Microsoft\\Windows",
          "Software\\Classes\\CLSID\\{1}"}) {
      platform::RegKey handle = 0;
      EXPECT_EQ(sim.registry.OpenKey(kHkeyLocalMachine, key, platform::kKeyRead, &handle), 0)
          << key;
      sim.registry.CloseKey(handle);
    }
    // Nothing protected stays listed for removal; whatever was refused is in "Delete Failed".
    app::FrmMain& main = app.windows.frmMain();
    for (ui::ListView* list : {&main.lvwFilesToBeDeleted, &main.lvwRegistryToBeDeleted}) {
      for (const ui::ListItem& row : list->Items()) {
        EXPECT_FALSE(row.text.empty()) << "a row lost its text";
        EXPECT_FALSE(row.checked) << row.text;
      }
    }
  }

  std::uint32_t shell_ = 0, services_ = 0, self_ = 0, fake_ = 0;
};

class EachHostileLine : public HostileDefinitionsTest,
                        public ::testing::WithParamInterface<std::size_t> {};

TEST_P(EachHostileLine, LeavesWindowsTheProgramAndItsDataWhole) {
  const hostile::Line line =
      hostile::HostileLines(kProgramFolder, "AntiSpyware.exe").at(GetParam());
  SCOPED_TRACE(line.text);
  ScanAndDeleteAll({line});
  ExpectWindowsWhole();
  EXPECT_TRUE(sim.processes.IsRunning(fake_));
}

INSTANTIATE_TEST_SUITE_P(
    Table, EachHostileLine,
    ::testing::Range<std::size_t>(0, hostile::HostileLines(kProgramFolder, "x").size()));

TEST_F(HostileDefinitionsTest, AllLinesWithRealThreatsRemoveTheThreatsAndNothingElse) {
  std::vector<hostile::Line> lines = hostile::HostileLines(kProgramFolder, "AntiSpyware.exe");
  for (const hostile::Line& decoy : hostile::DecoyLines()) lines.push_back(decoy);
  ScanAndDeleteAll(lines);

  ExpectWindowsWhole();
  // The fake shell is gone with its process; the real one runs on.
  EXPECT_FALSE(sim.files.Exists(kFakeShell));
  EXPECT_FALSE(sim.processes.IsRunning(fake_));
  // The value named " " went alone: its key and the value beside it stay.
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  platform::RegKey key = 0;
  ASSERT_EQ(sim.registry.OpenKey(kHkeyCurrentUser, hostile::kDecoyKey, platform::kKeyRead, &key),
            0);
  EXPECT_EQ(sim.registry.QueryValue(key, " ", &type, &data), platform::kErrorFileNotFound);
  EXPECT_EQ(sim.registry.QueryValue(key, "Keep", &type, &data), 0);
  sim.registry.CloseKey(key);
}

TEST_F(HostileDefinitionsTest, AProtectedRowThatReachesTheRemovalStaysAndIsListed) {
  hostile::WriteDefinitions(sim.files, kSimDataFolder, {});
  StartProgram();
  app::FrmMain& main = app.windows.frmMain();
  scan::ScanResults& results = app.results();
  results.AddFileRow("C:\\WINDOWS\\system32\\..", "Hostile", scan::kIconFile);
  results.AddRegistryRow("-2147483646", " Software\\\\Microsoft\\", "", "Hostile");
  results.AddGroupRow("Hostile", scan::kIconFile);
  results.AddDetailsRow("Hostile", "C:\\WINDOWS\\system32\\..", "", scan::kIconFile);
  main.cmdSelectAll.Click();
  sim.desktop.AnswerNext(platform::kIdYes);
  main.Command4.Click();

  ExpectWindowsWhole();
  EXPECT_EQ(ui::DumpRows(app.windows.frmDelete().lstProblem),
            "C:\\WINDOWS\nHKEY_LOCAL_MACHINE\\Software\\Microsoft\n");
  EXPECT_EQ(main.lvwFilesToBeDeleted.Count(), 1);
  EXPECT_EQ(main.lvwRegistryToBeDeleted.Count(), 1);
  EXPECT_EQ(ui::DumpRows(main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
            "<3> Hostile | C:\\WINDOWS\\system32\\.. | \n");
}

// Delete with one threat ticked and one not keeps every row of the second whole; a second
// Delete removes it fully.
TEST_F(HostileDefinitionsTest, UntickedThreatsKeepTheirRowsForTheNextDelete) {
  for (const char* file : {"C:\\Bad One\\one.exe", "C:\\Bad Two\\two.exe"}) {
    sim.files.AddFile(file, "MZ");
  }
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\Bad Two");
  hostile::WriteDefinitions(sim.files, kSimDataFolder,
                            {{hostile::Kind::File, "one.exe=Bad One|C:\\Bad One"},
                             {hostile::Kind::File, "two.exe=Bad Two|C:\\Bad Two"},
                             {hostile::Kind::Registry, "1^Software\\Bad Two^=Bad Two"}});
  StartProgram();
  app::FrmMain& main = app.windows.frmMain();
  main.cmdScanNow.Click();
  auto& details = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  ASSERT_EQ(details.Count(), 2);
  // The registry stage runs before the file stage: "Bad Two" is listed first.
  ASSERT_EQ(details.Item(1).text, "Bad One");
  const std::string secondBefore = ui::DumpRows(main.lvwRegistryToBeDeleted);
  details.SetChecked(1, true);
  main.CheckTraceRows(1);
  sim.desktop.AnswerNext(platform::kIdYes);
  main.Command4.Click();

  EXPECT_FALSE(sim.files.Exists("C:\\Bad One\\one.exe"));
  EXPECT_TRUE(sim.files.Exists("C:\\Bad Two\\two.exe"));
  EXPECT_EQ(ui::DumpRows(details), "<2> Bad Two | HKEY_CURRENT_USER\\Software\\Bad Two | \n");
  EXPECT_EQ(ui::DumpRows(main.lvwFilesToBeDeleted), "<3> C:\\Bad Two\\two.exe | Bad Two\n");
  EXPECT_EQ(ui::DumpRows(main.lvwRegistryToBeDeleted), secondBefore);

  main.cmdSelectAll.Click();
  sim.desktop.AnswerNext(platform::kIdYes);
  main.Command4.Click();
  EXPECT_FALSE(sim.files.Exists("C:\\Bad Two\\two.exe"));
  platform::RegKey key = 0;
  EXPECT_NE(sim.registry.OpenKey(kHkeyCurrentUser, "Software\\Bad Two", platform::kKeyRead, &key),
            0);
  for (ui::ListView* list : {&details, &main.lvwFilesToBeDeleted, &main.lvwRegistryToBeDeleted}) {
    EXPECT_EQ(list->Count(), 0);
  }
  // Each removal added what the results page showed at its time: 2 threats, 3 traces, twice the
  // found count (shown on two labels); the second 2 again, as the counters are not reset.
  EXPECT_EQ(main.lblDefRemoved.Caption(), "14");
}

}  // namespace
