#include "update/definition_merge.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "definitions/definition_files.h"
#include "golden.h"
#include "platform/sim/sim_machine.h"
#include "update/update_text.h"

namespace update {
namespace {

using platform::sim::kSimDataFolder;
using update_test::DecodedLines;
using update_test::Record;
using update_test::SentEntry;
using update_test::StoredFile;
using Lines = std::vector<std::string>;

constexpr const char* kSix[] = {"FileDefinition.dat",      "ExeDefinition.dat",
                                "RegistryDefinition.dat",  "BlockedCookies.dat",
                                "DirectoryDefinition.dat", "Safety.dat"};

class DefinitionMergeTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) {
    return definitions::DataFilePath(kSimDataFolder, name);
  }
  void Put(const std::string& name, const Lines& plain) {
    sim.files.AddFile(Path(name), StoredFile(plain));
  }
  Lines Decoded(const std::string& name) { return DecodedLines(sim.files, Path(name)); }
  MergeResult Merge(const std::string& text) { return merge.MergeDefinitionUpdate(text); }
  std::map<std::string, std::string> Snapshot() {
    std::map<std::string, std::string> contents;
    for (const char* name : kSix)
      contents[name] = sim.files.FileContent(Path(name)).value_or("<missing>");
    contents["date.dat"] = sim.files.FileContent(Path("date.dat")).value_or("<missing>");
    return contents;
  }

  platform::sim::SimMachine sim;
  std::vector<std::string> statuses;
  DefinitionMerge merge{
      sim.files, kSimDataFolder,
      MergeObserver{[this](const std::string& text) { statuses.push_back(text); }, nullptr}};
};

TEST_F(DefinitionMergeTest, AnExecutableAddedLandsInTheFileAndExecutableDefinitions) {
  Put("FileDefinition.dat", {"old.dll=Old"});
  const MergeResult result = Merge(Record("EXE", "ADD", SentEntry("bad.exe=BadThreat")));
  EXPECT_EQ(result.changes, 2);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(Decoded("FileDefinition.dat"), (Lines{"old.dll=Old", "bad.exe=BadThreat"}));
  EXPECT_EQ(Decoded("ExeDefinition.dat"), (Lines{"bad.exe=BadThreat"}));
  // Every target exists afterwards; those without records are empty.
  EXPECT_EQ(sim.files.FileContent(Path("BlockedCookies.dat")), "");
  EXPECT_EQ(sim.files.FileContent(Path("Safety.dat")), "");
  EXPECT_FALSE(sim.files.Exists(Path("temp.dat")));
}

TEST_F(DefinitionMergeTest, DeletionsRemoveEveryLineOfTheirKeysAndTheBlankLines) {
  Put("FileDefinition.dat",
      {"a.exe=A", "", "B.EXE=B", "c.exe=C", "b.exe=Other", "d.dll=D", "c.exe"});
  const MergeResult one = Merge(Record("FILE", "DEL", SentEntry("b.exe")));
  EXPECT_EQ(one.changes, 1);
  EXPECT_EQ(Decoded("FileDefinition.dat"), (Lines{"a.exe=A", "c.exe=C", "d.dll=D", "c.exe"}));
  EXPECT_EQ(statuses, (Lines{"Applying new updates...", "Applying new updates...",
                             "Applying new updates...", "Applying new updates...",
                             "Applying new updates...", "Applying new updates..."}));

  // Two deletions for one file count once.
  const MergeResult two =
      Merge(Record("FILE", "DEL", SentEntry("c.exe")) + Record("FILE", "DEL", SentEntry("D.dll")));
  EXPECT_EQ(two.changes, 1);
  EXPECT_EQ(Decoded("FileDefinition.dat"), (Lines{"a.exe=A"}));
}

TEST_F(DefinitionMergeTest, AnAdditionTakesBackAnEarlierDeletionOfItsKeyOnly) {
  Put("FileDefinition.dat", {"keep.exe=Old", "gone.exe=Old"});
  const MergeResult result = Merge(Record("FILE", "DEL", SentEntry("keep.exe")) +
                                   Record("FILE", "ADD", SentEntry("KEEP.EXE=New")) +
                                   Record("FILE", "ADD", SentEntry("gone.exe=New")) +
                                   Record("FILE", "DEL", SentEntry("gone.exe")));
  // Two additions and one file with deletions left.
  EXPECT_EQ(result.changes, 3);
  EXPECT_EQ(Decoded("FileDefinition.dat"), (Lines{"keep.exe=Old", "KEEP.EXE=New"}));
}

