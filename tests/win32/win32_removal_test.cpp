// The quarantine and the restore point on the real services: copies of real files and folders
// keep their attributes, a file held open without sharing is reported instead of copied, and
// the System Restore call is really made (Wine refuses it) and survived.
#include <gtest/gtest.h>

#include <string>

#include "platform/folder_tree.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "removal/quarantine.h"
#include "removal/restore_point.h"

namespace {

using platform::win32::UniqueHandle;

class Win32QuarantineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "QuarantineTest." + std::to_string(GetCurrentProcessId());
    dataFolder_ = root_ + "\\AntiSpywareDAT";
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dataFolder_.c_str(), nullptr));
    quarantine.CreateFolder();
  }
  void TearDown() override { platform::DeleteFolder(real.machine.files, root_, true); }

  std::string In(const std::string& name) const { return root_ + "\\" + name; }
  std::string Stored(const std::string& name) const { return quarantine.Folder() + "\\" + name; }
  void Make(const std::string& name, const std::string& content, DWORD attributes = 0) {
    ASSERT_TRUE(real.machine.files.WriteAll(In(name), content));
    if (attributes != 0) ASSERT_TRUE(SetFileAttributesA(In(name).c_str(), attributes));
  }
  DWORD Attributes(const std::string& path) const { return GetFileAttributesA(path.c_str()); }

  platform::win32::Win32Machine real;
  std::string root_;
  std::string dataFolder_;
  removal::Quarantine quarantine{real.machine, dataFolder_};
};

TEST_F(Win32QuarantineTest, FilesGoInWithTheirAttributesAndSameNamesAreCounted) {
  ASSERT_TRUE(CreateDirectoryA(In("A").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(In("B").c_str(), nullptr));
  Make("A\\x.dll", "first", FILE_ATTRIBUTE_READONLY);
  Make("B\\x.dll", "second", FILE_ATTRIBUTE_HIDDEN);

  EXPECT_EQ(quarantine.CopyToQuarantine(In("A\\x.dll"), "x.dll"), "x.dll");
  EXPECT_EQ(quarantine.CopyToQuarantine(In("B\\x.dll"), "x.dll"), "x.dll.001");
  EXPECT_EQ(real.machine.files.ReadAll(Stored("x.dll")), "first");
  EXPECT_EQ(real.machine.files.ReadAll(Stored("x.dll.001")), "second");
  EXPECT_TRUE(Attributes(Stored("x.dll")) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Attributes(Stored("x.dll.001")) & FILE_ATTRIBUTE_HIDDEN);
  // The hidden copy is invisible to the file test, but still holds its name.
  EXPECT_EQ(quarantine.CopyToQuarantine(In("B\\x.dll"), "x.dll"), "x.dll.002");
}

TEST_F(Win32QuarantineTest, FolderTreesGoInWholeAndSameNamesAreCounted) {
  ASSERT_TRUE(CreateDirectoryA(In("Bad").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(In("Bad\\Deep").c_str(), nullptr));
  Make("Bad\\a.txt", "a", FILE_ATTRIBUTE_READONLY);
  Make("Bad\\Deep\\d.txt", "d", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(SetFileAttributesA(In("Bad\\Deep").c_str(), FILE_ATTRIBUTE_HIDDEN));

  EXPECT_EQ(quarantine.CopyFolderToQuarantine(In("Bad\\"), ""), "Bad");
  EXPECT_EQ(real.machine.files.ReadAll(Stored("Bad\\a.txt")), "a");
  EXPECT_EQ(real.machine.files.ReadAll(Stored("Bad\\Deep\\d.txt")), "d");
  EXPECT_TRUE(Attributes(Stored("Bad\\a.txt")) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Attributes(Stored("Bad\\Deep")) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(Attributes(Stored("Bad\\Deep\\d.txt")) & FILE_ATTRIBUTE_HIDDEN);

  // The second copy lands beside the first: the read-only file there is neither replaced nor
  // in the way.
  ASSERT_TRUE(SetFileAttributesA(In("Bad\\a.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
  Make("Bad\\a.txt", "a2");
  EXPECT_EQ(quarantine.CopyFolderToQuarantine(In("Bad"), "Bad"), "Bad.001");
  EXPECT_EQ(real.machine.files.ReadAll(Stored("Bad\\a.txt")), "a");
  EXPECT_EQ(real.machine.files.ReadAll(Stored("Bad.001\\a.txt")), "a2");
}

TEST(Win32RestorePointTest, TheRealCallIsMadeAndItsRefusalSurvived) {
  platform::win32::Win32Machine real;
  // srclient.dll loads and has the entry point: the answer is the system's, not a load failure.
  const platform::RestorePointResult direct = real.machine.restore.SetRestorePoint(
      platform::kBeginSystemChange, platform::kRestorePointRestore, 0, std::string(80, 'x'));
  EXPECT_NE(direct.status, static_cast<std::uint32_t>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(direct.status, static_cast<std::uint32_t>(ERROR_PROC_NOT_FOUND));
  if (direct.ok) {
    real.machine.restore.SetRestorePoint(platform::kEndSystemChange, 0, direct.sequence, "");
  }

  removal::RestorePoint restorePoint(real.machine);
  // Wine answers FALSE; the program goes on, and ends the point all the same.
  const bool begun =
      restorePoint.BeginRestorePoint("Test Restore Point", platform::kRestorePointRestore);
  if (!begun) {
    EXPECT_EQ(restorePoint.RestorePointSequence(), 0);
  }
  restorePoint.EndRestorePoint();
  EXPECT_EQ(restorePoint.RestorePointSequence(), 0);
  removal::RestorePointError error;
  const bool again =
      restorePoint.BeginRestorePoint("Test Restore Point", platform::kRestorePointRestore, &error);
  EXPECT_EQ(error.number, 0);
  if (again) restorePoint.EndRestorePoint();
}

}  // namespace
