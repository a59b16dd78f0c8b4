#include "fake_client.h"
#include "scenario.h"

namespace defserver::testing {
namespace {

using Files = std::map<std::string, std::vector<std::string>>;
using Lines = std::vector<std::string>;

class DifferenceTest : public Scenario {};

TEST_F(DifferenceTest, AnEntrySeenOnlyAfterTheClientsDateIsNotSent) {
  Publish("2006-03-16 00:00:00", {{Kind::kFile, {"a.exe=A|[x]", "b.dll=B|[y]"}}});
  Publish("2006-04-01 10:00:30", {{Kind::kFile, {"a.exe=A|[x]", "c.dll=C|[z]"}}});
  Publish("2006-05-01 00:00:00", {{Kind::kFile, {"a.exe=A|[x]", "b.dll=B|[y]"}}});

  // c.dll came and went after the client's date; b.dll went and came back.
  EXPECT_EQ(Dump("3/16/2006"), "");
  // In the gap the client holds c.dll and lacks b.dll.
  EXPECT_EQ(Dump("4/1/2006 10:00:30 AM"), "DEL EXE c.dll\nADD FILE b.dll=B|[y]\n");
  EXPECT_EQ(Dump("15.04.2006 08:00:00"), "DEL EXE c.dll\nADD FILE b.dll=B|[y]\n");
  // Without seconds the client may or may not have the publish of 10:00:30: it gets the
  // deletion of what it could have and the entry it could lack.
  EXPECT_EQ(Dump("4/1/2006 10:00 AM"), "DEL EXE c.dll\nADD FILE b.dll=B|[y]\n");
  EXPECT_EQ(Dump("4/1/2006 9:59 AM"), "");
  // Before everything: the whole current set; at or after the newest: nothing.
  EXPECT_EQ(Dump("2006-03-01"), "ADD FILE a.exe=A|[x]\nADD FILE b.dll=B|[y]\n");
  EXPECT_EQ(Dump("5/1/2006"), "");
  EXPECT_EQ(Dump("1/1/2030"), "");
}

TEST_F(DifferenceTest, AReplacedEntryIsAddedAndTheOldOneKept) {
  Publish("2006-03-16 00:00:00", {{Kind::kFile, {"a.exe=Old|[x]"}}});
  Publish("2006-04-01 00:00:00", {{Kind::kFile, {"a.exe=New|[y]"}}});
  // Deleting a.exe in the same update would also delete the new line the update adds.
  EXPECT_EQ(Dump("3/16/2006"), "ADD FILE a.exe=New|[y]\n");
}

TEST_F(DifferenceTest, ExecutablesAreDeletedOnlyWhenNoFileEntryOfTheirNameRemains) {
  Publish("2006-03-16 00:00:00",
          {{Kind::kFile, {"tool.exe=T|[x]|t", "gone.exe=G|[x]|t"}},
           {Kind::kExecutable, {"tool.exe=T|[x]", "gone.exe=G|[x]", "only.exe=O|[x]"}}});
  Publish("2006-04-01 00:00:00", {{Kind::kFile, {"tool.exe=T|[x]|t"}}});
  // tool.exe stays a file definition, so the client keeps its stale executable line rather
  // than lose the file line; a deletion of an executable clears both of the client's files.
  EXPECT_EQ(Dump("3/16/2006"), "DEL EXE gone.exe\nDEL EXE only.exe\n");
  // Once the file entry goes too, the deletion clears the stale executable line as well.
  Publish("2006-05-01 00:00:00", {});
  EXPECT_EQ(Dump("4/1/2006"), "DEL EXE tool.exe\n");
}

// The client's own merge of the encoded update must leave exactly the new definitions in its
// files, for every kind, for additions and for deletions of what an update added before.
TEST_F(DifferenceTest, TheClientMergesTheUpdateIntoTheNewDefinitions) {
  const DefinitionSet starter = {
      {Kind::kFile, {"demo.exe=Demo|[progfil]Demo|Adware"}},
      {Kind::kExecutable, {"demo.exe=Demo|[progfil]Demo"}},
      {Kind::kRegistry, {"1^Software\\Demo^=Demo|Settings"}},
      {Kind::kCookie, {"demo.example"}},
      {Kind::kDirectory, {"Demo=Demo|[progfil]Demo|Folder"}},
      {Kind::kSafety, {"SDIR|Windows=Windows folder|[windir]"}},
  };
  Publish("2006-03-16 00:00:00", starter);
  FakeClient client;
  client.Install({{"FileDefinition.dat", starter.at(Kind::kFile)},
                  {"ExeDefinition.dat", starter.at(Kind::kExecutable)},
                  {"RegistryDefinition.dat", starter.at(Kind::kRegistry)},
                  {"BlockedCookies.dat", starter.at(Kind::kCookie)},
                  {"DirectoryDefinition.dat", starter.at(Kind::kDirectory)},
                  {"Safety.dat", starter.at(Kind::kSafety)}});

  Publish(
      "2006-04-01 00:00:00",
      {{Kind::kFile, {"new.dll=New|[system]|Helper"}},
       {Kind::kExecutable, {"new.exe=New|[progfil]New"}},
       {Kind::kRegistry, {"2^Software\\New^Run=New|Start-up", "1^Software\\Key^a=b=Eq|Value"}},
       {Kind::kCookie, {"new.example"}},
       {Kind::kDirectory, {"New=New|[appdata]New|Folder"}},
       {Kind::kSafety, {"SDIR|Windows=Windows folder|[windir]", "SFILE|hosts=Hosts|[system]h"}}});
  EXPECT_EQ(client.Merge(UpdateSince("3/16/2006 12:00:00 AM")), 13);

  EXPECT_EQ(client.Lines("FileDefinition.dat"),
            (Lines{"new.dll=New|[system]|Helper", "new.exe=New|[progfil]New"}));
  EXPECT_EQ(client.Lines("ExeDefinition.dat"), (Lines{"new.exe=New|[progfil]New"}));
  // A definition with a value name gains an empty "^" field; the fields read the same.
  EXPECT_EQ(client.Lines("RegistryDefinition.dat"),
            (Lines{"2^Software\\New^Run^=New|Start-up", "1^Software\\Key^a=b^=Eq|Value"}));
  EXPECT_EQ(client.Lines("BlockedCookies.dat"), (Lines{"new.example"}));
  EXPECT_EQ(client.Lines("DirectoryDefinition.dat"), (Lines{"New=New|[appdata]New|Folder"}));
  EXPECT_EQ(client.Lines("Safety.dat"),
            (Lines{"SDIR|Windows=Windows folder|[windir]", "SFILE|hosts=Hosts|[system]h"}));

  // Now the entries the update added go again, in the form the update wrote them.
  Publish("2006-05-01 00:00:00", {{Kind::kSafety, {"SDIR|Windows=Windows folder|[windir]"}}});
  EXPECT_EQ(client.Merge(UpdateSince("4/1/2006")), 6);
  for (const char* file : {"FileDefinition.dat", "ExeDefinition.dat", "RegistryDefinition.dat",
                           "BlockedCookies.dat", "DirectoryDefinition.dat"}) {
    EXPECT_EQ(client.Lines(file), Lines{}) << file;
  }
  EXPECT_EQ(client.Lines("Safety.dat"), (Lines{"SDIR|Windows=Windows folder|[windir]"}));
}

}  // namespace
}  // namespace defserver::testing
