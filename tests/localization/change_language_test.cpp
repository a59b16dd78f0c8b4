#include <gtest/gtest.h>

#include "localization/cls_languages.h"
#include "localization/default_messages.h"
#include "platform/sim/sim_machine.h"
#include "ui/design.h"
#include "ui/headless_host.h"
#include "ui/ui.h"

namespace localization {
namespace {

// A window with one control of each kind that translation knows, and a text box it leaves alone.
class frmSample : public ui::Form {
 public:
  explicit frmSample(ui::Host& host)
      : ui::Form(host, ui::DialogForm("frmSample", "Sample", 6000, 4000)),
        lblName(*this, ui::At("lblName", "Name:", 0, 0, 1000, 255)),
        cmdGo(*this, ui::At("cmdGo", "Go", 0, 0, 1000, 375)),
        fraBox(*this, ui::At("fraBox", "Box", 0, 0, 3000, 2000)),
        chkLoud(fraBox, ui::At("chkLoud", "Loud", 0, 0, 1000, 255)),
        optAlone(*this, ui::At("optAlone", "Alone", 0, 0, 1000, 255)),
        tabPages(*this, ui::At("tabPages", "", 0, 0, 3000, 2000)),
        lvwRows(*this, ui::At("lvwRows", "", 0, 0, 3000, 2000)),
        txtFree(*this, ui::At("txtFree", "typed", 0, 0, 1000, 315)),
        mnuFile(*this, ui::At("mnuFile", "File", 0, 0, 0, 0), {"Open", "-", "Exit"}) {
    for (const char* caption : {"One", "Two", "Three"}) tabPages.AddTab(caption);
    optChoice.Add(*this, ui::At("", "First", 0, 0, 1000, 255));
    optChoice.Add(*this, ui::At("", "Second", 0, 0, 1000, 255));
    lvwRows.AddColumn("Item", 1000);
    lvwRows.AddColumn("Detail", 1000);
    txtFree.SetText("typed");
  }

  ui::Label lblName;
  ui::CommandButton cmdGo;
  ui::Frame fraBox;
  ui::CheckBox chkLoud;
  ui::OptionButton optAlone;
  ui::TabStrip tabPages;
  ui::ListView lvwRows;
  ui::TextBox txtFree;
  ui::Menu mnuFile;
  ui::ControlArray<ui::OptionButton> optChoice{"optChoice"};
};

std::string Group(const std::string& name, const std::string& items) {
  return "<LANGUAGE_GROUP>\r\n\t<LANGUAGE_NAME>" + name + "</LANGUAGE_NAME>\r\n" +
         "\t<TRANSLATION_ITEMS>\r\n" + items + "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
}

// English names only some of the window's captions; German all of them (as UTF-8).
const std::string kFile =
    "<XML_DIZ_INFO>\r\n" +
    Group("English",
          "\t\t<FRMSAMPLE_LBLNAME>Name:</FRMSAMPLE_LBLNAME>\r\n"
          "\t\t<FRMSAMPLE_CMDGO>Go</FRMSAMPLE_CMDGO>\r\n"
          "\t\t<FRMSAMPLE_TABPAGES_TABS2>Two</FRMSAMPLE_TABPAGES_TABS2>\r\n"
          "\t\t<MSG_STOP>Are you sure you want to stop the scan?</MSG_STOP>\r\n") +
    Group("German",
          "\t\t<FRMSAMPLE_LBLNAME>Name:</FRMSAMPLE_LBLNAME>\r\n"
          "\t\t<FRMSAMPLE_CMDGO>Los</FRMSAMPLE_CMDGO>\r\n"
          "\t\t<FRMSAMPLE_FRABOX>Kasten</FRMSAMPLE_FRABOX>\r\n"
          "\t\t<FRMSAMPLE_CHKLOUD>Laut</FRMSAMPLE_CHKLOUD>\r\n"
          "\t\t<FRMSAMPLE_OPTALONE>Allein</FRMSAMPLE_OPTALONE>\r\n"
          "\t\t<FRMSAMPLE_OPTCHOICE0>Erste</FRMSAMPLE_OPTCHOICE0>\r\n"
          "\t\t<FRMSAMPLE_OPTCHOICE1>Zweite</FRMSAMPLE_OPTCHOICE1>\r\n"
          "\t\t<FRMSAMPLE_TABPAGES_TABS1>Eins</FRMSAMPLE_TABPAGES_TABS1>\r\n"
          "\t\t<FRMSAMPLE_TABPAGES_TABS2>Zwei</FRMSAMPLE_TABPAGES_TABS2>\r\n"
          "\t\t<FRMSAMPLE_TABPAGES_TABS3>Drei</FRMSAMPLE_TABPAGES_TABS3>\r\n"
          "\t\t<FRMSAMPLE_TABPAGES_TABS4>Vier</FRMSAMPLE_TABPAGES_TABS4>\r\n"
          "\t\t<FRMSAMPLE_LVWROWS_COL1>Eintrag</FRMSAMPLE_LVWROWS_COL1>\r\n"
          "\t\t<FRMSAMPLE_LVWROWS_COL2></FRMSAMPLE_LVWROWS_COL2>\r\n"
          "\t\t<FRMSAMPLE_TXTFREE>getippt</FRMSAMPLE_TXTFREE>\r\n"
          "\t\t<FRMSAMPLE_MNUFILE0>Datei</FRMSAMPLE_MNUFILE0>\r\n"
          "\t\t<FRMSAMPLE_MNUFILEITEM0>\xC3\x96" "ffnen</FRMSAMPLE_MNUFILEITEM0>\r\n"
          "\t\t<FRMSAMPLE_MNUFILEITEM2>Beenden</FRMSAMPLE_MNUFILEITEM2>\r\n"
          "\t\t<MSG_STOP>Pr\xC3\xBC" "fung abbrechen?</MSG_STOP>\r\n") +
    "</XML_DIZ_INFO>\r\n";

class ChangeLanguageTest : public ::testing::Test {
 protected:
  ChangeLanguageTest() {
    sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt", kFile);
    LoadDefaultMessages(languages);
  }
  // Every caption of the window on one line.
  std::string Captions() {
    std::string text = window.lblName.Caption() + "|" + window.cmdGo.Caption() + "|" +
                       window.fraBox.Caption() + "|" + window.chkLoud.Caption() + "|" +
                       window.optAlone.Caption() + "|" + window.optChoice(0).Caption() + "|" +
                       window.optChoice(1).Caption() + "|";
    for (int tab = 1; tab <= window.tabPages.TabCount(); ++tab) {
      text += window.tabPages.TabCaption(tab) + ",";
    }
    text += "|" + window.lvwRows.Column(0).text + "," + window.lvwRows.Column(1).text + "|" +
            window.txtFree.Text() + "|" + window.mnuFile.Caption() + ":";
    for (int item = 0; item < window.mnuFile.ItemCount(); ++item) {
      text += window.mnuFile.Item(item).caption + ",";
    }
    return text + "|" + languages.getMessages("MSG_STOP");
  }