TEST_F(DefinitionMergeTest, EveryKindOfRecordAgainstGoldenFiles) {
  Put("FileDefinition.dat", {"[windir]\\old.exe=Old Threat", "[progfil]\\gone.dll=Gone"});
  Put("ExeDefinition.dat", {"old.exe=Old Threat"});
  Put("RegistryDefinition.dat", {"1^Software\\Gone^=Gone|", "1^Software\\Kept^Run=Kept|x"});
  Put("BlockedCookies.dat", {"tracker=Tracker"});
  Put("DirectoryDefinition.dat", {"[progfil]\\Old Folder=Old Threat"});
  Put("Safety.dat", {"SDIR|[windir]"});
  const std::string text =
      Record("FILE", "DEL", SentEntry("[progfil]\\gone.dll")) +
      Record("FILE", "ADD", SentEntry("[windir]\\new.exe=New Threat")) +
      Record("DLL", "ADD", SentEntry("[system]\\new.dll=New Threat")) +
      Record("EXE", "ADD", SentEntry("new.exe=New Threat")) +
      Record("REG", "ADD", SentEntry("1^Software\\New^Run=New Threat|1^Software\\New^Run|extra")) +
      Record("REG", "DEL", SentEntry("1^software\\gone^")) +
      Record("COOK", "ADD", definitions::ScrambleText("adserver=Ad Server")) +
      Record("DIR", "ADD", SentEntry("[progfil]\\New Folder=New Threat")) +
      Record("SFILE", "ADD", SentEntry("[system]\\kernel32.dll")) +
      Record("XYZ", "ADD", SentEntry("ignored=Ignored")) +
      Record("FILE", "MOD", SentEntry("ignored=Ignored")) + "\r\n";
  const MergeResult result = Merge(text);
  EXPECT_EQ(result.changes, 10);
  std::string dump;
  for (const char* name : kSix) {
    dump += std::string("== ") + name + "\n";
    for (const std::string& line : Decoded(name)) dump += line + "\n";
  }
  test_support::ExpectMatchesSourceFile("tests/update/golden/merge.txt", dump);
}

TEST_F(DefinitionMergeTest, TextsThatAreNoDifferenceAreRefusedWhole) {
  Put("FileDefinition.dat", {"a.exe=A"});
  const auto before = Snapshot();
  const std::string good = Record("FILE", "ADD", SentEntry("b.exe=B"));
  for (const std::string& text :
       {std::string("<html><body>404 Not Found</body></html>"), good + "FILE|ADD no separator[BR]",
        good + std::string(kMaxUpdateTextBytes, ' ')}) {
    const MergeResult result = Merge(text);
    EXPECT_EQ(result.changes, 0);
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(DefinitionMergeTest, ACrashBetweenFileOperationsLeavesEveryFileOldOrNew) {
  const std::string text = Record("EXE", "ADD", SentEntry("new.exe=New")) +
                           Record("FILE", "DEL", SentEntry("a.exe")) +
                           Record("REG", "ADD", SentEntry("r=New|1^Software\\New^|")) +
                           Record("DIR", "ADD", SentEntry("[progfil]\\New=New"));
  auto setUp = [](platform::sim::SimMachine& machine) {
    auto put = [&](const char* name, const Lines& lines) {
      machine.files.AddFile(definitions::DataFilePath(kSimDataFolder, name), StoredFile(lines));
    };
    put("FileDefinition.dat", {"a.exe=A", "b.exe=B"});
    put("ExeDefinition.dat", {"b.exe=B"});
    put("RegistryDefinition.dat", {"1^Software\\Old^=Old|"});
    put("DirectoryDefinition.dat", {"[progfil]\\Old=Old"});
    // A temp.dat left over from an earlier failure must not get into any file.
    machine.files.AddFile(definitions::DataFilePath(kSimDataFolder, "temp.dat"),
                          StoredFile({"stale.exe=Stale"}));
  };
  setUp(sim);
  const auto old = Snapshot();
  ASSERT_TRUE(Merge(text).complete);
  const auto merged = Snapshot();

  for (int changes = 0; changes < 20; ++changes) {
    platform::sim::SimMachine crashing;
    setUp(crashing);
    crashing.files.CrashAfterChanges(changes);
    DefinitionMerge(crashing.files, kSimDataFolder, {}).MergeDefinitionUpdate(text);
    for (const char* name : kSix) {
      const std::string content =
          crashing.files.FileContent(definitions::DataFilePath(kSimDataFolder, name)).value_or("");
      EXPECT_TRUE(content == old.at(name) || content == merged.at(name))
          << name << " after a crash at change " << changes << ":\n"
          << content;
    }
  }
}

}  // namespace
}  // namespace update
