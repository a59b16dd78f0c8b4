#include "localization/cls_languages.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "localization/default_messages.h"
#include "platform/sim/sim_machine.h"

namespace localization {
namespace {

constexpr const char* kTwoLanguages =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<XML_DIZ_INFO>\r\n"
    "<LANGUAGE_GROUP xml:lang=\"en\">\r\n"
    "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>\r\n"
    "\t<TRANSLATION_ITEMS>\r\n"
    "\t\t<MSG_STOP>Stop the scan now?</MSG_STOP>\r\n"
    "\t\t<FRMMAIN_CMDSCAN>Scan</FRMMAIN_CMDSCAN>\r\n"
    "\t</TRANSLATION_ITEMS>\r\n"
    "</LANGUAGE_GROUP>\r\n"
    "<language_group xml:lang=\"de\">\r\n"
    "\t<Language_Name>Deutsch</Language_Name>\r\n"
    "\t<translation_items>\r\n"
    "\t\t<msg_stop>soll die Suche enden?</msg_stop>\r\n"
    "\t\t<MSG_BRAND>willkommen bei [programname] von [COMPANYNAME], [Website]. "
    "[Company]</MSG_BRAND>\r\n"
    "\t\t<MSG_CONFIRM4>Start > Programme > Zubeh\xC3\xB6r</MSG_CONFIRM4>\r\n"
    "\t\t<MSG_OPEN>no closing tag\r\n"
    "\t</translation_items>\r\n"
    "</language_group>\r\n"
    "</XML_DIZ_INFO>\r\n";

class LanguagesTest : public ::testing::Test {
 protected:
  LanguagesTest() {
    languages.SetBranding("Quillmoor AntiSpyware", "Quillmoor Software", "YourWebsite.com");
  }
  void WriteLanguageFile(const std::string& utf8) {
    sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt", utf8);
  }

