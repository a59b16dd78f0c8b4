#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "common/text.h"
#include "golden.h"
#include "localization/cls_languages.h"
#include "localization/default_messages.h"
#include "localization/language_file.h"
#include "platform/sim/sim_machine.h"
#include "ui/headless_host.h"

namespace localization {
namespace {

constexpr const char* kShippedFile = "data/Localization.txt";
constexpr const char* kGermanGroupStart = "<LANGUAGE_GROUP xml:lang=\"de\">";
constexpr const char* kFileEnd = "</XML_DIZ_INFO>\r\n";

// The hand-made languages of the shipped file: everything from the German group up to the
// file's closing line.
std::string HandMadeGroups(const std::string& shipped) {
  const std::size_t start = shipped.find(kGermanGroupStart);
  const std::size_t end = shipped.rfind(kFileEnd);
  if (start == std::string::npos || end == std::string::npos || end < start) return {};
  return shipped.substr(start, end - start);
}

// The keys of one language's items, in the file's order.
std::vector<std::string> ItemKeys(const std::vector<std::string>& items) {
  std::vector<std::string> keys;
  for (const std::string& line : items) {
    const std::size_t open = line.find('<');
    const std::size_t close = line.find('>', open);
    if (open == std::string::npos || close == std::string::npos) continue;
    keys.push_back(line.substr(open + 1, close - open - 1));
  }
  return keys;
}

class ShippedLanguageFileTest : public ::testing::Test {
 protected:
  ShippedLanguageFileTest() {
    LoadDefaultMessages(app.languages);
    sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt",
                      test_support::ReadSourceFile(kShippedFile));
    app.languages.SetBranding("Quillmoor AntiSpyware", "Quillmoor Software", "YourWebsite.com");
  }

  platform::sim::SimMachine sim;
  ui::HeadlessHost host;
  app::App app{sim.machine, host};
};

// The English group is what the program writes for all its windows and its catalogue, except
// that the English title bar names the company: the built-in default's "[Company]" is no
// placeholder, "[CompanyName]" is. The other languages follow it as they were made by hand.
TEST_F(ShippedLanguageFileTest, EnglishIsWhatTheProgramWritesForEveryWindow) {
  const std::string shipped = test_support::ReadSourceFile(kShippedFile);
  ASSERT_TRUE(app.makeLocalizationFile());
  std::string text = *sim.files.FileContent(app.languages.LanguageFilePath());

  const std::string written = "<MSG_CAPTION>[ProgramName] by [Company]</MSG_CAPTION>";
  const std::size_t at = text.find(written);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, written.size(), "<MSG_CAPTION>[ProgramName] by [CompanyName]</MSG_CAPTION>");
  ASSERT_TRUE(text.ends_with(kFileEnd));
  text.insert(text.size() - std::string(kFileEnd).size(), HandMadeGroups(shipped));
  test_support::ExpectMatchesSourceFile(kShippedFile, text);
}

TEST_F(ShippedLanguageFileTest, EveryControlOfEveryWindowHasAnEnglishItem) {
  app.languages.LoadLanguage("English");
  const std::vector<std::string> keys = ItemKeys(app.languages.TranslationItems());
  const std::set<std::string> english(keys.begin(), keys.end());
  for (ui::Form* window : app.windows.All(true)) {
    for (const TranslationItem& item : WindowTranslationItems(*window)) {
      EXPECT_TRUE(english.count(item.key)) << item.key << " has no English item";
    }
  }
}

TEST_F(ShippedLanguageFileTest, GermanHoldsEveryEnglishKeyAndNothingElse) {
  EXPECT_EQ(app.languages.LanguageNames(), (std::vector<std::string>{"English", "German"}));
  app.languages.LoadLanguage("English");
  const std::vector<std::string> english = ItemKeys(app.languages.TranslationItems());
  app.languages.LoadLanguage("German");
  const std::vector<std::string> german = ItemKeys(app.languages.TranslationItems());
  EXPECT_EQ(std::set<std::string>(german.begin(), german.end()),
            std::set<std::string>(english.begin(), english.end()));
  EXPECT_EQ(german.size(), english.size());
  // Every English text that says something says it in German too.
  for (const std::string& key : english) {
    app.languages.LoadLanguage("English");
    const bool saysSomething = !app.languages.TranslateKey(key).empty();
    app.languages.LoadLanguage("German");
    if (saysSomething) EXPECT_FALSE(app.languages.TranslateKey(key).empty()) << key;
  }
}

TEST_F(ShippedLanguageFileTest, GermanUmlautsArriveInTheAnsiCodePage) {
  app.languages.LoadLanguage("German");
  EXPECT_EQ(app.languages.TranslateKey("FRMMAIN_CMDSCAN"), "Jetzt pr\xFC" "fen");
  EXPECT_EQ(app.languages.TranslateKey("FRMMAIN_CMDEXCLUDE"), "Ausschlie\xDF" "en");
  EXPECT_EQ(app.languages.TranslateKey("MSG_CAPTION"), "Quillmoor AntiSpyware von Quillmoor Software");
  EXPECT_EQ(app.languages.TranslateKey("MSG_EXC_SURE3"),
            "Die Liste der ausgeschlossenen Dateien k\xF6nnen Sie \xFC" "ber das Men\xFC "
            "\x84Quarant\xE4ne\x93 bearbeiten.");
}

TEST_F(ShippedLanguageFileTest, GivesEveryMessageItsEnglishTextWithTheBrandPutIn) {
  app.languages.LoadLanguage("English");
  EXPECT_EQ(app.languages.TranslateKey("MSG_CAPTION"),
            "Quillmoor AntiSpyware by Quillmoor Software");
  EXPECT_EQ(app.languages.TranslateKey("MSG_WEBSITE"), "Visit YourWebsite.com");
  EXPECT_EQ(app.languages.TranslateKey("FRMMAIN_CMDSCANNOW"), "Start");
  for (const DefaultMessage& message : kDefaultMessages) {
    std::string expected =
        common::ReplaceAll(message.text, "[ProgramName]", "Quillmoor AntiSpyware");
    expected = common::ReplaceAll(expected, "[Website]", "YourWebsite.com");
    if (std::string(message.key) == "MSG_CAPTION") continue;
    EXPECT_EQ(app.languages.TranslateKey(message.key), common::UpperFirst(expected))
        << message.key;
  }
}

}  // namespace
}  // namespace localization
