#include <gtest/gtest.h>

#include "definition_folder.h"
#include "entry_rules.h"
#include "update_records.h"

namespace defserver {
namespace {

TEST(EntryRulesTest, EntriesThatCannotSurviveTheTripAreRefused) {
  const struct {
    Kind kind;
    std::string text;
  } refused[] = {
      {Kind::kFile, "a.exe=A|\t[x]"},                   // a control character
      {Kind::kFile, "a<b.exe=A|[x]"},                   // stored as the record separator "|"
      {Kind::kFile, "a\xFC.exe=A|[x]"},                 // stored as "="
      {Kind::kFile, "stra\xDF=A|[x]"},                  // stored as a blank, trimmed off
      {Kind::kFile, "a\xBF.exe=A|[x]"},                 // no stored form
      {Kind::kFile, "=A|[x]"},                          // no key
      {Kind::kFile, std::string(1025, 'a')},            // too long
      {Kind::kRegistry, "1^Software\\Demo|Type"},       // no threat name
      {Kind::kSafety, "Windows=Windows|[windir]"},      // no type word
      {Kind::kSafety, "DIR|Windows=Windows|[windir]"},  // a type word the client files elsewhere
  };
  for (const auto& entry : refused) {
    EXPECT_TRUE(EntryProblem(entry.kind, entry.text)) << entry.text;
  }
  EXPECT_FALSE(EntryProblem(Kind::kFile, "caf\xE9.exe=A|[x]|T"));
  EXPECT_FALSE(EntryProblem(Kind::kRegistry, "1^Software\\Demo^a=b=Threat|Type"));
}

TEST(EntryRulesTest, TheStarterDefinitionsArePublishable) {
  DefinitionSet set;
  std::vector<std::string> errors;
  ASSERT_TRUE(ReadDefinitionFolder(DEFSERVER_DATA_DIR "/definitions", &set, &errors))
      << ::testing::PrintToString(errors);
  EXPECT_EQ(set.at(Kind::kFile).front(),
            "demoadware.exe=Demo Adware|[progfil]Demo Adware|Adware program");
  for (Kind kind : kAllKinds) EXPECT_FALSE(set.at(kind).empty()) << KindName(kind);
}

TEST(EntryRulesTest, KeysAreTheTextBeforeTheFirstEqualsInTheClientsLowerCase) {
  EXPECT_EQ(ClientKeys(Kind::kFile, "DemoAdware.EXE=Demo|[x]"),
            std::vector<std::string>{"demoadware.exe"});
  EXPECT_EQ(ClientKeys(Kind::kCookie, "Ads.Example"), std::vector<std::string>{"ads.example"});
  EXPECT_EQ(ClientKeys(Kind::kSafety, "SDIR|Windows=W|[windir]"),
            std::vector<std::string>{"sdir|windows"});
  EXPECT_EQ(LowerAnsi("\xC4\xD7\xDE\x8A"), "\xE4\xD7\xFE\x9A");
  // A registry line for the key itself comes out of an update as written; one for a value
  // gains a "^", so the client may hold it under either key.
  EXPECT_EQ(ClientKeys(Kind::kRegistry, "1^Software\\Demo^=Demo|T"),
            std::vector<std::string>{"1^software\\demo^"});
  EXPECT_EQ(ClientKeys(Kind::kRegistry, "1^Software\\Run^Demo=Demo|T"),
            (std::vector<std::string>{"1^software\\run^demo", "1^software\\run^demo^"}));
  EXPECT_EQ(AddedLine(Kind::kRegistry, "1^Software\\Run^Demo=Demo"), "1^Software\\Run^Demo^=Demo|");
}

// The exact bytes: every plain code p below 192 is sent as p + 64, "|" and "=" of added file
// entries stay plain, and each record ends in "[BR]".
TEST(UpdateRecordsTest, RecordsAreSentInTheClientsEncoding) {
  EXPECT_EQ(EncodeRecord(AddRecord(Kind::kFile, "a=b|c")),
            "\x86\x89\x8C\x85|ADD[DEF]\xA1=\xA2|\xA3[BR]");
  EXPECT_EQ(EncodeRecord(AddRecord(Kind::kExecutable, "a=b")),
            "\x85\x98\x85|ADD[DEF]\xA1=\xA2[BR]");
  EXPECT_EQ(EncodeRecord(AddRecord(Kind::kDirectory, "a=b|c")),
            "\x84\x89\x92|ADD[DEF]\xA1=\xA2|\xA3[BR]");
  // Cookies are written as received: "=" and "|" go scrambled.
  EXPECT_EQ(EncodeRecord(AddRecord(Kind::kCookie, "a=b")),
            "\x83\x8F\x8F\x8B|ADD[DEF]\xA1\x7D\xA2[BR]");
  // The type word comes from the entry; the client writes it and its "|" itself.
  EXPECT_EQ(EncodeRecord(AddRecord(Kind::kSafety, "SDIR|a=b|c")),
            "\x93\x84\x89\x92|ADD[DEF]\xA1=\xA2|\xA3[BR]");
  // name=threat|location|extra, all scrambled; "1^k^=t|x" is sent with location "1^k".
  EXPECT_EQ(EncodeRecord(AddRecord(Kind::kRegistry, "1^k^=t|x")),
            "\x92\x85\x87|ADD[DEF]\x71\x9E\xAB\x9E=\xB4|\x71\x9E\xAB|\xB8[BR]");
  // A deletion sends the key alone, scrambled whole.
  EXPECT_EQ(EncodeRecord(DeleteRecord(Kind::kSafety, "sdir|a", "SDIR|a=b")),
            "\x93\x84\x89\x92|DEL[DEF]\xB3\xA4\xA9\xB2\xBC\xA1[BR]");
  EXPECT_EQ(EncodeUpdate({DeleteRecord(Kind::kCookie, "a", ""), AddRecord(Kind::kCookie, "b")}),
            "\x83\x8F\x8F\x8B|DEL[DEF]\xA1[BR]\x83\x8F\x8F\x8B|ADD[DEF]\xA2[BR]");
}

}  // namespace
}  // namespace defserver
