#include <string>
#include <vector>

#include "app_fixture.h"
#include "common/text.h"
#include "golden.h"
#include "localization/frm_language.h"
#include "platform/desktop.h"
#include "protection/frm_spyware_found_alert.h"

namespace {

using app_test::AppTest;
using localization::frmLanguage;
using platform::sim::SimHttpRequest;
using platform::sim::SimHttpResponse;

constexpr const char* kServer = "http://127.0.0.1:8080";

class LanguageTest : public AppTest {
 protected:
  LanguageTest() {
    sim.files.AddFile(LanguageFile(), test_support::ReadSourceFile("data/Localization.txt"));
    // The greeting has been seen; the language is still to be chosen.
    sim.registry.PutString(platform::kHkeyLocalMachine,
                           "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings",
                           "FirstTime", "Yes");
  }
  std::string LanguageFile() { return sim.system.ProgramFolder() + "\\Localization.txt"; }
  std::string StoredLanguage() {
    return sim.registry
        .StringValue(platform::kHkeyCurrentUser, std::string(app_test::kUserRoot) + "\\Settings",
                     "Language")
        .value_or("<none>");
  }
  void StoreLanguage(const std::string& language) {
    sim.registry.PutString(platform::kHkeyCurrentUser,
                           std::string(app_test::kUserRoot) + "\\Settings", "Language", language);
  }
  // Picks a language in the Languages window as the user does.
  static void Choose(frmLanguage& window, const std::string& language) {
    for (int i = 0; i < window.Combo1.ListCount(); ++i) {
      if (window.Combo1.List(i) == language) window.Combo1.SetListIndex(i);
    }
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }
};

TEST_F(LanguageTest, TheFirstStartAsksModallyAndTheChoiceTranslatesEveryWindow) {
  std::vector<std::string> offered;
  std::string selected;
  host.OnModal("frmLanguage", [&](ui::Form& form) {
    auto& window = static_cast<frmLanguage&>(form);
    offered = window.Combo1.Entries();
    selected = window.Combo1.Text();
    EXPECT_EQ(window.Caption(), "Languages");
    Choose(window, "German");
    EXPECT_EQ(window.Command2.Caption(), "Schlie\xDF" "en") << "the window translates itself";
    EXPECT_EQ(window.Caption(), "Sprachen");
    window.Command2.Click();
  });
  StartProgram();

  EXPECT_EQ(offered, (std::vector<std::string>{"English", "German"}));
  EXPECT_EQ(selected, "English") << "the first start stores English before it asks";
  EXPECT_EQ(StoredLanguage(), "German");
  auto& main = Main();
  EXPECT_EQ(main.Caption(), "Quillmoor AntiSpyware von Quillmoor Software");
  EXPECT_EQ(main.cmdScan.Caption(), "Jetzt pr\xFC" "fen");
  EXPECT_EQ(main.TabStrip1.TabCaption(3), "Zeitplan");
  EXPECT_EQ(main.mnuFile.Caption(), "Datei");
  EXPECT_EQ(main.mnuFile.Item(8).caption, "Beenden");
  EXPECT_EQ(main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Column(1).text, "Fundort");
  EXPECT_EQ(main.lblStatus(1).Caption(), "Status:");
  EXPECT_EQ(main.lblStatus(0).Caption(), "") << "the status line keeps its empty design text";
  EXPECT_EQ(app.Message("MSG_STOP"), "M\xF6" "chten Sie die Pr\xFC" "fung wirklich abbrechen?");
  // Windows loaded after the choice come up in it.
  EXPECT_EQ(app.windows.frmDelete().Command2.Caption(), "Liste kopieren");
  app.windows.frmSpywareFoundAlert().Load();
  EXPECT_EQ(app.windows.frmSpywareFoundAlert().cmdYes.Caption(), "STOPP");
}

TEST_F(LanguageTest, ALanguageNoLongerInTheFileStartsInEnglish) {
  StoreLanguage("Klingon");
  StartProgram();
  EXPECT_EQ(Main().cmdScan.Caption(), "Scan Now");
  EXPECT_EQ(Main().Caption(), "Quillmoor AntiSpyware by Quillmoor Software");
}

TEST_F(LanguageTest, BackToEnglishFromTheMenuRestoresEveryLoadedWindow) {
  StoreLanguage("German");
  StartProgram();
  auto& main = Main();
  ASSERT_EQ(main.cmdSettings.Caption(), "Einstellungen");
  ASSERT_EQ(app.windows.frmDelete().Command2.Caption(), "Liste kopieren");

  main.lblSoftwareFound.SetCaption("3");  // as a scan leaves it
  main.lbltracesFound.SetCaption("12");
  main.mnuLanuages.ClickItem(0);
  frmLanguage& window = app.windows.frmLanguage();
  ASSERT_TRUE(window.Visible());
  EXPECT_FALSE(window.IsModal()) << "beside the main window, not over it";
  EXPECT_EQ(window.Combo1.Text(), "German");
  Choose(window, "English");

  EXPECT_EQ(StoredLanguage(), "English");
  EXPECT_EQ(main.cmdSettings.Caption(), "Settings");
  EXPECT_EQ(main.mnuQuar.Caption(), "Quarantine");
  EXPECT_EQ(main.Caption(), "Quillmoor AntiSpyware by Quillmoor Software");
  EXPECT_EQ(main.cmdWebsite.Caption(), "Visit YourWebsite.com");
  EXPECT_EQ(main.frmStatus.Caption(), "Quillmoor AntiSpyware Status");
  EXPECT_EQ(window.Command1.Caption(), "Check for language updates");
  EXPECT_EQ(app.windows.frmDelete().Command2.Caption(), "Copy List") << "kept loaded, translated too";
  EXPECT_EQ(app.Message("MSG_SURE"), "Are you sure?");
  EXPECT_EQ(main.lblSoftwareFound.Caption(), "3") << "counts are kept";
  EXPECT_EQ(main.lbltracesFound.Caption(), "12");
}

TEST_F(LanguageTest, CheckForUpdatesReplacesTheFileAndListsItsLanguages) {
  StoreLanguage("English");
  std::string served = test_support::ReadSourceFile("data/Localization.txt");
  served.insert(served.rfind("</XML_DIZ_INFO>"),
                "<LANGUAGE_GROUP xml:lang=\"fr\">\r\n\t<LANGUAGE_NAME>Fran\xC3\xA7" "ais"
                "</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n\t\t<FRMMAIN_CMDSCAN>Analyser"
                "</FRMMAIN_CMDSCAN>\r\n\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n");
  std::vector<std::string> asked;
  sim.internet.Route(kServer, "/Languages/21/Localization.txt", [&](const SimHttpRequest& r) {
    asked.push_back(r.url);
    return SimHttpResponse(served);
  });
  StartProgram();
  frmLanguage& window = app.windows.frmLanguage();
  window.Show();
  sim.desktop.AnswerNext(platform::kIdOk);
  window.Command1.Click();

  EXPECT_EQ(asked, (std::vector<std::string>{std::string(kServer) +
                                              "/Languages/21/Localization.txt"}));
  EXPECT_EQ(sim.files.FileContent(LanguageFile()), served);
  EXPECT_EQ(window.Combo1.Entries(),
            (std::vector<std::string>{"English", "German", "Fran\xE7" "ais"}));
  EXPECT_EQ(window.Combo1.Text(), "English");
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text, "The newest language file has been downloaded.");
  Choose(window, "Fran\xE7" "ais");
  EXPECT_EQ(Main().cmdScan.Caption(), "Analyser");
  EXPECT_EQ(Main().cmdSettings.Caption(), "Settings") << "not in French: kept as it was";
}