  platform::sim::SimMachine sim;
  ui::HeadlessHost host;
  clsLanguages languages{sim.machine};
  frmSample window{host};
};

constexpr const char* kDesign =
    "Name:|Go|Box|Loud|Alone|First|Second|One,Two,Three,|Item,Detail|typed|File:Open,-,Exit,|"
    "Are you sure you want to stop the scan?";
constexpr const char* kGerman =
    "Name:|Los|Kasten|Laut|Alone|Erste|Zweite|Eins,Zwei,Drei,|Eintrag,Detail|typed|"
    "Datei:\xD6" "ffnen,-,Beenden,|Pr\xFC" "fung abbrechen?";

TEST_F(ChangeLanguageTest, TranslatesEveryKindOfControlAndTheMessages) {
  languages.ChangeLanguage(window, "German");
  // The option button outside an array has no key; the text box is no caption; an empty item
  // and a missing one (the separator) leave the caption alone; a fourth tab item finds no tab.
  EXPECT_EQ(Captions(), kGerman);
  EXPECT_EQ(window.tabPages.TabCount(), 3);
}

TEST_F(ChangeLanguageTest, TranslatingTwiceGivesTheSameCaptions) {
  languages.ChangeLanguage(window, "German");
  languages.ChangeLanguage(window, "German");
  EXPECT_EQ(Captions(), kGerman);
  languages.ChangeLanguageMDI(window, "german");
  EXPECT_EQ(Captions(), kGerman);
}

TEST_F(ChangeLanguageTest, ALanguageTheFileLacksTranslatesIntoEnglish) {
  languages.ChangeLanguage(window, "German");
  languages.ChangeLanguage(window, "Klingon");
  EXPECT_EQ(languages.LoadedLanguage(), "English");
  // English restores what its group holds; the rest keeps the German text.
  EXPECT_EQ(Captions(),
            "Name:|Go|Kasten|Laut|Alone|Erste|Zweite|Eins,Two,Drei,|Eintrag,Detail|typed|"
            "Datei:\xD6" "ffnen,-,Beenden,|Are you sure you want to stop the scan?");
}

TEST_F(ChangeLanguageTest, WithoutALanguageFileNothingChanges) {
  sim.files.DeleteFile(languages.LanguageFilePath());
  languages.ChangeLanguage(window, "German");
  EXPECT_EQ(Captions(), kDesign);
}

TEST_F(ChangeLanguageTest, ThreeTabsReadTheirOwnThreeKeys) {
  sim.files.AddFile(languages.LanguageFilePath(),
                    Group("Tabs",
                          "\t\t<FRMSAMPLE_TABPAGES_TABS3>c</FRMSAMPLE_TABPAGES_TABS3>\r\n"
                          "\t\t<FRMSAMPLE_TABPAGES_TABS1>a</FRMSAMPLE_TABPAGES_TABS1>\r\n"
                          "\t\t<FRMSAMPLE_TABPAGES_TABS0>x</FRMSAMPLE_TABPAGES_TABS0>\r\n"
                          "\t\t<FRMSAMPLE_TABPAGES_TABS2>b</FRMSAMPLE_TABPAGES_TABS2>\r\n"
                          "\t\t<FRMSAMPLE_TABPAGES>y</FRMSAMPLE_TABPAGES>\r\n"));
  languages.ChangeLanguage(window, "Tabs");
  EXPECT_EQ(window.tabPages.TabCaption(1), "A");
  EXPECT_EQ(window.tabPages.TabCaption(2), "B");
  EXPECT_EQ(window.tabPages.TabCaption(3), "C");
}

}  // namespace
}  // namespace localization
