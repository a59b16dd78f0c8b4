#pragma once

// What the simulated file system must resolve as Windows does: every spelling of one place
// comes back as that place. Runs on the simulation natively and on the real API under Wine.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/locations.h"
#include "platform/files.h"
#include "platform/folder_tree.h"

namespace files_contract {

// root: an existing folder where the check may create "Long Folder Name\file.txt".
inline void EverySpellingOfAPlaceIsThatPlace(platform::Files& files, const std::string& root) {
  const std::string folder = root + "\\Long Folder Name";
  ASSERT_TRUE(files.MakeDirectory(folder) || files.FolderExists(folder));
  ASSERT_TRUE(files.WriteAll(folder + "\\file.txt", "x"));
  for (const std::string& spelling :
       {folder, folder + "\\", folder + "\\.", folder + "\\file.txt\\..", folder + "\\\\",
        folder + ".", folder + " . ", folder + "\\..\\Long Folder Name",
        root + "/Long Folder Name/", root + "\\\\Long Folder Name"}) {
    EXPECT_PRED2(common::EqualsNoCase, definitions::CanonicalFilePath(files, spelling), folder)
        << spelling;
  }
  // Letters may come back as written or as stored: Windows compares names without case.
  EXPECT_PRED2(common::EqualsNoCase, definitions::CanonicalFilePath(files, folder + "\\FILE.TXT."),
               folder + "\\file.txt");
  EXPECT_TRUE(files.FolderExists(folder + "."));
  // A bare name names a file of the current folder and stays as written.
  EXPECT_EQ(definitions::CanonicalFilePath(files, "file.txt"), "file.txt");
  // A place that does not exist is still resolved.
  EXPECT_PRED2(common::EqualsNoCase,
               definitions::CanonicalFilePath(files, folder + "\\missing\\..\\gone.txt"),
               folder + "\\gone.txt");
  platform::DeleteFolder(files, folder, true);
}

// A found file's spelling made from its folder's long form is the canonical one byte for byte,
// or there is none and the caller spells the file the long way. extraSpellings: more ways to
// write root\Long Folder Name (a short name, on Windows).
inline void FoundFilesAreSpelledAsTheCanonicalForm(
    platform::Files& files, const std::string& root,
    const std::vector<std::string>& extraSpellings = {}) {
  const std::string folder = root + "\\Long Folder Name";
  ASSERT_TRUE(files.MakeDirectory(folder) || files.FolderExists(folder));
  ASSERT_TRUE(files.WriteAll(folder + "\\file.txt", "x"));
  ASSERT_TRUE(files.WriteAll(folder + "\\other.txt", "y"));
  definitions::FoundFileSpellings spellings(files);
  std::vector<std::string> folders = {folder, root + "/Long Folder Name",
                                      folder + "\\..\\Long Folder Name", folder + "\\."};
  folders.insert(folders.end(), extraSpellings.begin(), extraSpellings.end());
  int spelled = 0;
  for (const std::string& each : folders) {
    for (const std::string& written :
         {each + "\\file.txt", each + "\\other.txt", each + "\\FILE.TXT", each + "\\fi*.txt"}) {
      const auto found = files.FindFirstNormalFile(written);
      ASSERT_TRUE(found.has_value()) << written;
      const auto spelling = spellings.Of(written, *found);
      if (!spelling) continue;
      ++spelled;
      EXPECT_EQ(*spelling, definitions::CanonicalFilePath(files, written)) << written;
    }
  }
  EXPECT_GE(spelled, 8) << "the names as stored are spelled from their folders";
  EXPECT_FALSE(spellings.Of(folder + "\\FILE.TXT", "file.txt")) << "other letters";
  EXPECT_FALSE(spellings.Of(folder + "\\fi*.txt", "file.txt")) << "a wildcard";
  EXPECT_FALSE(spellings.Of("file.txt", "file.txt")) << "a bare name";
  EXPECT_FALSE(spellings.Of(folder + "\\", "file.txt")) << "a folder";
  platform::DeleteFolder(files, folder, true);
}

// ReplaceFile puts a file in the place of another in one step, or in an empty place.
// root: an existing folder. (Windows refuses a read-only target; Wine replaces it, so that case
// is checked on the simulation only.)
inline void ReplaceFileTakesThePlaceOfAFile(platform::Files& files, const std::string& root) {
  const std::string folder = root + "\\Replace";
  ASSERT_TRUE(files.MakeDirectory(folder));
  ASSERT_TRUE(files.WriteAll(folder + "\\old.dat", "old"));
  ASSERT_TRUE(files.WriteAll(folder + "\\new.dat", "new"));
  EXPECT_TRUE(files.ReplaceFile(folder + "\\new.dat", folder + "\\old.dat"));
  EXPECT_EQ(files.ReadAll(folder + "\\old.dat"), "new");
  EXPECT_FALSE(files.ReadAll(folder + "\\new.dat"));

  ASSERT_TRUE(files.WriteAll(folder + "\\next.dat", "next"));
  EXPECT_TRUE(files.ReplaceFile(folder + "\\next.dat", folder + "\\fresh.dat"));
  EXPECT_EQ(files.ReadAll(folder + "\\fresh.dat"), "next");

  platform::DeleteFolder(files, folder, true);
}

// NothingAt answers "nothing there" only where the search finds nothing at all, and gives every
// other case to the search. root: an existing folder.
inline void NothingAtOnlyWhereNothingIs(platform::Files& files, const std::string& root) {
  const std::string folder = root + "\\Nothing Test Folder";
  ASSERT_TRUE(files.MakeDirectory(folder));
  ASSERT_TRUE(files.WriteAll(folder + "\\there.dll", "MZ"));
  ASSERT_TRUE(files.WriteAll(folder + "\\hidden.dll", "MZ"));
  ASSERT_TRUE(files.SetAttributes(folder + "\\hidden.dll", platform::kAttrHidden));

  EXPECT_TRUE(common::NothingAt(files, folder + "\\missing.dll"));
  EXPECT_TRUE(common::NothingAt(files, folder + "\\No Such Folder\\there.dll"));
  EXPECT_TRUE(common::NothingAt(files, root + "\\No Such Folder\\Deeper\\x.dll"));
  for (const char* name : {"there.dll", "THERE.DLL", "hidden.dll", "there*", "th?re.dll"}) {
    EXPECT_FALSE(common::NothingAt(files, folder + "\\" + name)) << name;
  }
  EXPECT_FALSE(common::NothingAt(files, folder));
  EXPECT_TRUE(common::FileExists(files, folder + "\\There.dll"));
  EXPECT_FALSE(common::FileExists(files, folder + "\\hidden.dll"));
  EXPECT_FALSE(common::FileExists(files, folder + "\\missing.dll"));

  ASSERT_TRUE(files.SetAttributes(folder + "\\hidden.dll", platform::kAttrNormal));
  platform::DeleteFolder(files, folder, true);
}

// A reader opened once reads any part of the file, an empty answer only at its end, and sees
// what a writer appends while it is open; what cannot be opened gives no reader.
// root: an existing folder.
inline void ReadersReadPartsOfOneOpenFile(platform::Files& files, const std::string& root) {
  const std::string path = root + "\\reader.bin";
  ASSERT_TRUE(files.WriteAll(path, std::string("abc\0def", 7)));
  const std::unique_ptr<platform::FileReader> reader = files.OpenReader(path);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->ReadAt(4, 100), "def");
  EXPECT_EQ(reader->ReadAt(0, 4), std::string("abc\0", 4));
  EXPECT_EQ(reader->ReadAt(7, 10), "");
  EXPECT_EQ(reader->ReadAt(1000, 10), "");
  ASSERT_TRUE(files.Append(path, "ghi"));
  EXPECT_EQ(reader->ReadAt(6, 10), "fghi");

