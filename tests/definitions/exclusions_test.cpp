#include "definitions/exclusions.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace definitions {
namespace {

using platform::sim::kSimDataFolder;

class ExclusionsTest : public ::testing::Test {
 protected:
  static std::string FilePath() { return std::string(kSimDataFolder) + "\\ENoSignature.dat"; }
  void Load(const std::string& content) {
    sim.files.AddFile(FilePath(), content);
    exclusions.LoadExclusions(kSimDataFolder);
  }
  bool Add(const std::string& text) { return exclusions.AddExclusion(kSimDataFolder, text); }

  platform::sim::SimMachine sim;
  Exclusions exclusions{sim.files};
};

TEST_F(ExclusionsTest, TheListIsEveryNonBlankLineAsReadEachFollowedByABar) {
  int yields = 0;
  sim.files.AddFile(FilePath(), "C:\\Temp\\x.exe\r\n\r\n   \r\n Bar \nFoo Adware");
  exclusions.LoadExclusions(kSimDataFolder, [&] { ++yields; });
  EXPECT_EQ(exclusions.ExclusionList(), "C:\\Temp\\x.exe| Bar |Foo Adware|");
  EXPECT_EQ(yields, 5) << "one yield per line, blank ones too";
}

TEST_F(ExclusionsTest, AnEntryMatchesIgnoringCaseAsGivenOrTrimmed) {
  Load("C:\\Temp\\x.exe\r\n\r\nFoo Adware\r\nC:\\Caf\xE9\\y.dll\r\n Bar \r\n");
  EXPECT_TRUE(exclusions.IsExcluded("c:\\temp\\X.EXE"));
  EXPECT_TRUE(exclusions.IsExcluded("  Foo Adware  "));
  EXPECT_TRUE(exclusions.IsExcluded("c:\\CAF\xC9\\Y.DLL")) << "accented letters fold too";
  EXPECT_FALSE(exclusions.IsExcluded("C:\\Temp"));
  EXPECT_FALSE(exclusions.IsExcluded("Foo"));
  EXPECT_FALSE(exclusions.IsExcluded("C:\\Temp\\x.exe|Foo Adware")) << "two entries are not one";
  EXPECT_FALSE(exclusions.IsExcluded(""));
  // A line is kept as read: blanks typed around it are part of the entry.
  EXPECT_TRUE(exclusions.IsExcluded(" bar "));
  EXPECT_FALSE(exclusions.IsExcluded("Bar"));
}

TEST_F(ExclusionsTest, APartOfAnEntryIsExcludedPartially) {
  Load("C:\\Temp\\x.exe\r\n\r\nFoo Adware\r\n");
  EXPECT_TRUE(exclusions.IsExcludedPartial("C:\\Temp"));
  EXPECT_TRUE(exclusions.IsExcludedPartial("c:\\temp"));
  EXPECT_TRUE(exclusions.IsExcludedPartial(" foo adware ")) << "a whole entry, trimmed";
  EXPECT_FALSE(exclusions.IsExcludedPartial("C:\\Other"));
  EXPECT_FALSE(exclusions.IsExcludedPartial("C:\\Temp\\x.exe\\sub"));
  EXPECT_FALSE(exclusions.IsExcludedPartial("x.exe|Foo")) << "no entry spans the bar";
  // Every entry contains the empty text and most contain a blank; neither names a folder.
  EXPECT_FALSE(exclusions.IsExcludedPartial(""));
  EXPECT_FALSE(exclusions.IsExcludedPartial(" "));
}

TEST_F(ExclusionsTest, AMissingFileEmptiesTheList) {
  exclusions.LoadExclusions(kSimDataFolder);
  EXPECT_EQ(exclusions.ExclusionList(), "");

  Load("C:\\Temp\\x.exe\r\n");
  ASSERT_TRUE(exclusions.IsExcluded("C:\\Temp\\x.exe"));
  sim.files.DeleteFile(FilePath());
  exclusions.LoadExclusions(kSimDataFolder);
  EXPECT_EQ(exclusions.ExclusionList(), "");
  EXPECT_FALSE(exclusions.IsExcludedPartial("C:\\Temp"));
}

TEST_F(ExclusionsTest, AddingCreatesTheFileAppendsTrimmedLinesAndReloadsIt) {
  EXPECT_TRUE(Add("  C:\\Temp\\x.exe  "));
  EXPECT_EQ(sim.files.FileContent(FilePath()), "C:\\Temp\\x.exe\r\n");
  EXPECT_TRUE(exclusions.IsExcluded("c:\\temp\\x.exe"));

  // A line typed in Notepad since the last load counts from the next addition on.
  sim.files.Append(FilePath(), "Typed By Hand\r\n");
  EXPECT_FALSE(exclusions.IsExcluded("Typed By Hand"));
  EXPECT_TRUE(Add("Foo Adware"));
  EXPECT_EQ(sim.files.FileContent(FilePath()),
            "C:\\Temp\\x.exe\r\nTyped By Hand\r\nFoo Adware\r\n");
  EXPECT_EQ(exclusions.ExclusionList(), "C:\\Temp\\x.exe|Typed By Hand|Foo Adware|");
  EXPECT_TRUE(exclusions.IsExcluded("typed by hand"));
}

TEST_F(ExclusionsTest, AnAddedTextWithABarIsTwoEntriesNowAndAfterTheNextStart) {
  EXPECT_TRUE(Add("Foo|C:\\Bar\\"));
  EXPECT_TRUE(Add("|Baz||"));
  EXPECT_EQ(exclusions.ExclusionList(), "Foo|C:\\Bar\\||Baz|||");

  Exclusions reloaded(sim.files);
  reloaded.LoadExclusions(kSimDataFolder);
  for (const Exclusions* list : {&exclusions, &reloaded}) {
    EXPECT_EQ(list->ExclusionList(), exclusions.ExclusionList());
    EXPECT_TRUE(list->IsExcluded("foo"));
    EXPECT_TRUE(list->IsExcluded("c:\\bar\\"));
    EXPECT_TRUE(list->IsExcluded("BAZ"));
    EXPECT_FALSE(list->IsExcluded("Foo|C:\\Bar\\"));
    EXPECT_FALSE(list->IsExcluded("")) << "the empty pieces between bars are no entries";
    EXPECT_TRUE(list->IsExcludedPartial("C:\\Bar"));
  }
}

TEST_F(ExclusionsTest, AFileThatCannotBeWrittenLeavesTheListAsItWas) {
  Load("Foo Adware\r\n");
  sim.files.Append(FilePath(), "Typed By Hand\r\n");
  sim.files.SetAttributes(FilePath(), platform::kAttrReadOnly);
  EXPECT_FALSE(Add("C:\\Temp\\x.exe"));
  EXPECT_EQ(exclusions.ExclusionList(), "Foo Adware|");
  EXPECT_EQ(sim.files.FileContent(FilePath()), "Foo Adware\r\nTyped By Hand\r\n");

  Exclusions elsewhere(sim.files);
  EXPECT_FALSE(elsewhere.AddExclusion("C:\\No Such Folder", "Foo Adware"));
  EXPECT_EQ(elsewhere.ExclusionList(), "");
}

}  // namespace
}  // namespace definitions