  platform::sim::SimMachine sim;
  clsLanguages languages{sim.machine};
};

TEST_F(LanguagesTest, DefaultsFillTheCatalogueInOrderAndEveryKeyYieldsItsText) {
  LoadDefaultMessages(languages);
  const MessageSlots& table = languages.MessageTable();
  EXPECT_EQ(table[0].name, "MSG_THANK1");
  EXPECT_EQ(table[36].name, "MSG_MISSINGFILES");
  EXPECT_EQ(table[64].name, "MSG_COMPLETE");
  EXPECT_EQ(table[65].name, "MSG_HOMEPAGE_LOCKED");
  EXPECT_EQ(table[67].name, "MSG_DOWNLOADED");
  EXPECT_EQ(table[69].name, "MSG_UPDATE_OVERDUE");
  EXPECT_EQ(table[70].name, "MSG_TITLERESTORE");
  EXPECT_EQ(table[85].name, "MSG_PURGE_FAILED");
  EXPECT_FALSE(table[86].inUse);
  for (const DefaultMessage& message : kDefaultMessages) {
    EXPECT_EQ(languages.getMessages(message.key), common::UpperFirst(message.text)) << message.key;
  }
  EXPECT_EQ(languages.getMessages("msg_stop"), "Are you sure you want to stop the scan?");
  EXPECT_EQ(languages.getMessages("MSG_COMPLETE"), "Complete");
  EXPECT_EQ(languages.getMessages("MSG_NOTSELECED"), "Not Selected");
  EXPECT_EQ(languages.getMessages("MSG_NOTSELECTED"), "");
  // Without a language file a default keeps its placeholders, and "[Company]" is none anyway.
  EXPECT_EQ(languages.getMessages("MSG_CAPTION"), "[ProgramName] by [Company]");
}

TEST_F(LanguagesTest, CatalogueHoldsTwoHundredAndOneMessagesAndTheFirstOfAKeyWins) {
  languages.setMessage("MSG_A", "first");
  languages.setMessage("msg_a", "second");
  for (int i = 2; i < kMessageTableSize; ++i) languages.setMessage("MSG_" + std::to_string(i), "m");
  languages.setMessage("MSG_LATE", "ignored");
  EXPECT_EQ(languages.getMessages("MSG_A"), "First");
  EXPECT_EQ(languages.getMessages("MSG_200"), "M");
  EXPECT_EQ(languages.getMessages("MSG_LATE"), "");
  EXPECT_EQ(languages.MessageTable().back().name, "MSG_200");

  languages.ReplaceMessage(0, "translated");
  languages.ReplaceMessage(kMessageTableSize, "outside");
  EXPECT_EQ(languages.getMessages("MSG_A"), "Translated");
}

TEST_F(LanguagesTest, ItemsComeOnlyFromTheCurrentLanguagesGroup) {
  WriteLanguageFile(kTwoLanguages);
  languages.LoadLanguage("DEUTSCH");
  EXPECT_EQ(languages.LoadedLanguage(), "DEUTSCH");
  EXPECT_EQ(languages.TranslateKey("MSG_STOP"), "Soll die Suche enden?");
  EXPECT_EQ(languages.TranslateKey("FRMMAIN_CMDSCAN"), "") << "only the English group has it";
  languages.LoadLanguage("English");
  EXPECT_EQ(languages.TranslateKey("msg_stop"), "Stop the scan now?");
  EXPECT_EQ(languages.TranslateKey("FRMMAIN_CMDSCAN"), "Scan");
  EXPECT_EQ(languages.TranslateKey("MSG_BRAND"), "");
}

TEST_F(LanguagesTest, BrandPlaceholdersAreReplacedInAnyCaseButCompanyIsNoPlaceholder) {
  WriteLanguageFile(kTwoLanguages);
  languages.LoadLanguage("Deutsch");
  EXPECT_EQ(languages.TranslateKey("MSG_BRAND"),
            "Willkommen bei Quillmoor AntiSpyware von Quillmoor Software, YourWebsite.com. "
            "[Company]");
  EXPECT_EQ(languages.TranslateKey("MSG_CONFIRM4"), "Start > Programme > Zubeh\xF6r");
  EXPECT_EQ(languages.TranslateKey("MSG_OPEN"), "");
  EXPECT_EQ(languages.TranslateKey("MSG_MISSING"), "");
}

TEST_F(LanguagesTest, WithoutAFileTheItemsStayAndAMissingLanguageLeavesNone) {
  WriteLanguageFile(kTwoLanguages);
  languages.LoadLanguage("Deutsch");
  sim.files.DeleteFile(sim.system.ProgramFolder() + "\\Localization.txt");
  languages.LoadLanguage("English");
  EXPECT_EQ(languages.LoadedLanguage(), "English");
  EXPECT_EQ(languages.TranslateKey("MSG_STOP"), "Soll die Suche enden?");

  WriteLanguageFile(kTwoLanguages);
  languages.LoadLanguage("Klingon");
  EXPECT_TRUE(languages.TranslationItems().empty());
  EXPECT_EQ(languages.TranslateKey("MSG_STOP"), "");
}

TEST_F(LanguagesTest, FilesFromElsewhereStillRead) {
  // A byte-order mark, LF line ends, and a last group cut off before its closing tag.
  WriteLanguageFile(
      "\xEF\xBB\xBF<LANGUAGE_GROUP>\n<LANGUAGE_NAME>Fran\xC3\xA7"
      "ais</LANGUAGE_NAME>\n"
      "<TRANSLATION_ITEMS>\n\t\t<MSG_STOP>arr\xC3\xAAter ?</MSG_STOP>\n</TRANSLATION_ITEMS>\n"
      "</LANGUAGE_GROUP>\n<LANGUAGE_GROUP><LANGUAGE_NAME>Cut</LANGUAGE_NAME><TRANSLATION_ITEMS>\n"
      "<MSG_STOP>cut</MSG_STOP>\n");
  languages.LoadLanguage(
      "fran\xE7"
      "ais");
  EXPECT_EQ(languages.TranslateKey("MSG_STOP"), "Arr\xEAter ?");
  languages.LoadLanguage("Cut");
  EXPECT_TRUE(languages.TranslationItems().empty()) << "its items are never closed either";
  languages.LoadLanguage("Nowhere");
  EXPECT_TRUE(languages.TranslationItems().empty());
}

TEST_F(LanguagesTest, LanguageFileTestFindsHiddenAndSystemFilesButNotPatterns) {
  const std::string folder = sim.system.ProgramFolder();
  EXPECT_FALSE(languages.LangFileExists(folder + "\\Localization.txt"));
  sim.files.AddFile(folder + "\\Localization.txt", "",
                    platform::kAttrHidden | platform::kAttrSystem);
  EXPECT_TRUE(languages.LangFileExists(folder + "\\LOCALIZATION.TXT"));
  EXPECT_FALSE(languages.LangFileExists(folder + "\\Local*.txt"));
  EXPECT_FALSE(languages.LangFileExists(folder));
  EXPECT_EQ(clsLanguages::LangTrimPath("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(clsLanguages::LangTrimPath("b.txt"), "b.txt");
  EXPECT_TRUE(languages.ListLanguages().empty());
}

}  // namespace
}  // namespace localization
