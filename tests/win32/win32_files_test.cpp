#include "platform/win32/win32_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "common/file_tests.h"
#include "common/text_file.h"
#include "platform/folder_tree.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "platform/files_contract.h"

namespace platform::win32 {
namespace {

// Every test works in its own folder under the temporary folder and removes it afterwards.
class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "FilesTest." + std::to_string(GetCurrentProcessId()) + "." +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override { platform::DeleteFolder(files, folder_, true); }

  std::string In(const std::string& name) const { return folder_ + "\\" + name; }
  void Make(const std::string& name, const std::string& content, DWORD attributes = 0) {
    ASSERT_TRUE(files.WriteAll(In(name), content));
    if (attributes != 0) {
      ASSERT_TRUE(SetFileAttributesA(In(name).c_str(), attributes));
    }
  }

  Win32Files files;
  std::string folder_;
};

TEST_F(Win32FilesTest, FileTestSeesOnlyNormalFilesNamedExactly) {
  Make("Normal.txt", "n");
  Make("ReadOnly.txt", "r", FILE_ATTRIBUTE_READONLY);
  Make("Archive.txt", "a", FILE_ATTRIBUTE_ARCHIVE);
  Make("Hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  Make("System.txt", "s", FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(CreateDirectoryA(In("Folder").c_str(), nullptr));

  EXPECT_TRUE(common::FileExists(files, In("Normal.txt")));
  EXPECT_TRUE(common::FileExists(files, In("NORMAL.TXT")));
  EXPECT_TRUE(common::FileExists(files, In("ReadOnly.txt")));
  EXPECT_TRUE(common::FileExists(files, In("Archive.txt")));
  EXPECT_FALSE(common::FileExists(files, In("Hidden.txt")));
  EXPECT_FALSE(common::FileExists(files, In("System.txt")));
  EXPECT_FALSE(common::FileExists(files, In("Folder")));
  EXPECT_FALSE(common::FileExists(files, In("*.txt")));
  EXPECT_FALSE(common::FileExists(files, In("Normal.tx?")));
  EXPECT_FALSE(common::FileExists(files, In("Missing\\Normal.txt")));
  EXPECT_FALSE(common::FileExists(files, folder_ + "\\"));

  // The search itself does list hidden and system files; the filter is the program's own.
  EXPECT_EQ(files.FindFirstMatch(In("Hidden.txt"), kAttrHidden), "Hidden.txt");
  EXPECT_EQ(files.FindFirstMatch(In("System.txt"), kAttrSystem), "System.txt");
  EXPECT_EQ(files.FindFirstMatch(In("Folder"), kAttrDirectory), "Folder");
  EXPECT_EQ(files.FindFirstNormalFile(In("Hid*")), std::nullopt);
}

TEST_F(Win32FilesTest, FolderTestFindsHiddenFoldersButNotFilesOrPatterns) {
  ASSERT_TRUE(CreateDirectoryA(In("Secret").c_str(), nullptr));
  ASSERT_TRUE(SetFileAttributesA(In("Secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  Make("File.txt", "f");
  EXPECT_TRUE(common::FolderExists(files, In("Secret")));
  EXPECT_TRUE(common::FolderExists(files, In("SECRET\\")));
  EXPECT_TRUE(common::FolderExists(files, "C:\\"));
  EXPECT_FALSE(common::FolderExists(files, In("File.txt")));
  EXPECT_FALSE(common::FolderExists(files, In("Sec*")));
  EXPECT_FALSE(common::FolderExists(files, In("Missing")));
}

TEST_F(Win32FilesTest, ReadOnlyAndOpenFilesCannotBeDeleted) {
  Make("ReadOnly.txt", "r", FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files.DeleteFile(In("ReadOnly.txt")));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  EXPECT_FALSE(files.WriteAll(In("ReadOnly.txt"), "x"));

  Make("Open.txt", "o");
  {
    UniqueHandle open(CreateFileA(In("Open.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(open.IsValid());
    EXPECT_FALSE(files.DeleteFile(In("Open.txt")));
    EXPECT_EQ(files.LastError(), kErrorSharingViolation);
    EXPECT_EQ(files.ReadAll(In("Open.txt")), "o");
  }
  EXPECT_TRUE(files.DeleteFile(In("Open.txt")));
  EXPECT_FALSE(files.DeleteFile(In("Open.txt")));
  EXPECT_EQ(files.LastError(), kErrorFileNotFound);

  Make("Hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(files.WriteAll(In("Hidden.txt"), "x")) << "CREATE_ALWAYS keeps hidden files";
  EXPECT_TRUE(files.Append(In("Hidden.txt"), "+"));
  EXPECT_EQ(files.ReadAll(In("Hidden.txt")), "h+");
}

TEST_F(Win32FilesTest, TextReadsLineByLineAndFilesMoveAndCopy) {
  Make("Lines.txt", "one\r\ntwo\nthree\r\n");
  EXPECT_EQ(common::ReadLines(files, In("Lines.txt")),
            (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(files.FileSize(In("Lines.txt")), 16u);
  EXPECT_EQ(files.ReadAt(In("Lines.txt"), 5, 3), "two");

  EXPECT_TRUE(files.Rename(In("Lines.txt"), In("Moved.txt")));
  EXPECT_FALSE(files.Rename(In("Missing.txt"), In("Other.txt")));
  Make("Other.txt", "x");
  EXPECT_FALSE(files.Rename(In("Moved.txt"), In("Other.txt")));
  EXPECT_EQ(files.LastError(), kErrorAlreadyExists);
  EXPECT_FALSE(files.CopyFile(In("Moved.txt"), In("Other.txt"), false));
  EXPECT_EQ(files.LastError(), kErrorFileExists);
  EXPECT_TRUE(files.CopyFile(In("Moved.txt"), In("Other.txt"), true));
  EXPECT_EQ(files.ReadAll(In("Other.txt")), "one\r\ntwo\nthree\r\n");
  ASSERT_TRUE(SetFileAttributesA(In("Other.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files.CopyFile(In("Moved.txt"), In("Other.txt"), true));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  // Without overwrite a taken name is told as taken, read-only or hidden alike: the quarantine
  // copies under the next name on that error.
  EXPECT_FALSE(files.CopyFile(In("Moved.txt"), In("Other.txt"), false));
  EXPECT_EQ(files.LastError(), kErrorFileExists);
  Make("Secret.txt", "s", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(files.CopyFile(In("Moved.txt"), In("Secret.txt"), false));
  EXPECT_EQ(files.LastError(), kErrorFileExists);
  EXPECT_EQ(files.ReadAll(In("Secret.txt")), "s");
}

TEST_F(Win32FilesTest, FolderTreesCopyAndDeleteWithForce) {
  ASSERT_TRUE(files.MakeDirectory(In("Tree")));
  ASSERT_TRUE(files.MakeDirectory(In("Tree\\Deep")));
  Make("Tree\\Deep\\a.txt", "a", FILE_ATTRIBUTE_READONLY);
  Make("Tree\\b.txt", "b", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(files.MakeDirectory(In("Tree")));
  EXPECT_EQ(files.LastError(), kErrorAlreadyExists);

  EXPECT_TRUE(platform::CopyFolder(files, In("Tree"), In("Copy")));
  EXPECT_EQ(files.ReadAll(In("Copy\\Deep\\a.txt")), "a");
  EXPECT_EQ(files.GetAttributes(In("Copy\\b.txt")).value_or(0) & kAttrHidden, kAttrHidden);
  EXPECT_FALSE(platform::CopyFolder(files, In("Tree"), In("Tree\\Deep\\Again")));

  EXPECT_FALSE(platform::DeleteFolder(files, In("Copy"), false)) << "a read-only file is in it";
  EXPECT_TRUE(files.FolderExists(In("Copy\\Deep")));
  EXPECT_TRUE(platform::DeleteFolder(files, In("Copy"), true));
  EXPECT_FALSE(files.FolderExists(In("Copy")));

  std::vector<std::string> names = files.ListFolder(In("Tree"));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Deep", "b.txt"}));
}

TEST_F(Win32FilesTest, AFileOpenWithoutAnySharingCannotBeReadOrCopied) {
  ASSERT_TRUE(files.MakeDirectory(In("Tree")));
  Make("Tree\\Locked.txt", "locked");
  Make("Tree\\Free.txt", "free");
  {
    UniqueHandle open(CreateFileA(In("Tree\\Locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(open.IsValid());
    EXPECT_EQ(files.ReadAll(In("Tree\\Locked.txt")), std::nullopt);
    EXPECT_EQ(files.LastError(), kErrorSharingViolation);
    EXPECT_FALSE(files.CopyFile(In("Tree\\Locked.txt"), In("Copy.txt"), false));
    EXPECT_EQ(files.LastError(), kErrorSharingViolation);
    EXPECT_FALSE(files.DeleteFile(In("Tree\\Locked.txt")));
    EXPECT_FALSE(platform::CopyFolder(files, In("Tree"), In("Backup")))
        << "one entry could not be copied";
    EXPECT_EQ(files.ListFolder(In("Backup")), std::vector<std::string>{"Free.txt"});
  }
  EXPECT_TRUE(files.CopyFile(In("Tree\\Locked.txt"), In("Copy.txt"), false));
}

TEST_F(Win32FilesTest, FolderCopiesKeepFolderAttributesAndSpareReadOnlyTargets) {
  ASSERT_TRUE(files.MakeDirectory(In("Tree")));
  ASSERT_TRUE(files.MakeDirectory(In("Tree\\Secret")));
  Make("Tree\\Secret\\s.txt", "new");
  Make("Tree\\r.txt", "new");
  ASSERT_TRUE(SetFileAttributesA(In("Tree\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(platform::CopyFolder(files, In("Tree"), In("Copy")));
  EXPECT_EQ(files.GetAttributes(In("Copy\\Secret")).value_or(0) & kAttrHidden, kAttrHidden);

  // Copied over an older copy, as Windows does it: a read-only file there stays as it was.
  ASSERT_TRUE(files.MakeDirectory(In("Old")));
  Make("Old\\r.txt", "old", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(platform::CopyFolder(files, In("Tree"), In("Old")).Error(), kErrorAccessDenied);
  EXPECT_EQ(files.ReadAll(In("Old\\r.txt")), "old");
  EXPECT_EQ(files.ReadAll(In("Old\\Secret\\s.txt")), "new") << "the rest was copied";
}

TEST_F(Win32FilesTest, NothingAtOnlyWhereNothingIs) {
  files_contract::NothingAtOnlyWhereNothingIs(files, folder_);
  // A short name is something there: the search takes it.
  ASSERT_TRUE(files.WriteAll(In("A Long File Name.dll"), "MZ"));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(In("A Long File Name.dll").c_str(), shortName, MAX_PATH), 0u);
  ASSERT_STRNE(shortName, In("A Long File Name.dll").c_str());
  EXPECT_FALSE(common::NothingAt(files, shortName));
}

TEST_F(Win32FilesTest, ReadersReadPartsOfOneOpenFile) {
  files_contract::ReadersReadPartsOfOneOpenFile(files, folder_);
}

TEST_F(Win32FilesTest, FolderTreesAndTheirErrors) {
  files_contract::FolderTreesAndTheirErrors(files, folder_);
}

TEST_F(Win32FilesTest, ReplaceFileTakesThePlaceOfAFile) {
  files_contract::ReplaceFileTakesThePlaceOfAFile(files, folder_);
}

TEST_F(Win32FilesTest, FoundFilesAreSpelledAsTheCanonicalForm) {
  ASSERT_TRUE(CreateDirectoryA(In("Long Folder Name").c_str(), nullptr));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(In("Long Folder Name").c_str(), shortName, MAX_PATH), 0u);
  // The short name and the folder in other letters: the long form comes from the file system.
  std::string upper = folder_;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  files_contract::FoundFilesAreSpelledAsTheCanonicalForm(files, folder_,
                                                         {shortName, upper + "\\LONG FOLDER NAME"});
}

TEST_F(Win32FilesTest, EverySpellingOfAPlaceIsThatPlace) {
  files_contract::EverySpellingOfAPlaceIsThatPlace(files, folder_);
  // The short name Windows gave the folder leads back to its long name.
  ASSERT_TRUE(CreateDirectoryA(In("Long Folder Name").c_str(), nullptr));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(In("Long Folder Name").c_str(), shortName, MAX_PATH), 0u);
  EXPECT_PRED2(common::EqualsNoCase, definitions::CanonicalFilePath(files, shortName),
               In("Long Folder Name"));
}

}  // namespace
}  // namespace platform::win32
