#include "removal/quarantine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "golden.h"
#include "platform/folder_tree.h"
#include "platform/sim/sim_machine.h"

namespace removal {
namespace {

using platform::kAttrArchive;
using platform::kAttrHidden;

class QuarantineTest : public ::testing::Test {
 protected:
  QuarantineTest() { quarantine.CreateFolder(); }

  std::string Stored(const std::string& name) const { return quarantine.Folder() + "\\" + name; }
  std::optional<std::string> StoredContent(const std::string& name) const {
    return sim.files.FileContent(Stored(name));
  }

  platform::sim::SimMachine sim;
  std::string dataFolder = platform::sim::kSimDataFolder;
  Quarantine quarantine{sim.machine, dataFolder};
};

TEST_F(QuarantineTest, LogRecordsAreAppendedByteForByte) {
  sim.files.AddFile(quarantine.LogPath(), "An earlier run's record\r\n");
  quarantine.SetLogToQuarantine(true);

  quarantine.LogQuarantinedFile("C:\\Program Files\\Bad\\x.dll", "x.dll");
  sim.clock.Advance(65 * 1000);
  quarantine.LogQuarantinedFile("C:\\Other\\x.dll", "x.dll.001");
  quarantine.LogRemovedRegistryEntry("HKEY_CURRENT_USER\\Software\\Foo", "Start Page");
  quarantine.LogRemovedRegistryEntry("HKEY_CURRENT_USER\\Software\\Foo", "");
  quarantine.LogRemovedRegistryEntry("-2147483647\\Software\\Foo", "All Values");
  sim.clock.SetNow(38793.0);  // midnight shows the date alone
  quarantine.LogRemovedRegistryEntry("-2147483646\\Software\\Bar", "All Values");

  test_support::ExpectMatchesSourceFile("tests/removal/golden/quarantine_log.txt",
                                        sim.files.FileContent(quarantine.LogPath()).value_or(""));
}

TEST_F(QuarantineTest, WithLoggingOffCopiesAreStillMadeButNothingIsLogged) {
  sim.files.AddFile("C:\\A\\x.dll", "x");
  EXPECT_FALSE(quarantine.LogToQuarantine()) << "off until the removal turns it on";
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\x.dll", "x.dll"), "x.dll");
  quarantine.LogQuarantinedFile("C:\\A\\x.dll", "x.dll");
  quarantine.LogRemovedRegistryEntry("HKEY_CURRENT_USER\\Software\\Foo", "Bar");
  EXPECT_FALSE(sim.files.Exists(quarantine.LogPath()));

  quarantine.SetLogToQuarantine(true);
  quarantine.LogRemovedRegistryEntry("HKEY_CURRENT_USER\\Software\\Foo", "Bar");
  const auto firstPass = sim.files.FileContent(quarantine.LogPath());
  ASSERT_TRUE(firstPass.has_value());
  quarantine.SetLogToQuarantine(false);
  quarantine.LogQuarantinedFile("C:\\A\\x.dll", "x.dll");
  quarantine.LogRemovedRegistryEntry("HKEY_CURRENT_USER\\Software\\Foo", "Bar");
  EXPECT_EQ(sim.files.FileContent(quarantine.LogPath()), firstPass);
}

TEST_F(QuarantineTest, SameNamedFilesAreAllKeptUnderCountedNames) {
  sim.files.AddFile("C:\\A\\x.dll", "first");
  sim.files.AddFile("C:\\B\\X.DLL", "second");
  sim.files.AddFile("C:\\C\\x.dll", "third");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\x.dll", "x.dll"), "x.dll");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\B\\X.DLL", "X.DLL"), "X.DLL.001");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\C\\x.dll", "x.dll"), "x.dll.002");
  EXPECT_EQ(StoredContent("x.dll"), "first") << "an earlier copy is never replaced";
  EXPECT_EQ(StoredContent("x.dll.001"), "second");
  EXPECT_EQ(StoredContent("x.dll.002"), "third");
  EXPECT_EQ(sim.files.FileContent("C:\\A\\x.dll"), "first") << "copied, not moved";

  // Whatever holds the name counts: a folder, or a hidden file the file test would not see.
  sim.files.AddFolder(Stored("y.dll"));
  sim.files.AddFile(Stored("z.dll"), "old", kAttrHidden);
  sim.files.AddFile("C:\\A\\y.dll", "y");
  sim.files.AddFile("C:\\A\\z.dll", "z");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\y.dll", "y.dll"), "y.dll.001");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\z.dll", "z.dll"), "z.dll.001");
  EXPECT_EQ(StoredContent("z.dll"), "old");
}

