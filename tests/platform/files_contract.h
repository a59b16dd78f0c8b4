#pragma once

// What the simulated file system must resolve as Windows does: every spelling of one place
// comes back as that place. Runs on the simulation natively and on the real API under Wine.
#include <gtest/gtest.h>

#include <string>

#include "common/text.h"
#include "definitions/locations.h"
#include "platform/files.h"

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
  files.DeleteFolder(folder, true);
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

  files.DeleteFolder(folder, true);
}

}  // namespace files_contract
