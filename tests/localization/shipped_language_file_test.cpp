#include <gtest/gtest.h>

#include "app/app.h"
#include "app/frm_main.h"
#include "common/text.h"
#include "golden.h"
#include "localization/cls_languages.h"
#include "localization/default_messages.h"
#include "platform/sim/sim_machine.h"
#include "ui/headless_host.h"

namespace localization {
namespace {

constexpr const char* kShippedFile = "data/Localization.txt";

// The language file the project ships is the one the program writes for its windows and its
// catalogue, except that the English title bar names the company: the built-in default's
// "[Company]" is no placeholder, "[CompanyName]" is.
TEST(ShippedLanguageFileTest, IsWhatTheProgramWritesWithTheCompanyInTheTitle) {
  platform::sim::SimMachine sim;
  ui::HeadlessHost host;
  app::App app{sim.machine, host};
  clsLanguages languages{sim.machine};
  LoadDefaultMessages(languages);
  ASSERT_TRUE(languages.makeLocalizationFile({&app.frmMain()}));
  std::string text = *sim.files.FileContent(languages.LanguageFilePath());

  const std::string written = "<MSG_CAPTION>[ProgramName] by [Company]</MSG_CAPTION>";
  const std::size_t at = text.find(written);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, written.size(), "<MSG_CAPTION>[ProgramName] by [CompanyName]</MSG_CAPTION>");
  test_support::ExpectMatchesSourceFile(kShippedFile, text);
}

TEST(ShippedLanguageFileTest, GivesEveryMessageItsEnglishTextWithTheBrandPutIn) {
  platform::sim::SimMachine sim;
  sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt",
                    test_support::ReadSourceFile(kShippedFile));
  clsLanguages languages{sim.machine};
  languages.SetBranding("Quillmoor AntiSpyware", "Quillmoor Software", "YourWebsite.com");
  languages.LoadLanguage("English");
  EXPECT_EQ(languages.TranslateKey("MSG_CAPTION"), "Quillmoor AntiSpyware by Quillmoor Software");
  EXPECT_EQ(languages.TranslateKey("MSG_WEBSITE"), "Visit YourWebsite.com");
  EXPECT_EQ(languages.TranslateKey("FRMMAIN_CMDSCANNOW"), "Start");
  for (const DefaultMessage& message : kDefaultMessages) {
    std::string expected =
        common::ReplaceAll(message.text, "[ProgramName]", "Quillmoor AntiSpyware");
    expected = common::ReplaceAll(expected, "[Website]", "YourWebsite.com");
    if (std::string(message.key) == "MSG_CAPTION") continue;
    EXPECT_EQ(languages.TranslateKey(message.key), common::UpperFirst(expected)) << message.key;
  }
}

}  // namespace
}  // namespace localization
