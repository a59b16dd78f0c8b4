#include "definitions/protected_paths.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "definitions/line_codec.h"
#include "platform/sim/sim_machine.h"

namespace definitions {
namespace {

using platform::sim::kSimDataFolder;

class ProtectedPathsTest : public ::testing::Test {
 protected:
  void WriteSafety(const std::vector<std::string>& plainLines) {
    std::vector<std::string> stored;
    for (const std::string& line : plainLines) stored.push_back(ScrambleText(line));
    sim.files.AddFile(std::string(kSimDataFolder) + "\\Safety.dat", common::JoinLines(stored));
  }
  std::vector<std::string> Load(const std::vector<std::string>& plainLines) {
    WriteSafety(plainLines);
    protectedPaths.LoadSafetyList(kSimDataFolder);
    return protectedPaths.SafetyList();
  }
  bool IsProtected(const std::string& path) { return protectedPaths.IsProtectedPath(path); }

  platform::sim::SimMachine sim;
  ProtectedPaths protectedPaths{sim.machine};
};

TEST_F(ProtectedPathsTest, BlankPathsAndHiveRootsAreProtectedWithoutAnyList) {
  EXPECT_TRUE(protectedPaths.LoadSafetyList(kSimDataFolder));
  EXPECT_TRUE(protectedPaths.SafetyList().empty());
  for (const char* path :
       {"", " ", "\\", "/", "HKEY_LOCAL_MACHINE\\", "hkey_local_machine", "HKEY_CLASSES_ROOT",
        "HKEY_USERS\\", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER\\\\", "HKEY_DYN_DATA"}) {
    EXPECT_TRUE(IsProtected(path)) << '"' << path << '"';
  }
  EXPECT_FALSE(IsProtected("C:\\Program Files\\Demo Adware"));
  EXPECT_FALSE(IsProtected("HKEY_CURRENT_USER\\Software\\Demo Adware"));
}

TEST_F(ProtectedPathsTest, EachEntryTypeGivesItsPath) {
  const auto list = Load({
      "SDIR|Windows=x|[windir]",
      "SFILE|hosts=x|[system]drivers\\etc\\hosts",
      "SEXE| explorer.exe =x",
      "SDLL|a.dll=x|[drive]\\dir//a.dll",
      "SREG|Run=x|2^Software\\Microsoft\\Windows\\CurrentVersion\\Run",
      "SREG|Shell=x|1^Software\\Key\\^Shell|ignored",
      "SREG|Bad=x|9^Software\\Key",
      "sdir|lower=x|[windir]",
      "WHAT|Unknown=x|C:\\Unknown",
  });
  EXPECT_EQ(list, (std::vector<std::string>{
                      "C:\\WINDOWS\\",
                      "C:\\WINDOWS\\system32\\drivers\\etc\\hosts",
                      "explorer.exe",
                      "C:\\dir/a.dll",
                      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                      "HKEY_CURRENT_USER\\Software\\Key\\Shell",
                      "\\Software\\Key",
                  }));
}

TEST_F(ProtectedPathsTest, AProtectedFolderProtectsItselfInAnyFormButNothingInside) {
  Load({"SDIR|Temp=x|[windir]Temp"});
  EXPECT_TRUE(IsProtected("C:\\WINDOWS\\Temp"));
  EXPECT_TRUE(IsProtected("c:\\windows\\temp\\"));
  EXPECT_TRUE(IsProtected("  C:\\Windows\\TEMP/  "));
  EXPECT_TRUE(IsProtected("C:\\WINDOWS\\Temp\\\\"));
  EXPECT_FALSE(IsProtected("C:\\WINDOWS\\Temp\\evil.exe"));
  EXPECT_FALSE(IsProtected("C:\\WINDOWS\\Temporary"));
  // The Windows folder itself is protected whatever the list says, as is the system folder;
  // a plain folder inside it is not.
  EXPECT_TRUE(IsProtected("C:\\windows"));
  EXPECT_TRUE(IsProtected("C:\\WINDOWS\\system32\\"));
  EXPECT_FALSE(IsProtected("C:\\WINDOWS\\Downloaded Program Files"));
}

TEST_F(ProtectedPathsTest, LinesWithoutATypeFieldProtectNothing) {
  EXPECT_EQ(Load({"SDIR|Temp=x|[windir]Temp", "C:\\WINDOWS\\Other", "", "SDIR"}),
            std::vector<std::string>{"C:\\WINDOWS\\Temp"});
  EXPECT_FALSE(IsProtected("C:\\WINDOWS\\Other"));
}

TEST_F(ProtectedPathsTest, LoadingStopsWhenAskedAndYieldsAfterEveryLine) {
  WriteSafety({"SDIR|a=x|C:\\a", "SDIR|b=x|C:\\b", "SDIR|c=x|C:\\c"});
  int yields = 0;
  protectedPaths.LoadSafetyList(
      kSimDataFolder, [&] { return yields == 2; }, [&] { ++yields; });
  EXPECT_EQ(yields, 2);
  EXPECT_EQ(protectedPaths.SafetyList(), (std::vector<std::string>{"C:\\a", "C:\\b"}));

  // The list is rebuilt each time: without the file it is empty again.
  sim.files.DeleteFile(std::string(kSimDataFolder) + "\\Safety.dat");
  protectedPaths.LoadSafetyList(kSimDataFolder);
  EXPECT_TRUE(protectedPaths.SafetyList().empty());
  EXPECT_FALSE(IsProtected("C:\\a"));
}

TEST_F(ProtectedPathsTest, SystemFoldersAndDriveRootsAreProtectedWithoutAList) {
  for (const char* path :
       {"C:\\", "c:", "D:\\", "C:\\Program Files", "C:\\Program Files\\Common Files\\",
        "C:\\Documents and Settings\\User", "C:\\Documents and Settings\\All Users\\",
        "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup",
        "C:\\Documents and Settings\\User\\Application Data",
        "C:\\Documents and Settings\\User\\Cookies", kSimDataFolder,
        "C:\\Program Files\\Quillmoor AntiSpyware"}) {
    EXPECT_TRUE(IsProtected(path)) << path;
  }
  // A folder that holds a protected one is protected too: deleting it deletes what it holds.
  EXPECT_TRUE(IsProtected("C:\\Documents and Settings"));
  for (const char* path : {"C:\\Program Files\\Demo Adware",
                           "C:\\Documents and Settings\\User\\Application Data\\Demo Toolbar",
                           "C:\\evil.exe", "CC:"}) {
    EXPECT_FALSE(IsProtected(path)) << path;
  }
  // Folders are taken again at each load.
  sim.files.AddDrive('E', platform::kDriveFixed, true);
  sim.shellFolders.SetFolder(platform::kCsidlProgramFiles, "E:\\Apps");
  protectedPaths.LoadSafetyList(kSimDataFolder);
  EXPECT_TRUE(IsProtected("E:\\Apps"));
}

TEST_F(ProtectedPathsTest, KeysThatHoldWindowsTogetherAreProtectedButNotWhatIsInThem) {
  for (const char* path : {
           "HKEY_LOCAL_MACHINE\\SOFTWARE",
           "HKEY_CLASSES_ROOT\\CLSID",
           "HKEY_CURRENT_USER\\Software\\Microsoft",
           "hkey_current_user\\software\\classes\\clsid\\",
           "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
           "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
           "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main",
           "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services",
           "HKEY_USERS\\S-1-5-21-1\\Software\\Policies",
           "HKEY_USERS\\.DEFAULT",
       }) {
    EXPECT_TRUE(IsProtected(path)) << path;
  }
  for (const char* path : {
           "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Evil",
           "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page",
           "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\EvilService",
           "HKEY_CURRENT_USER\\SYSTEM\\CurrentControlSet",
           "HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000001}",
           "HKEY_USERS\\S-1-5-21-1\\Software\\Demo Toolbar",
           "HKEY_LOCAL_MACHINE\\Software\\Demo Toolbar",
       }) {
    EXPECT_FALSE(IsProtected(path)) << path;
  }
}

}  // namespace
}  // namespace definitions
