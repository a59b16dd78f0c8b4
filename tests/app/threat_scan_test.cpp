// A whole scan through the program on the simulated machine, with the starter definitions the
// installer ships, finds their demo threats among the running programs and the cookies.
#include <string>

#include "app_fixture.h"
#include "common/text_file.h"
#include "definitions/line_codec.h"
#include "golden.h"
#include "scan/version_block.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::sim::kSimDataFolder;

constexpr const char* kDemoProgram = "C:\\Program Files\\Demo Adware\\demoadware.exe";
constexpr const char* kDemoCookie =
    "C:\\Documents and Settings\\User\\Cookies\\user@demoadware[2].txt";

class ThreatScanTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    const std::string root = "Software\\VB and VBA Program Settings\\Quillmoor AntiSpyware";
    sim.registry.PutString(kHkeyCurrentUser, root + "\\Settings", "Language", "English");
    sim.registry.PutString(platform::kHkeyLocalMachine,
                           "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings",
                           "FirstTime", "Yes");
    // The starter definitions as the build stores them: notes left out, lines scrambled.
    for (const char* name : {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                             "ExeDefinition", "BlockedCookies", "Safety"}) {
      const std::string plain =
          test_support::ReadSourceFile(std::string("data/definitions/") + name + ".txt");
      std::vector<std::string> stored;
      for (const std::string& line : common::SplitLines(plain)) {
        if (!line.empty() && line[0] != '#') stored.push_back(definitions::ScrambleText(line));
      }
      ASSERT_FALSE(stored.empty()) << name;
      sim.files.AddFile(std::string(kSimDataFolder) + "\\" + name + ".dat",
                        common::JoinLines(stored));
    }
  }

  std::uint32_t StartDemoProgram() {
    sim.files.AddFile(
        kDemoProgram,
        scan_test::FileAround(scan_test::WideVersionBlock({{"CompanyName", "Demo Adware Ltd"}})));
    return sim.processes.Start(kDemoProgram);
  }
  bool FoundRow(const std::string& text) {
    for (const ui::ListItem& row : app.frmMain().lvwSpywareFound.Items()) {
      if (row.text == text) return true;
    }
    return false;
  }
};

TEST_F(ThreatScanTest, AScanStopsTheDemoProgramAndFindsTheDemoCookie) {
  const std::uint32_t demo = StartDemoProgram();
  sim.files.AddFile(kDemoCookie, "id\nvisitor=42\nads.demoadware.example/\n1536\n*\n");
  StartProgram();
  auto& main = app.frmMain();
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

}  // namespace
