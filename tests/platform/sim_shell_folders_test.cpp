#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

TEST(SimShellFoldersTest, AnXpUsersFoldersExistOnTheMachine) {
  SimMachine sim;
  EXPECT_EQ(sim.shellFolders.SpecialFolderPath(kCsidlAppData),
            "C:\\Documents and Settings\\User\\Application Data");
  EXPECT_EQ(sim.shellFolders.SpecialFolderPath(kCsidlStartMenu),
            "C:\\Documents and Settings\\User\\Start Menu");
  EXPECT_EQ(sim.shellFolders.SpecialFolderPath(kCsidlSystem), "C:\\WINDOWS\\system32");
  EXPECT_EQ(sim.shellFolders.SpecialFolderLocationPath(kCsidlPrograms),
            "C:\\Documents and Settings\\User\\Start Menu\\Programs");
  for (int csidl : {kCsidlWindows, kCsidlProgramFiles, kCsidlCommonAppData, kCsidlCookies,
                    kCsidlCommonDesktopDirectory, kCsidlProgramFilesCommon}) {
    EXPECT_TRUE(sim.files.FolderExists(*sim.shellFolders.SpecialFolderPath(csidl))) << csidl;
  }
  EXPECT_TRUE(sim.files.FolderExists(kSimDataFolder));
  EXPECT_TRUE(sim.files.FolderExists(sim.system.ProgramFolder()));
}

TEST(SimShellFoldersTest, SomeConstantsHaveNoFolderAndTestsCanMoveOrRemoveOthers) {
  SimMachine sim;
  for (int csidl : {kCsidlBitBucket, kCsidlAltStartup, kCsidlCommonAltStartup, 99}) {
    EXPECT_EQ(sim.shellFolders.SpecialFolderPath(csidl), std::nullopt) << csidl;
    EXPECT_EQ(sim.shellFolders.SpecialFolderLocationPath(csidl), std::nullopt) << csidl;
  }
  sim.files.AddDrive('D', kDriveFixed, true);
  sim.shellFolders.SetFolder(kCsidlWindows, "D:\\WINNT");
  EXPECT_TRUE(sim.files.FolderExists("D:\\WINNT"));
  sim.shellFolders.SetFolder(kCsidlPrograms, std::nullopt);
  EXPECT_EQ(sim.shellFolders.SpecialFolderLocationPath(kCsidlPrograms), std::nullopt);
}

TEST(SimCodePageTest, ConvertsBetweenUtf8AndWindows1252) {
  SimCodePage codePage;
  EXPECT_EQ(codePage.FromUtf8("caf\xC3\xA9 \xE2\x82\xAC 5"), "caf\xE9 \x80 5");
  EXPECT_EQ(codePage.ToUtf8("caf\xE9 \x80 5"), "caf\xC3\xA9 \xE2\x82\xAC 5");
  // Characters the code page lacks, and bytes that are not UTF-8, become "?".
  EXPECT_EQ(codePage.FromUtf8("\xE4\xB8\xAD|\xFF|\xC3|\xC0\xAF|\xF0\x9F\x98\x80"), "?|?|?|??|?");
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(codePage.FromUtf8(codePage.ToUtf8(all)), all);
}

}  // namespace
}  // namespace platform::sim
