#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "scenario.h"

namespace defserver::testing {
namespace {

class StoreTest : public Scenario {};

TEST_F(StoreTest, APublishRecordsTheDifferencesAtItsDate) {
  Publish("2006-03-16 00:00:00", {{Kind::kFile, {"a=A", "b=B"}}, {Kind::kCookie, {"c"}}});
  Store::PublishCounts counts;
  std::string error;
  EXPECT_EQ(store_->Publish(*ParseStored("2006-04-01 00:00:00"),
                            {{Kind::kFile, {"b=B", "d=D", "d=D"}}}, &counts, &error),
            Store::PublishOutcome::kPublished);
  EXPECT_EQ(counts.added, 1);
  EXPECT_EQ(counts.removed, 1);
  // A kind the set does not hold is left as it is.
  std::vector<std::string> entries;
  ASSERT_TRUE(store_->CurrentEntries(Kind::kCookie, &entries));
  EXPECT_EQ(entries, std::vector<std::string>{"c"});
  ASSERT_TRUE(store_->CurrentEntries(Kind::kFile, &entries));
  EXPECT_EQ(entries, (std::vector<std::string>{"b=B", "d=D"}));
  std::optional<Seconds> newest;
  ASSERT_TRUE(store_->NewestPublish(&newest));
  EXPECT_EQ(FormatStored(*newest), "2006-04-01 00:00:00");
}

TEST_F(StoreTest, APublishThatChangesNothingOrComesTooEarlyRecordsNothing) {
  Publish("2006-04-01 00:00:00", {{Kind::kFile, {"a=A"}}});
  Store::PublishCounts counts;
  std::string error;
  EXPECT_EQ(store_->Publish(*ParseStored("2006-05-01 00:00:00"), {{Kind::kFile, {"a=A"}}}, &counts,
                            &error),
            Store::PublishOutcome::kUnchanged);
  for (const char* date : {"2006-04-01 00:00:00", "2006-03-01 00:00:00"}) {
    EXPECT_EQ(store_->Publish(*ParseStored(date), {{Kind::kFile, {"b=B"}}}, &counts, &error),
              Store::PublishOutcome::kNotLater)
        << date;
  }
  std::optional<Seconds> newest;
  ASSERT_TRUE(store_->NewestPublish(&newest));
  EXPECT_EQ(FormatStored(*newest), "2006-04-01 00:00:00");
  std::vector<std::string> entries;
  ASSERT_TRUE(store_->CurrentEntries(Kind::kFile, &entries));
  EXPECT_EQ(entries, std::vector<std::string>{"a=A"});
}

TEST_F(StoreTest, SubmittedNamesAreNewOnceWhateverTheirCase) {
  bool anyNew = false;
  ASSERT_TRUE(store_->RecordSubmission({"tool.exe", "x'); DROP TABLE entries;--"}, 0, &anyNew));
  EXPECT_TRUE(anyNew);
  ASSERT_TRUE(store_->RecordSubmission({"TOOL.EXE"}, 0, &anyNew));
  EXPECT_FALSE(anyNew);
  ASSERT_TRUE(store_->RecordSubmission({"tool.exe", "other.exe"}, 0, &anyNew));
  EXPECT_TRUE(anyNew);
  std::vector<std::string> entries;
  EXPECT_TRUE(store_->CurrentEntries(Kind::kFile, &entries));
}

TEST(DefinitionFolderTest, AFolderWithAMissingFileOrABadEntryIsRefused) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("defserver-folder-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  for (Kind kind : kAllKinds) {
    std::ofstream(folder / PlainFileName(kind)) << "# note\r\n\r\n";
  }
  std::ofstream(folder / "FileDefinition.txt") << "a.exe=A|[x]\r\n# note\r\nb<c.exe=B|[y]\r\n";
  std::filesystem::remove(folder / "Safety.txt");

  DefinitionSet set;
  std::vector<std::string> errors;
  EXPECT_FALSE(ReadDefinitionFolder(folder.string(), &set, &errors));
  ASSERT_EQ(errors.size(), 2u) << ::testing::PrintToString(errors);
  EXPECT_NE(errors[0].find("FileDefinition.txt:3: "), std::string::npos) << errors[0];
  EXPECT_NE(errors[1].find("Safety.txt"), std::string::npos) << errors[1];

  std::ofstream(folder / "FileDefinition.txt") << "a.exe=A|[x]\r\na.exe=A|[x]\r\n";
  std::ofstream(folder / "Safety.txt") << "SDIR|W=W|[windir]";
  EXPECT_TRUE(ReadDefinitionFolder(folder.string(), &set, &errors));
  EXPECT_EQ(set.at(Kind::kFile), std::vector<std::string>{"a.exe=A|[x]"});
  EXPECT_EQ(set.at(Kind::kSafety), std::vector<std::string>{"SDIR|W=W|[windir]"});
  EXPECT_TRUE(set.at(Kind::kCookie).empty());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace defserver::testing
