// A whole scan through the program on a machine where the starter definitions' demo threats
// were planted by hand, as their notes suggest.
#include <string>

#include "app_fixture.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/line_codec.h"
#include "golden.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::sim::kSimDataFolder;

class ScanDemoTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    sim.registry.PutString(kHkeyCurrentUser,
                           "Software\\VB and VBA Program Settings\\Quillmoor AntiSpyware\\Settings",
                           "Language", "English");
    sim.registry.PutString(kHkeyLocalMachine,
                           "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings",
                           "FirstTime", "Yes");
    // The starter set as the build stores it: notes left out, every entry scrambled.
    for (const char* name : {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                             "ExeDefinition", "BlockedCookies", "Safety"}) {
      std::string stored;
      const std::string plain =
          test_support::ReadSourceFile("data/definitions/" + std::string(name) + ".txt");
      for (const std::string& line : common::SplitLines(plain)) {
        if (!line.empty() && line[0] != '#') stored += definitions::ScrambleText(line) + "\r\n";
      }
      sim.files.AddFile(std::string(kSimDataFolder) + "\\" + name + ".dat", stored);
    }
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
  const std::string kAppData = "C:\\Documents and Settings\\User\\Application Data\\";
};

TEST_F(ScanDemoTest, AScanFindsEveryPlantedDemoTrace) {
  PlantDemoThreats();
  // Things the definitions do not name, or name where they are not, stay out of the results.
  sim.files.AddFile("C:\\Program Files\\Demo Adware\\readme.txt", "text");
  sim.files.AddFile("C:\\demohelper.dll", "MZ");
  StartProgram();
  auto& main = app.frmMain();
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

  // The registry stage found both threats first, so their details rows tick registry traces.
  main.cmdSelectAll.Click();
  for (const ui::ListItem& row : main.lvwRegistryToBeDeleted.Items()) EXPECT_TRUE(row.checked);
}

}  // namespace
