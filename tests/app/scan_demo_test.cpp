// A whole scan through the program on a machine where the starter definitions' demo threats
// were planted by hand, as their notes suggest: files, folders, registry entries, a running
// program and a cookie.
#include <string>

#include "app_fixture.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/line_codec.h"
#include "golden.h"
#include "scan/version_block.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::sim::kSimDataFolder;

constexpr const char* kDemoProgram = "C:\\Program Files\\Demo Adware\\demoadware.exe";
constexpr const char* kDemoCookie =
    "C:\\Documents and Settings\\User\\Cookies\\user@demoadware[2].txt";

class ScanDemoTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    PlantStarterDefinitions();
  }
  void PlantDemoThreats() {
    sim.files.AddFile("C:\\Program Files\\Demo Adware\\demoadware.exe", "MZ demo");
    sim.files.AddFile("C:\\WINDOWS\\system32\\demohelper.dll", "MZ demo");
    sim.files.AddFile(kAppData + "Demo Toolbar\\toolbar.ini", "[Toolbar]");
    sim.registry.AddKey(kHkeyCurrentUser, "Software\\Demo Adware");
    sim.registry.PutString(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           "DemoAdware", "C:\\Program Files\\Demo Adware\\demoadware.exe");
    sim.registry.AddKey(kHkeyLocalMachine, "Software\\Demo Toolbar");
  }
  std::uint32_t StartDemoProgram() {
    sim.files.AddFile(
        kDemoProgram,
        scan_test::FileAround(scan_test::WideVersionBlock({{"CompanyName", "Demo Adware Ltd"}})));
    return sim.processes.Start(kDemoProgram);
  }
  bool FoundRow(const std::string& text) {
    for (const ui::ListItem& row : app.windows.frmMain().lvwSpywareFound.Items()) {
      if (row.text == text) return true;
    }
    return false;
  }
  const std::string kAppData = "C:\\Documents and Settings\\User\\Application Data\\";
};

TEST_F(ScanDemoTest, AScanFindsEveryPlantedDemoTrace) {
  PlantDemoThreats();
  // Things the definitions do not name, or name where they are not, stay out of the results.
  sim.files.AddFile("C:\\Program Files\\Demo Adware\\readme.txt", "text");
  sim.files.AddFile("C:\\demohelper.dll", "MZ");
  StartProgram();
  auto& main = app.windows.frmMain();
  main.cmdScanNow.Click();

  EXPECT_EQ(ui::DumpRows(main.lvwSpywareFound),
            "<2> Demo Adware - Found\n<2> Demo Toolbar - Found\n");
  EXPECT_EQ(
      ui::DumpRows(main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
      "<2> Demo Adware | HKEY_CURRENT_USER\\Software\\Demo Adware | Adware settings\n"
      "<2> Demo Toolbar | HKEY_LOCAL_MACHINE\\Software\\Demo Toolbar | Toolbar registration\n");
  EXPECT_EQ(ui::DumpRows(main.lvwRegistryToBeDeleted),
            "<2> -2147483647 | Software\\Demo Adware |  | Demo Adware\n"
            "<2> -2147483647 | Software\\Microsoft\\Windows\\CurrentVersion\\Run | DemoAdware | "
            "Demo Adware\n"
            "<2> -2147483646 | Software\\Demo Toolbar |  | Demo Toolbar\n");
  EXPECT_EQ(ui::DumpRows(main.lvwFilesToBeDeleted),
            "<3> C:\\Program Files\\Demo Adware\\demoadware.exe | Demo Adware\n"
            "<3> C:\\WINDOWS\\system32\\demohelper.dll | Demo Adware\n"
            "<3> " +
                kAppData +
                "Demo Toolbar\\toolbar.ini | Demo Toolbar\n"
                "<4> C:\\Program Files\\Demo Adware |  | Demo Adware\n"
                "<4> " +
                kAppData + "Demo Toolbar |  | Demo Toolbar\n");
  EXPECT_EQ(main.lbltracesFound.Caption(), "8");
  EXPECT_EQ(main.lblSoftwareFound.Caption(), "2");
  EXPECT_EQ(main.lblRegistryInspected.Caption(), "3");
  EXPECT_EQ(main.lblFilesFolderInspected.Caption(), "5");
  EXPECT_EQ(main.lblStatus(0).Caption(), app.Message("MSG_SCAN_COMPLETED"));

  // The registry stage found both threats first; their details rows tick every trace anyway.
  main.cmdSelectAll.Click();
  for (const ui::ListItem& row : main.lvwRegistryToBeDeleted.Items()) EXPECT_TRUE(row.checked);
  for (const ui::ListItem& row : main.lvwFilesToBeDeleted.Items()) EXPECT_TRUE(row.checked);
}

TEST_F(ScanDemoTest, AScanStopsTheDemoProgramAndFindsTheDemoCookie) {
  const std::uint32_t demo = StartDemoProgram();
  sim.files.AddFile(kDemoCookie, "id\nvisitor=42\nads.demoadware.example/\n1536\n*\n");
  StartProgram();
  auto& main = app.windows.frmMain();
  main.cmdScanNow.Click();

  EXPECT_TRUE(FoundRow("Cookie Found: user@demoadware[2].txt"))
      << ui::DumpRows(main.lvwSpywareFound);
  EXPECT_TRUE(FoundRow("Detected in the memory : DEMOADWARE.EXE was stopped from running."))
      << ui::DumpRows(main.lvwSpywareFound);
  EXPECT_FALSE(sim.processes.IsRunning(demo));
  EXPECT_EQ(ui::DumpRows(main.lvwCookiesToDelete), std::string("<1> ") + kDemoCookie + " | \n");
  EXPECT_EQ(main.lblTotalNoOfRunningItems.Caption(), "2") << "the idle process and the demo";
  // One cookie entry, one program entry, two programs examined.
  EXPECT_EQ(main.lblMemoryInspected.Caption(), "4");
  EXPECT_EQ(main.lblStatus(0).Caption(), "Scanning complete.");
}

// The option to save the results is on by default: the report lists both threats with their
// locations and the counters as the scan page shows them.
TEST_F(ScanDemoTest, TheScanWritesItsReportOfTheThreatsFound) {
  PlantDemoThreats();
  sim.files.AddFile(std::string(kSimDataFolder) + "\\ENoSignature.dat",
                    "C:\\Program Files\\Demo Adware\\readme.txt\r\n");
  StartProgram();
  app.windows.frmMain().cmdScanNow.Click();
  test_support::ExpectMatchesSourceFile(
      "tests/app/golden/scan_report.txt",
      sim.files.FileContent(std::string(kSimDataFolder) + "\\Scan_Log.txt").value_or(""));
}

}  // namespace