TEST_F(QuarantineTest, OnceEveryCountedNameIsTakenNoCopyIsMade) {
  sim.files.AddFile(Stored("x.dll"), "0");
  for (int counter = 1; counter <= 999; ++counter) {
    char name[16];
    std::snprintf(name, sizeof name, "x.dll.%03d", counter);
    sim.files.AddFile(Stored(name), "old");
  }
  sim.files.AddFile("C:\\A\\x.dll", "new");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\x.dll", "x.dll"), std::nullopt);
  EXPECT_EQ(StoredContent("x.dll.999"), "old");
  EXPECT_FALSE(sim.files.Exists(Stored("x.dll.1000")));
}

TEST_F(QuarantineTest, SameNamedFoldersAreKeptApartWithTheirWholeTrees) {
  sim.files.AddFile("C:\\A\\Bad\\a.txt", "A");
  sim.files.AddFile("C:\\A\\Bad\\Deep\\d.txt", "deep", kAttrHidden | kAttrArchive);
  sim.files.AddFile("C:\\B\\Bad\\a.txt", "B");
  sim.files.AddFolder("C:\\C\\Bad");

  // A folder path with its final "\" names no folder of its own; the name comes from the path.
  EXPECT_EQ(quarantine.CopyFolderToQuarantine("C:\\A\\Bad\\", ""), "Bad");
  EXPECT_EQ(quarantine.CopyFolderToQuarantine("C:\\B\\Bad", "Bad"), "Bad.001");
  EXPECT_EQ(quarantine.CopyFolderToQuarantine("C:\\C\\Bad\\", "Bad\\"), "Bad.002");

  EXPECT_EQ(StoredContent("Bad\\a.txt"), "A") << "the first folder's files are not replaced";
  EXPECT_EQ(StoredContent("Bad\\Deep\\d.txt"), "deep");
  EXPECT_EQ(sim.files.GetAttributes(Stored("Bad\\Deep\\d.txt")), kAttrHidden | kAttrArchive);
  EXPECT_EQ(StoredContent("Bad.001\\a.txt"), "B");
  EXPECT_TRUE(sim.files.FolderExists(Stored("Bad.002")));
  EXPECT_TRUE(sim.files.Exists("C:\\A\\Bad\\a.txt")) << "copied, not moved";
}

TEST_F(QuarantineTest, ACopyThatCannotBeMadeIsReportedAndReplacesNothing) {
  sim.files.AddFile("C:\\A\\locked.dll", "locked");
  sim.files.SetLocked("C:\\A\\locked.dll", true);
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\locked.dll", "locked.dll"), std::nullopt);
  EXPECT_FALSE(sim.files.Exists(Stored("locked.dll")));
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\missing.dll", "missing.dll"), std::nullopt);
  // A copy that fails for its source takes no counted name either.
  sim.files.AddFile(Stored("locked.dll"), "earlier");
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\locked.dll", "locked.dll"), std::nullopt);
  EXPECT_FALSE(sim.files.Exists(Stored("locked.dll.001")));
  EXPECT_EQ(StoredContent("locked.dll"), "earlier");

  // A folder is backed up whole or reported.
  sim.files.AddFile("C:\\B\\Bad\\ok.txt", "ok");
  sim.files.AddFile("C:\\B\\Bad\\busy.txt", "busy");
  sim.files.SetLocked("C:\\B\\Bad\\busy.txt", true);
  EXPECT_EQ(quarantine.CopyFolderToQuarantine("C:\\B\\Bad", "Bad"), std::nullopt);
  EXPECT_EQ(quarantine.CopyFolderToQuarantine("C:\\B\\Missing", "Missing"), std::nullopt);

  // Nothing makes the quarantine folder but the removal's start and "View Quarantine".
  sim.files.AddFile("C:\\A\\x.dll", "x");
  ASSERT_TRUE(platform::DeleteFolder(sim.files, quarantine.Folder(), true));
  EXPECT_EQ(quarantine.CopyToQuarantine("C:\\A\\x.dll", "x.dll"), std::nullopt);
  EXPECT_EQ(quarantine.CopyFolderToQuarantine("C:\\B\\Bad", "Bad"), std::nullopt);
  EXPECT_FALSE(sim.files.Exists(quarantine.Folder()));
}

TEST_F(QuarantineTest, ViewQuarantineMakesTheFolderAndOpensItInTheFileBrowser) {
  ASSERT_TRUE(platform::DeleteFolder(sim.files, quarantine.Folder(), true));
  quarantine.ShowQuarantine();
  EXPECT_TRUE(sim.files.FolderExists(
      "C:\\Documents and Settings\\User\\Application Data\\AntiSpywareDAT\\quarantine"));
  ASSERT_EQ(sim.desktop.StartedPrograms().size(), 1u);
  EXPECT_EQ(sim.desktop.StartedPrograms()[0].commandLine,
            "explorer \"C:\\Documents and Settings\\User\\Application "
            "Data\\AntiSpywareDAT\\quarantine\"");
  EXPECT_EQ(sim.desktop.StartedPrograms()[0].show, platform::kSwShowNormal);

  sim.desktop.SetStartProgramResult(false);
  quarantine.ShowQuarantine();
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
}

}  // namespace
}  // namespace removal
