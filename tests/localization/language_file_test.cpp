#include "localization/language_file.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "localization/cls_languages.h"
#include "platform/sim/sim_machine.h"
#include "ui/headless_host.h"
#include "ui/ui.h"

namespace localization {
namespace {

ui::ControlArgs Args(std::string name, std::string caption = {}, int index = -1) {
  ui::ControlArgs args;
  args.name = std::move(name);
  args.caption = std::move(caption);
  args.index = index;
  return args;
}

ui::FormArgs WindowDesign(std::string name) {
  ui::FormArgs args;
  args.name = std::move(name);
  args.caption = "Window caption is not written";
  return args;
}

// A window with a control of every kind the language file knows, and some it does not.
class frmSample : public ui::Form {
 public:
  explicit frmSample(ui::Host& host) : ui::Form(host, WindowDesign("frmSample")) {
    tabs.AddTab("First");
    tabs.AddTab("Second");
    tabs.AddTab("Third");
    list.AddColumn("Name", 1000);
    list.AddColumn("Where", 1000);
    optChoice.Add(fraGroup, Args("", "Choice zero", 0));
    optChoice.Add(fraGroup, Args("", "Choice one", 1));
    text.SetText("typed");
  }
  ui::Label lblTitle{*this, Args("lblTitle", "Title & more")};
  ui::CommandButton cmdGo{*this, Args("cmdGo", "Go")};
  ui::Frame fraGroup{*this, Args("fraGroup", "Group")};
  ui::CheckBox chkOption{fraGroup, Args("chkOption", "Option")};
  ui::OptionButton optAlone{fraGroup, Args("optAlone", "Not in an array")};
  ui::ControlArray<ui::OptionButton> optChoice{"optChoice"};
  ui::TabStrip tabs{*this, Args("TabStrip1")};
  ui::ListView list{*this, Args("lvwList")};
  ui::TextBox text{*this, Args("txtName")};
  ui::Timer tmrTick{*this, Args("tmrTick"), 100, false};
  ui::Menu mnuFile{*this, Args("mnuFile", "File"), {"Open", "-", "Exit"}};
};

class frmEmpty : public ui::Form {
 public:
  explicit frmEmpty(ui::Host& host) : ui::Form(host, WindowDesign("frmEmpty")) {}
};

class LanguageFileTest : public ::testing::Test {
 protected:
  std::string Written() {
    return *sim.files.FileContent(sim.system.ProgramFolder() + "\\Localization.txt");
  }

  platform::sim::SimMachine sim;
  ui::HeadlessHost host;
  clsLanguages languages{sim.machine};
  frmSample sample{host};
  frmEmpty empty{host};
};

TEST_F(LanguageFileTest, WritesTheLayoutWithEveryCaptionAndMessage) {
  languages.setMessage("MSG_STOP", "Are you sure you want to stop the scan?");
  languages.setMessage("msg_brand", "[ProgramName] by [Company]");
  LoadAllWindows({&sample, &empty});
  EXPECT_TRUE(sample.IsLoaded());
  sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt", "old");
  ASSERT_TRUE(languages.makeLocalizationFile({&sample, &empty}));
  test_support::ExpectMatchesSourceFile("tests/localization/golden/language_file.txt", Written());
}

TEST_F(LanguageFileTest, WrittenFileReadsBackIncludingTextBeyondAscii) {
  sample.cmdGo.SetCaption("Los \xE0 caf\xE9");
  languages.setMessage("MSG_STOP", "Stop [ProgramName]?");
  languages.SetBranding("Quillmoor AntiSpyware", "Quillmoor Software", "YourWebsite.com");
  ASSERT_TRUE(languages.makeLocalizationFile({&sample}));
  EXPECT_NE(Written().find("<FRMSAMPLE_CMDGO>Los \xC3\xA0 caf\xC3\xA9</FRMSAMPLE_CMDGO>"),
            std::string::npos);
  languages.LoadLanguage("english");
  EXPECT_EQ(languages.TranslateKey("frmSample_cmdGo"), "Los \xE0 caf\xE9");
  EXPECT_EQ(languages.TranslateKey("FRMSAMPLE_TABSTRIP1_TABS3"), "Third");
  EXPECT_EQ(languages.TranslateKey("FRMSAMPLE_OPTCHOICE1"), "Choice one");
  EXPECT_EQ(languages.TranslateKey("MSG_STOP"), "Stop Quillmoor AntiSpyware?");
}

TEST_F(LanguageFileTest, AFileThatCannotBeReplacedIsReported) {
  sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt", "kept",
                    platform::kAttrReadOnly);
  EXPECT_FALSE(languages.makeLocalizationFile({&sample}));
  EXPECT_EQ(Written(), "kept");
}

}  // namespace
}  // namespace localization
