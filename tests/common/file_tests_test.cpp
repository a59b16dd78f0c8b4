#include "common/file_tests.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_files.h"

namespace common {
namespace {

using platform::kAttrArchive;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;

TEST(FileTestsTest, OnlyNormalFilesNamedExactlyExist) {
  platform::sim::SimFiles files;
  files.AddFile("C:\\Dir\\Normal.txt", "");
  files.AddFile("C:\\Dir\\ReadOnly.txt", "", kAttrReadOnly);
  files.AddFile("C:\\Dir\\Archive.txt", "", kAttrArchive);
  files.AddFile("C:\\Dir\\Hidden.txt", "", kAttrHidden);
  files.AddFile("C:\\Dir\\System.txt", "", kAttrSystem);
  files.AddFolder("C:\\Dir\\Folder");
  files.AddFolder("C:\\Dir\\HiddenFolder", kAttrHidden);

  EXPECT_TRUE(FileExists(files, "C:\\Dir\\Normal.txt"));
  EXPECT_TRUE(FileExists(files, "c:\\dir\\NORMAL.TXT"));
  EXPECT_TRUE(FileExists(files, "C:\\Dir\\ReadOnly.txt"));
  EXPECT_TRUE(FileExists(files, "C:\\Dir\\Archive.txt"));
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\Hidden.txt"));
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\System.txt"));
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\Folder"));
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\*.txt")) << "a match, but not the name asked for";
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\Normal.tx?"));
  EXPECT_FALSE(FileExists(files, "C:\\Missing\\Normal.txt"));
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\"));
  EXPECT_FALSE(FileExists(files, ""));
  EXPECT_FALSE(FileExists(files, "C:\\Dir\\Normal.txt\\"));

  EXPECT_TRUE(FolderExists(files, "C:\\Dir\\Folder"));
  EXPECT_TRUE(FolderExists(files, "C:\\Dir\\HiddenFolder"));
  EXPECT_FALSE(FolderExists(files, "C:\\Dir\\Normal.txt"));
}

TEST(FileTestsTest, FileNameIsTheTextAfterTheLastBackslash) {
  EXPECT_EQ(GetFileName("C:\\Dir\\File.txt"), "File.txt");
  EXPECT_EQ(GetFileName("File.txt"), "File.txt");
  EXPECT_EQ(GetFileName("C:\\Dir\\"), "");
  EXPECT_EQ(GetFileName("C:/Dir/File.txt"), "C:/Dir/File.txt");
  EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
  EXPECT_EQ(JoinPath("C:\\Dir", "x"), "C:\\Dir\\x");
}

}  // namespace
}  // namespace common
