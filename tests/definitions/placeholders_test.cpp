#include "definitions/placeholders.h"

#include <gtest/gtest.h>

#include "definitions/definition_entries.h"
#include "platform/sim/sim_machine.h"

namespace definitions {
namespace {

class PlaceholdersTest : public ::testing::Test {
 protected:
  std::string Expand(std::string text) { return ExpandPathPlaceholders(sim.shellFolders, text); }

  platform::sim::SimMachine sim;
  const std::string profile = "C:\\Documents and Settings\\User\\";
};

TEST_F(PlaceholdersTest, TokensMatchInAnyCaseExceptUserAllUserAndDrive) {
  EXPECT_EQ(Expand("[WINDIR]"), "C:\\WINDOWS\\");
  EXPECT_EQ(Expand("[WinDir]a[windir]"), "C:\\WINDOWS\\aC:\\WINDOWS\\");
  EXPECT_EQ(Expand("[user]x"), profile + "x");
  EXPECT_EQ(Expand("[User]x"), "[User]x");
  EXPECT_EQ(Expand("[alluser]"), "C:\\Documents and Settings\\All Users\\");
  EXPECT_EQ(Expand("[ALLUSER]"), "[ALLUSER]");
  EXPECT_EQ(ExpandLocation(sim.shellFolders, "C:\\", "[drive]x"), "C:\\x");
  EXPECT_EQ(ExpandLocation(sim.shellFolders, "C:\\", "[Drive]x"), "[Drive]x");
}

TEST_F(PlaceholdersTest, EveryTokenNamesItsFolderAndTheDesktopsArePairedAsStored) {
  EXPECT_EQ(Expand("[desktop]"), "C:\\Documents and Settings\\All Users\\Desktop\\");
  EXPECT_EQ(Expand("[comdesk]"), profile + "Desktop\\");
  EXPECT_EQ(Expand("[progfil]|[comprogfil]"),
            "C:\\Program Files\\|C:\\Program Files\\Common Files\\");
  EXPECT_EQ(Expand("[appdata]AntiSpywareDAT"), profile + "Application Data\\AntiSpywareDAT");
  EXPECT_EQ(Expand("[netcach]"), profile + "Local Settings\\Temporary Internet Files\\");
  EXPECT_EQ(Expand("[system]"), "C:\\WINDOWS\\system32\\");
  // No folder for these on this machine: the token goes, nothing takes its place.
  EXPECT_EQ(Expand("[recycle]x|[startsp]|[comstar]"), "x||");
  for (const Placeholder& placeholder : kPlaceholders) {
    std::string text = placeholder.token;
    ExpandPathPlaceholders(sim.shellFolders, text);
    EXPECT_EQ(text.find('['), std::string::npos) << placeholder.token;
  }
}

TEST_F(PlaceholdersTest, UserFoldersLoseEveryStartMenuPart) {
  sim.shellFolders.SetFolder(platform::kCsidlStartMenu,
                             "C:\\Profiles\\start menu\\User\\Start Menu");
  EXPECT_EQ(Expand("[user]"), "C:\\Profiles\\User\\");
  EXPECT_EQ(Expand("[strtmnu]"), "C:\\Profiles\\start menu\\User\\Start Menu\\");
}

TEST_F(PlaceholdersTest, LocationsCollapseDoubleBackslashesAfterExpansion) {
  EXPECT_EQ(ExpandLocation(sim.shellFolders, "C:\\", "[windir]\\system32"),
            "C:\\WINDOWS\\system32");
  EXPECT_EQ(ExpandLocation(sim.shellFolders, "C:\\", "[drive]\\\\\\x"), "C:\\\\x");
  EXPECT_EQ(DataFolderPath(sim.shellFolders), std::string(platform::sim::kSimDataFolder));
}

TEST_F(PlaceholdersTest, SystemDriveRootComesFromTheProgramsMenu) {
  EXPECT_EQ(GetSystemDriveRoot(sim.shellFolders), "C:\\");
  sim.files.AddDrive('E', platform::kDriveFixed, true);
  sim.shellFolders.SetFolder(platform::kCsidlPrograms, "E:\\Menu\\Programs");
  EXPECT_EQ(GetSystemDriveRoot(sim.shellFolders), "E:\\");
  sim.shellFolders.SetFolder(platform::kCsidlPrograms, std::nullopt);
  EXPECT_EQ(GetSystemDriveRoot(sim.shellFolders), "");
  EXPECT_EQ(GetSpecialFolder(sim.shellFolders, platform::kCsidlBitBucket), "");
}

TEST_F(PlaceholdersTest, FileAndFolderEntries) {
  const std::string root = "C:\\";
  auto file = ParseFileDefinition(sim.shellFolders, root, " evil.exe =Evil|[windir]\\|Adware|x");
  EXPECT_EQ(file.name, "evil.exe");
  EXPECT_EQ(file.threatName, "Evil");
  EXPECT_EQ(file.path, "C:\\WINDOWS\\evil.exe");
  EXPECT_EQ(file.type, "Adware");

  // No "|": the bare file name is the path, relative to the current folder.
  file = ParseFileDefinition(sim.shellFolders, root, "evil.exe=Evil");
  EXPECT_EQ(file.path, "evil.exe");
  EXPECT_EQ(file.threatName, "Evil");
  EXPECT_FALSE(file.hasLocation);
  file = ParseFileDefinition(sim.shellFolders, root, "");
  EXPECT_EQ(file.path, "");

  auto folder = ParseDirectoryDefinition(sim.shellFolders, root, "Evil\tDir\r\n=Evil|[drive]Evil");
  EXPECT_EQ(folder.name, "EvilDir");
  EXPECT_EQ(folder.path, "C:\\Evil");
  EXPECT_EQ(folder.type, "");
  EXPECT_FALSE(ParseDirectoryDefinition(sim.shellFolders, root, "Evil=Evil").hasLocation);
}

}  // namespace
}  // namespace definitions