TEST_F(LanguageTest, ADownloadThatBreaksOffChangesNothingAndSaysNothing) {
  StoreLanguage("English");
  const std::string shipped = *sim.files.FileContent(LanguageFile());
  sim.internet.Route(kServer, "/Languages/21/Localization.txt", [&](const SimHttpRequest&) {
    SimHttpResponse response(shipped);
    response.breakAfter = shipped.size() / 2;
    return response;
  });
  StartProgram();
  frmLanguage& window = app.windows.frmLanguage();
  window.Show();
  window.Command1.Click();
  EXPECT_EQ(sim.files.FileContent(LanguageFile()), shipped);
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
  EXPECT_EQ(window.Combo1.ListCount(), 2);
}

TEST_F(LanguageTest, TranslateThisProgramOpensTheFileOnlyWhenThereIsOne) {
  StoreLanguage("English");
  StartProgram();
  frmLanguage& window = app.windows.frmLanguage();
  window.Show();
  window.Command3.Click();
  ASSERT_EQ(sim.desktop.ShellExecuteCalls().size(), 1u);
  EXPECT_EQ(sim.desktop.ShellExecuteCalls()[0].verb, "open");
  EXPECT_EQ(sim.desktop.ShellExecuteCalls()[0].file, LanguageFile());
  sim.files.DeleteFile(LanguageFile());
  window.Command3.Click();
  EXPECT_EQ(sim.desktop.ShellExecuteCalls().size(), 1u);
}

TEST_F(LanguageTest, TheDefinitionCountGroupsDigitsAsTheLocaleDoes) {
  StoreLanguage("English");
  sim.clock.SetDigitGroupSeparator(".");
  StartProgram();
  app.state.definitionCount = 1234567;
  Main().RefreshStatusPage();
  EXPECT_EQ(Main().lblDefCount.Caption(), "1.234.567");
  sim.clock.SetDigitGroupSeparator("\xA0");
  app.state.definitionCount = -1234;
  Main().RefreshStatusPage();
  EXPECT_EQ(Main().lblDefCount.Caption(), "-1\xA0" "234");
}

}  // namespace
