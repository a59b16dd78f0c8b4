#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include "definitions/locations.h"
#include "platform/files_contract.h"
#include "platform/folder_tree.h"

namespace platform::sim {
namespace {

using Names = std::vector<std::string>;

class SimFilesTest : public ::testing::Test {
 protected:
  SimFilesTest() {
    files.AddFile("C:\\Data\\Plain.txt", "plain");
    files.AddFile("C:\\Data\\ReadOnly.txt", "ro", kAttrReadOnly | kAttrArchive);
    files.AddFile("C:\\Data\\Hidden.txt", "hidden", kAttrHidden);
    files.AddFile("C:\\Data\\System.txt", "system", kAttrSystem);
    files.AddFolder("C:\\Data\\Sub");
    files.AddFolder("C:\\Data\\Secret", kAttrHidden);
  }
  SimFiles files;
};

TEST_F(SimFilesTest, PathsIgnoreLetterCaseAndKeepTheNamesAsWritten) {
  EXPECT_EQ(files.ReadAll("c:/DATA/plain.TXT"), "plain");
  EXPECT_EQ(files.ReadAll("C:\\Data\\Sub\\..\\.\\Plain.txt"), "plain");
  EXPECT_EQ(files.ReadAll("C:\\Data\\\\Plain.txt"), "plain");
  EXPECT_TRUE(files.WriteAll("c:\\data\\NEW.txt", "x"));
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\new.txt"), "NEW.txt");
  EXPECT_TRUE(files.Rename("C:\\Data\\NEW.txt", "C:\\DATA\\New.Txt"));  // a change of case only
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\new.txt"), "New.Txt");

  files.SetCurrentDirectory("C:\\Data");
  EXPECT_EQ(files.ReadAll("Plain.txt"), "plain");
  EXPECT_EQ(files.ReadAll("C:Plain.txt"), "plain");
  EXPECT_EQ(files.ReadAll("\\Data\\Plain.txt"), "plain");
}

TEST_F(SimFilesTest, SearchFindsNormalFilesAndWhatTheCallerAlsoAllows) {
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\ReadOnly.txt"), "ReadOnly.txt");
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\Hidden.txt"), std::nullopt);
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\System.txt"), std::nullopt);
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\Sub"), std::nullopt);
  EXPECT_EQ(files.FindFirstMatch("C:\\Data\\Hidden.txt", kAttrHidden), "Hidden.txt");
  EXPECT_EQ(files.FindFirstMatch("C:\\Data\\System.txt", kAttrHidden), std::nullopt);
  EXPECT_EQ(files.FindFirstMatch("C:\\Data\\Sub", kAttrDirectory), "Sub");

  // Wildcards in the last component; the first qualifying name in order.
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\*.txt"), "Plain.txt");
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\?eadOnly.*"), "ReadOnly.txt");
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\*"), "Plain.txt");
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\P?.txt"), std::nullopt);
  EXPECT_EQ(files.LastError(), kErrorFileNotFound);
  // Nowhere else, and not past a missing folder.
  EXPECT_EQ(files.FindFirstNormalFile("C:\\D*\\Plain.txt"), std::nullopt);
  EXPECT_EQ(files.LastError(), kErrorInvalidName);
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Missing\\Plain.txt"), std::nullopt);
  EXPECT_EQ(files.LastError(), kErrorPathNotFound);
  EXPECT_EQ(files.FindFirstNormalFile("C:\\Data\\"), std::nullopt);
  EXPECT_EQ(files.FindFirstNormalFile(""), std::nullopt);
}

TEST_F(SimFilesTest, FoldersAreFoundHiddenOrNotButFilesAreNoFolders) {
  EXPECT_TRUE(files.FolderExists("C:\\Data\\Secret"));
  EXPECT_TRUE(files.FolderExists("c:\\data\\sub\\"));
  EXPECT_TRUE(files.FolderExists("C:\\"));
  EXPECT_FALSE(files.FolderExists("C:\\Data\\Plain.txt"));
  EXPECT_FALSE(files.FolderExists("C:\\Data\\S*"));
  EXPECT_FALSE(files.FolderExists("D:\\"));  // a CD drive without a disc
  EXPECT_FALSE(files.FolderExists("Q:\\"));
  EXPECT_EQ(files.GetAttributes("C:\\Data\\Secret"), kAttrDirectory | kAttrHidden);
}

TEST_F(SimFilesTest, ReadOnlyAndInUseFilesStayWithTheApiErrors) {
  files.SetInUse("C:\\Data\\Plain.txt", true);
  EXPECT_FALSE(files.DeleteFile("C:\\Data\\Plain.txt"));
  EXPECT_EQ(files.LastError(), kErrorSharingViolation);
  EXPECT_EQ(files.ReadAll("C:\\Data\\Plain.txt"), "plain") << "in use, but readable";
  EXPECT_FALSE(files.WriteAll("C:\\Data\\Plain.txt", "x"));
  EXPECT_FALSE(files.Append("C:\\Data\\Plain.txt", "x"));
  EXPECT_FALSE(files.Rename("C:\\Data\\Plain.txt", "C:\\Data\\Moved.txt"));
  EXPECT_EQ(files.LastError(), kErrorSharingViolation);

  EXPECT_FALSE(files.DeleteFile("C:\\Data\\ReadOnly.txt"));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  EXPECT_FALSE(files.WriteAll("C:\\Data\\ReadOnly.txt", "x"));
  EXPECT_EQ(files.ReadAll("C:\\Data\\ReadOnly.txt"), "ro");

  EXPECT_FALSE(files.DeleteFile("C:\\Data\\Missing.txt"));
  EXPECT_EQ(files.LastError(), kErrorFileNotFound);
  EXPECT_FALSE(files.DeleteFile("C:\\Missing\\Plain.txt"));
  EXPECT_EQ(files.LastError(), kErrorPathNotFound);
  EXPECT_FALSE(files.DeleteFile("C:\\Data\\Sub"));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  EXPECT_TRUE(files.DeleteFile("C:\\Data\\Hidden.txt"));
  EXPECT_EQ(files.LastError(), kErrorSuccess);

  // A folder tree goes with everything in it but what is in use.
  EXPECT_FALSE(platform::DeleteFolder(files, "C:\\Data", true));
  EXPECT_EQ(files.ListFolder("C:\\Data"), Names{"Plain.txt"});
}

TEST_F(SimFilesTest, WritingReplacesOnlyWhatCreateAlwaysMayReplace) {
  EXPECT_FALSE(files.WriteAll("C:\\Data\\Hidden.txt", "x"));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  EXPECT_TRUE(files.Append("C:\\Data\\Hidden.txt", "+"));
  EXPECT_EQ(files.FileContent("C:\\Data\\Hidden.txt"), "hidden+");
  EXPECT_TRUE(files.Append("C:\\Data\\Log.txt", "a"));
  EXPECT_TRUE(files.Append("C:\\Data\\Log.txt", "b"));
  EXPECT_EQ(files.FileContent("C:\\Data\\Log.txt"), "ab");
  EXPECT_EQ(files.GetAttributes("C:\\Data\\Log.txt"), kAttrArchive);
  EXPECT_FALSE(files.WriteAll("C:\\Missing\\Log.txt", "x"));
  EXPECT_EQ(files.LastError(), kErrorPathNotFound);
  EXPECT_EQ(files.ReadAt("C:\\Data\\Plain.txt", 2, 10), "ain");
  EXPECT_EQ(files.ReadAt("C:\\Data\\Plain.txt", 9, 10), "");
  EXPECT_EQ(files.FileSize("C:\\Data\\Plain.txt"), 5u);
}

TEST_F(SimFilesTest, CopyAndRenameFollowTheApi) {
  EXPECT_FALSE(files.CopyFile("C:\\Data\\Plain.txt", "C:\\Data\\Hidden.txt", true));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  EXPECT_TRUE(files.CopyFile("C:\\Data\\ReadOnly.txt", "C:\\Data\\Copy.txt", false));
  EXPECT_EQ(files.GetAttributes("C:\\Data\\Copy.txt"), kAttrReadOnly | kAttrArchive);
  EXPECT_FALSE(files.CopyFile("C:\\Data\\Plain.txt", "C:\\Data\\Copy.txt", false));
  EXPECT_EQ(files.LastError(), kErrorFileExists);
  EXPECT_FALSE(files.CopyFile("C:\\Data\\Plain.txt", "C:\\Data\\Copy.txt", true));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied) << "the copy is read-only now";