  EXPECT_FALSE(files.OpenReader(root + "\\missing.bin"));
  EXPECT_EQ(files.LastError(), platform::kErrorFileNotFound);
  EXPECT_FALSE(files.OpenReader(root));
  EXPECT_TRUE(files.DeleteFile(path));
}

// A folder tree is copied and deleted by the same steps on both machines, and each change
// reports its own error: a later call that succeeds does not wash out an earlier failure.
// root: an existing folder.
inline void FolderTreesAndTheirErrors(platform::Files& files, const std::string& root) {
  const std::string tree = root + "\\Tree";
  ASSERT_TRUE(files.MakeDirectory(tree));
  ASSERT_TRUE(files.MakeDirectory(tree + "\\Sub"));
  ASSERT_TRUE(files.WriteAll(tree + "\\Sub\\a.txt", "a"));
  ASSERT_TRUE(files.WriteAll(tree + "\\b.txt", "b"));
  ASSERT_TRUE(files.SetAttributes(tree + "\\b.txt", platform::kAttrReadOnly));
  ASSERT_TRUE(files.SetAttributes(tree + "\\Sub", platform::kAttrHidden));

  const platform::FileStatus notEmpty = files.RemoveFolder(tree);
  const platform::FileStatus missing = files.RemoveFolder(tree + "\\Missing");
  EXPECT_EQ(notEmpty.Error(), platform::kErrorDirNotEmpty);
  EXPECT_FALSE(missing);
  EXPECT_NE(missing.Error(), platform::kErrorSuccess);
  EXPECT_EQ(notEmpty.Error(), platform::kErrorDirNotEmpty) << "kept after a later call";

  EXPECT_EQ(platform::CopyFolder(files, tree, tree + "\\Sub\\Again").Error(),
            platform::kErrorAccessDenied);
  EXPECT_FALSE(files.FolderExists(tree + "\\Sub\\Again"));
  const std::string copy = root + "\\Copy";
  ASSERT_TRUE(platform::CopyFolder(files, tree, copy));
  EXPECT_EQ(files.ReadAll(copy + "\\Sub\\a.txt"), "a");
  const auto copied = files.GetAttributes(copy + "\\Sub");
  ASSERT_TRUE(copied);
  EXPECT_TRUE(*copied & platform::kAttrHidden) << "a new sub-folder keeps its attributes";

  EXPECT_FALSE(platform::DeleteFolder(files, copy, false)) << "a read-only file is in it";
  EXPECT_TRUE(files.ReadAll(copy + "\\b.txt"));
  EXPECT_FALSE(files.FolderExists(copy + "\\Sub")) << "the rest is gone";
  EXPECT_TRUE(platform::DeleteFolder(files, copy, true));
  EXPECT_FALSE(files.FolderExists(copy));
  EXPECT_TRUE(platform::DeleteFolder(files, tree, true));
  EXPECT_EQ(platform::DeleteFolder(files, tree, true).Error(), platform::kErrorPathNotFound);
}

}  // namespace files_contract
