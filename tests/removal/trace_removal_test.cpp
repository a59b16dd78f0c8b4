#include "removal/trace_removal.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"

namespace removal {
namespace {

using platform::kAttrHidden;

class TraceRemoverTest : public ::testing::Test {
 protected:
  TraceRemoverTest() {
    quarantine.CreateFolder();
    quarantine.SetLogToQuarantine(true);
  }

  bool InQuarantine(const std::string& name) const {
    return sim.files.Exists(quarantine.Folder() + "\\" + name);
  }
  std::string Log() const { return sim.files.FileContent(quarantine.LogPath()).value_or(""); }

  platform::sim::SimMachine sim;
  std::string dataFolder = platform::sim::kSimDataFolder;
  Quarantine quarantine{sim.machine, dataFolder};
  int yields = 0;
  TraceRemover remover{sim.machine, quarantine, [this] { ++yields; }};
};

TEST(GetExtensionTest, LastDotOfTheLastComponentLowerCaseAndTrimmed) {
  EXPECT_EQ(GetExtension("C:\\Windows\\system32\\Bad.DLL "), "dll");
  EXPECT_EQ(GetExtension("C:\\a\\archive.tar.GZ"), "gz");
  EXPECT_EQ(GetExtension("C:\\folder.d\\noextension"), "") << "a dot of a folder is no extension";
  EXPECT_EQ(GetExtension("C:bad"), "");
  EXPECT_EQ(GetExtension("plain"), "");
  EXPECT_EQ(GetExtension("C:\\a\\trailing."), "");
}

TEST_F(TraceRemoverTest, SameNamedLibrariesFromTwoFoldersAreBothKeptAndRecordedByStoredName) {
  sim.files.AddFile("C:\\A\\x.dll", std::string("MZ first DllUnregisterServer\0", 30));
  sim.files.AddFile("C:\\B\\x.dll", "MZ second");

  EXPECT_EQ(remover.RemoveLibrary("C:\\A\\x.dll", 0), 1);
  EXPECT_EQ(remover.RemoveLibrary("C:\\B\\x.dll", 0), 1);
  EXPECT_EQ(remover.RemoveLibrary("C:\\B\\x.dll", 0), -1) << "gone";

  EXPECT_FALSE(sim.files.Exists("C:\\A\\x.dll"));
  EXPECT_FALSE(sim.files.Exists("C:\\B\\x.dll"));
  EXPECT_EQ(sim.files.FileContent(quarantine.Folder() + "\\x.dll").value_or(""),
            std::string("MZ first DllUnregisterServer\0", 30));
  EXPECT_EQ(sim.files.FileContent(quarantine.Folder() + "\\x.dll.001"), "MZ second");
  EXPECT_NE(Log().find(" - File: x.dll\r\n - Location: C:\\A\\x.dll\r\n"), std::string::npos);
  EXPECT_NE(Log().find(" - File: x.dll.001\r\n - Location: C:\\B\\x.dll\r\n"), std::string::npos);

  // The unregistration entry is only looked up, never called.
  const auto& lookups = sim.libraries.Calls();
  ASSERT_EQ(lookups.size(), 2u);
  EXPECT_EQ(lookups[0].entry, "DllUnregisterServer");
  EXPECT_TRUE(lookups[0].answer.found);
  EXPECT_FALSE(lookups[1].answer.found);
}

TEST_F(TraceRemoverTest, AFileThatCannotBeBackedUpIsKeptUntouched) {
  sim.files.AddFile("C:\\Bad\\locked.dat", "data");
  sim.files.SetLocked("C:\\Bad\\locked.dat", true);
  sim.files.AddFile("C:\\Bad\\cookie.txt", "c");
  sim.files.SetLocked("C:\\Bad\\cookie.txt", true);
  sim.files.AddFile("C:\\Bad\\lib.dll", "MZ");
  sim.files.SetLocked("C:\\Bad\\lib.dll", true);

  EXPECT_FALSE(remover.RemoveFileOrFolder("C:\\Bad\\locked.dat"));
  remover.QuarantineCookie("C:\\Bad\\cookie.txt");
  EXPECT_EQ(remover.RemoveLibrary("C:\\Bad\\lib.dll", 0), 0);

  for (const char* path : {"C:\\Bad\\locked.dat", "C:\\Bad\\cookie.txt", "C:\\Bad\\lib.dll"}) {
    EXPECT_TRUE(sim.files.Exists(path)) << path;
    EXPECT_TRUE(remover.KeptWithoutBackup(path)) << path;
    EXPECT_EQ(sim.files.DeleteAttempts(path), 0) << path;
  }
  EXPECT_EQ(Log(), "") << "nothing was removed";
}

TEST_F(TraceRemoverTest, AFileInUseIsBackedUpOnceAndTriedEightTimes) {
  sim.files.AddFile("C:\\Bad\\busy.ini", "x");
  sim.files.SetInUse("C:\\Bad\\busy.ini", true);

  EXPECT_TRUE(remover.RemoveFileOrFolder("C:\\Bad\\busy.ini"));
  EXPECT_TRUE(remover.RemoveFileOrFolder("C:\\Bad\\busy.ini"));

  EXPECT_TRUE(sim.files.Exists("C:\\Bad\\busy.ini"));
  EXPECT_EQ(sim.files.DeleteAttempts("C:\\Bad\\busy.ini"), 2 * kDeleteAttempts);
  EXPECT_TRUE(InQuarantine("busy.ini"));
  EXPECT_FALSE(InQuarantine("busy.ini.001")) << "one backup per removal, not one per try";
  EXPECT_FALSE(remover.KeptWithoutBackup("C:\\Bad\\busy.ini"));
  EXPECT_GE(yields, 2 * kDeleteAttempts);
}

TEST_F(TraceRemoverTest, HiddenFilesCountAsAbsentOnEveryRoute) {
  for (const char* path : {"C:\\Bad\\h.exe", "C:\\Bad\\h.dll", "C:\\Bad\\h.ini"}) {
    sim.files.AddFile(path, "MZ", kAttrHidden);
  }
  EXPECT_EQ(remover.RemoveExe("C:\\Bad\\h.exe"), kExeNotPresent);
  EXPECT_EQ(remover.RemoveLibrary("C:\\Bad\\h.dll", 0), -1);
  EXPECT_FALSE(remover.RemoveFileOrFolder("C:\\Bad\\h.ini"));
  EXPECT_EQ(remover.RemoveExe("nopath.exe"), kExeNotRemoved);
  for (const char* path : {"C:\\Bad\\h.exe", "C:\\Bad\\h.dll", "C:\\Bad\\h.ini"}) {
    EXPECT_TRUE(sim.files.Exists(path)) << path;
  }
}

TEST_F(TraceRemoverTest, RegistryRecordsNameTheHiveForValuesAndItsNumberForKeys) {
  sim.registry.PutString(platform::kHkeyLocalMachine, "Software\\Bad", "Run", "x");
  sim.registry.PutString(platform::kHkeyLocalMachine, "Software\\Bad\\Sub", "", "y");

  remover.DeleteRegistryValue(platform::kHkeyLocalMachine, "Software\\Bad", "Run");
  EXPECT_TRUE(remover.DeleteRegistryKey(platform::kHkeyLocalMachine, "Software\\Bad"));
  EXPECT_FALSE(remover.DeleteRegistryKey(platform::kHkeyLocalMachine, "Software\\Bad"));
  EXPECT_FALSE(remover.DeleteRegistryKey(platform::kHkeyLocalMachine, " \\ "))
      << "a blank key would be the whole hive";

  EXPECT_FALSE(sim.registry.KeyExists(platform::kHkeyLocalMachine, "Software\\Bad"));
  EXPECT_TRUE(sim.registry.KeyExists(platform::kHkeyLocalMachine, "Software"));
  EXPECT_NE(Log().find(" - Key: HKEY_LOCAL_MACHINE\\Software\\Bad\r\n"), std::string::npos)
      << "a value's record names its own hive";
}

}  // namespace
}  // namespace removal