  EXPECT_FALSE(files.Rename("C:\\Data\\Plain.txt", "C:\\Data\\Copy.txt"));
  EXPECT_EQ(files.LastError(), kErrorAlreadyExists);
  EXPECT_TRUE(files.Rename("C:\\Data\\ReadOnly.txt", "C:\\Data\\Sub\\Moved.txt"));
  EXPECT_EQ(files.ListFolder("C:\\Data\\Sub"), Names{"Moved.txt"});
  EXPECT_FALSE(files.Rename("C:\\Data", "C:\\Data\\Sub\\Inside"));
  files.AddDrive('E', kDriveRemovable, true);
  EXPECT_FALSE(files.Rename("C:\\Data\\Sub", "E:\\Sub"));
  EXPECT_EQ(files.LastError(), kErrorNotSameDevice);
  EXPECT_TRUE(files.Rename("C:\\Data\\Plain.txt", "E:\\Plain.txt"));
  EXPECT_EQ(files.FileContent("E:\\Plain.txt"), "plain");
}

TEST_F(SimFilesTest, FolderTreesCopyIntoPlaceAndDeleteWithForce) {
  files.AddFile("C:\\Data\\Sub\\Deep\\a.txt", "a");
  EXPECT_TRUE(platform::CopyFolder(files, "C:\\Data", "C:\\Backup"));
  EXPECT_EQ(files.ListFolder("C:\\Backup"),
            (Names{"Hidden.txt", "Plain.txt", "ReadOnly.txt", "Secret", "Sub", "System.txt"}));
  EXPECT_EQ(files.FileContent("C:\\Backup\\Sub\\Deep\\a.txt"), "a");
  EXPECT_FALSE(platform::CopyFolder(files, "C:\\Data", "C:\\Data\\Sub\\Again"));
  EXPECT_FALSE(files.Exists("C:\\Data\\Sub\\Again"));

  EXPECT_FALSE(platform::DeleteFolder(files, "C:\\Backup", false)) << "a read-only file is in it";
  EXPECT_TRUE(files.Exists("C:\\Backup\\ReadOnly.txt"));
  EXPECT_FALSE(files.Exists("C:\\Backup\\Plain.txt")) << "the rest is gone";
  EXPECT_TRUE(platform::DeleteFolder(files, "C:\\Backup", true));
  EXPECT_FALSE(files.FolderExists("C:\\Backup"));
  EXPECT_FALSE(platform::DeleteFolder(files, "C:\\", true));

  EXPECT_TRUE(files.MakeDirectory("C:\\Data\\New"));
  EXPECT_FALSE(files.MakeDirectory("C:\\Data\\New"));
  EXPECT_EQ(files.LastError(), kErrorAlreadyExists);
  EXPECT_FALSE(files.MakeDirectory("C:\\Nowhere\\New"));
  EXPECT_EQ(files.LastError(), kErrorPathNotFound);
}

TEST_F(SimFilesTest, DrivesAndAttributes) {
  const auto drives = files.Drives();
  ASSERT_EQ(drives.size(), 2u);
  EXPECT_EQ(drives[0].letter, "C");
  EXPECT_EQ(drives[0].type, kDriveFixed);
  EXPECT_TRUE(drives[0].ready);
  EXPECT_EQ(drives[1].type, kDriveCdRom);
  EXPECT_FALSE(drives[1].ready);
  EXPECT_FALSE(files.WriteAll("D:\\x.txt", "x"));
  EXPECT_EQ(files.LastError(), kErrorNotReady);

  EXPECT_TRUE(files.SetAttributes("C:\\Data\\ReadOnly.txt", kAttrNormal));
  EXPECT_EQ(files.GetAttributes("C:\\Data\\ReadOnly.txt"), kAttrNormal);
  EXPECT_TRUE(files.DeleteFile("C:\\Data\\ReadOnly.txt"));
  EXPECT_EQ(files.GetAttributes("C:\\Data\\ReadOnly.txt"), std::nullopt);
}

TEST_F(SimFilesTest, AFileOpenWithoutAnySharingCannotBeReadOrCopied) {
  files.AddFile("C:\\Data\\Sub\\Locked.txt", "locked");
  files.SetLocked("C:\\Data\\Sub\\Locked.txt", true);
  EXPECT_EQ(files.ReadAll("C:\\Data\\Sub\\Locked.txt"), std::nullopt);
  EXPECT_EQ(files.LastError(), kErrorSharingViolation);
  EXPECT_EQ(files.FileSize("C:\\Data\\Sub\\Locked.txt"), 6u) << "the entry can still be read";
  EXPECT_FALSE(files.CopyFile("C:\\Data\\Sub\\Locked.txt", "C:\\Copy.txt", false));
  EXPECT_EQ(files.LastError(), kErrorSharingViolation);
  EXPECT_FALSE(files.Exists("C:\\Copy.txt"));
  EXPECT_FALSE(files.DeleteFile("C:\\Data\\Sub\\Locked.txt"));

  // A folder copy goes on past it and says it is incomplete.
  files.AddFile("C:\\Data\\Sub\\Free.txt", "free");
  EXPECT_FALSE(platform::CopyFolder(files, "C:\\Data\\Sub", "C:\\Backup"));
  EXPECT_EQ(files.ListFolder("C:\\Backup"), Names{"Free.txt"});

  files.SetLocked("C:\\Data\\Sub\\Locked.txt", false);
  EXPECT_TRUE(files.CopyFile("C:\\Data\\Sub\\Locked.txt", "C:\\Copy.txt", false));
  EXPECT_TRUE(files.DeleteFile("C:\\Data\\Sub\\Locked.txt"));
}

TEST_F(SimFilesTest, EverySpellingOfAPlaceIsThatPlace) {
  files_contract::EverySpellingOfAPlaceIsThatPlace(files, "C:\\Data");
}

TEST_F(SimFilesTest, FoundFilesAreSpelledAsTheCanonicalForm) {
  files_contract::FoundFilesAreSpelledAsTheCanonicalForm(files, "C:\\Data");
  // A file at a drive's root keeps the root's one separator.
  files.AddFile("C:\\top.dll", "MZ");
  definitions::FoundFileSpellings spellings(files);
  EXPECT_EQ(spellings.Of("C:\\top.dll", "top.dll"), "C:\\top.dll");
}

TEST_F(SimFilesTest, NothingAtOnlyWhereNothingIs) {
  files_contract::NothingAtOnlyWhereNothingIs(files, "C:\\Data");
}

TEST_F(SimFilesTest, ReadersReadPartsOfOneOpenFile) {
  files_contract::ReadersReadPartsOfOneOpenFile(files, "C:\\Data");
}

TEST_F(SimFilesTest, FolderTreesAndTheirErrors) {
  files_contract::FolderTreesAndTheirErrors(files, "C:\\Data");
}

TEST_F(SimFilesTest, ReplaceFileTakesThePlaceOfAFile) {
  files_contract::ReplaceFileTakesThePlaceOfAFile(files, "C:\\Data");
  // A read-only or in-use target stays, and so does the file that was to replace it.
  files.AddFile("C:\\Data\\new.txt", "new");
  EXPECT_FALSE(files.ReplaceFile("C:\\Data\\new.txt", "C:\\Data\\ReadOnly.txt"));
  EXPECT_EQ(files.LastError(), kErrorAccessDenied);
  files.SetInUse("C:\\Data\\Plain.txt", true);
  EXPECT_FALSE(files.ReplaceFile("C:\\Data\\new.txt", "C:\\Data\\Plain.txt"));
  EXPECT_EQ(files.LastError(), kErrorSharingViolation);
  EXPECT_EQ(files.FileContent("C:\\Data\\ReadOnly.txt"), "ro");
  EXPECT_EQ(files.FileContent("C:\\Data\\Plain.txt"), "plain");
  EXPECT_EQ(files.FileContent("C:\\Data\\new.txt"), "new");
}

// Long names answer to the 8.3 names Windows gives them, numbered in the order they were made.
TEST_F(SimFilesTest, LongNamesAnswerToTheirShortNames) {
  files.AddFile("C:\\Program Files\\Long Program.exe", "1");
  files.AddFolder("C:\\Program Data");
  files.AddFile("C:\\short.txt", "2");
  EXPECT_EQ(files.ReadAll("C:\\PROGRA~1\\LONGPR~1.EXE"), "1");
  EXPECT_TRUE(files.FolderExists("c:\\progra~2"));
  EXPECT_FALSE(files.FolderExists("C:\\PROGRA~3"));
  EXPECT_EQ(definitions::CanonicalFilePath(files, "C:\\PROGRA~1\\LONGPR~1.EXE"),
            "C:\\Program Files\\Long Program.exe");
  EXPECT_EQ(files.LongPathName("C:\\SHORT~1.TXT"), std::nullopt) << "a valid 8.3 name has no other";
  EXPECT_EQ(files.LongPathName("C:\\PROGRA~1"), "C:\\Program Files");
  // Renamed, the entry takes a short name for its new name.
  ASSERT_TRUE(files.Rename("C:\\Program Data", "C:\\Programmes Anciens"));
  EXPECT_TRUE(files.FolderExists("C:\\PROGRA~2"));
}

}  // namespace
}  // namespace platform::sim
