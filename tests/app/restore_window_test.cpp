// The Restore window under the Quarantine menu: what a removal left in the quarantine, put back,
// excluded from the next scan, or deleted for good.
#include <string>
#include <vector>

#include "app_fixture.h"
#include "golden.h"
#include "platform/desktop.h"
#include "removal/frm_restore.h"
#include "scan/results.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::sim::kSimDataFolder;

constexpr const char* kQuarantine =
    "C:\\Documents and Settings\\User\\Application Data\\AntiSpywareDAT\\quarantine";

class RestoreWindowTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    StartProgram();
    sim.files.AddFile("C:\\Bad\\bad.ini", "first");
    sim.files.AddFile("C:\\Worse\\bad.ini", "second");
    sim.registry.PutString(kHkeyCurrentUser, "Software\\Bad", "Run", "bad.exe");
    scan::ScanResults& results = app.results();
    for (const auto& [path, threat] :
         {std::pair{"C:\\Bad\\bad.ini", "Bad"}, std::pair{"C:\\Worse\\bad.ini", "Worse"}}) {
      results.AddFileRow(path, threat, scan::kIconFile);
      results.AddGroupRow(threat, scan::kIconFile);
      results.AddDetailsRow(threat, path, "Adware", scan::kIconFile);
      results.CountTrace();
    }
    results.AddRegistryRow(std::to_string(static_cast<std::int32_t>(kHkeyCurrentUser)),
                           "Software\\Bad", "Run", "Autorun");
    results.AddGroupRow("Autorun", scan::kIconRegistry);
    results.AddDetailsRow("Autorun", "Software\\Bad\\Run", "Adware settings", scan::kIconRegistry);
    results.CountTrace();
    app.windows.frmMain().cmdSelectAll.Click();
    sim.desktop.AnswerNext(platform::kIdYes);
    app.windows.frmMain().Command4.Click();
    ASSERT_FALSE(sim.files.Exists("C:\\Bad\\bad.ini"));
    ASSERT_FALSE(sim.registry.Value(kHkeyCurrentUser, "Software\\Bad", "Run"));
    shownBefore = sim.desktop.MessageBoxes().size();
  }

  removal::frmRestore& Open() {
    app.windows.frmMain().mnuQuar.ClickItem(2);
    return app.windows.frmRestore();
  }
  // The rows without their date column, which is the clock's.
  static std::string Rows(const removal::frmRestore& window) {
    std::string rows;
    for (const ui::ListItem& row : window.lvwQuarantine.Items()) {
      rows += row.Column(1) + " | " + row.Column(2) + " | " + row.Column(3) + "\n";
    }
    return rows;
  }
  void Select(removal::frmRestore& window, const std::string& location) {
    for (int row = 0; row < window.lvwQuarantine.Count(); ++row) {
      window.lvwQuarantine.SetSelected(row, window.lvwQuarantine.Item(row).Column(3) == location);
    }
  }
  std::string LastMessage() const { return sim.desktop.MessageBoxes().back().text; }
  std::size_t NewMessages() const { return sim.desktop.MessageBoxes().size() - shownBefore; }

  std::size_t shownBefore = 0;
};

TEST_F(RestoreWindowTest, ListsWhatTheRemovalKeptAndSortsByAnyColumn) {
  removal::frmRestore& window = Open();
  ASSERT_TRUE(window.Visible());
  EXPECT_FALSE(window.IsModal()) << "beside the main window";
  EXPECT_EQ(window.Caption(), "Restore from Quarantine");
  EXPECT_EQ(app.windows.frmMain().mnuQuar.Item(2).caption, "Restore...");
  EXPECT_EQ(Rows(window),
            "Bad | File | C:\\Bad\\bad.ini\n"
            "Worse | File | C:\\Worse\\bad.ini\n"
            "Autorun | Registry value | HKEY_CURRENT_USER\\Software\\Bad\\Run\n");
  EXPECT_EQ(window.lvwQuarantine.Item(0).text, sim.clock.FormatDate(window.Entries()[0].when));
  EXPECT_EQ(window.lblSize.Caption(), "Quarantine size: 1 KB");

  window.lvwQuarantine.UserColumnClick(1);
  EXPECT_EQ(Rows(window),
            "Autorun | Registry value | HKEY_CURRENT_USER\\Software\\Bad\\Run\n"
            "Bad | File | C:\\Bad\\bad.ini\n"
            "Worse | File | C:\\Worse\\bad.ini\n");
  window.lvwQuarantine.UserColumnClick(1);
  EXPECT_EQ(window.lvwQuarantine.Item(0).Column(1), "Worse") << "the same column again reverses";
  EXPECT_EQ(window.Entries()[0].threat, "Worse") << "rows and entries stay in step";
  window.lvwQuarantine.UserColumnClick(3);
  EXPECT_EQ(window.lvwQuarantine.Item(0).Column(3), "C:\\Bad\\bad.ini");
}

TEST_F(RestoreWindowTest, RestoreAsksBeforeReplacingAndOffersTheExclusion) {
  removal::frmRestore& window = Open();
  window.cmdRestore.Click();
  EXPECT_EQ(LastMessage(), "No items are selected.  Select at least one item in the list.");

  sim.files.AddFile("C:\\Bad\\bad.ini", "written since");
  Select(window, "C:\\Bad\\bad.ini");
  sim.desktop.AnswerNext(platform::kIdNo);
  window.cmdRestore.Click();
  EXPECT_EQ(LastMessage(),
            "Something is at this location now. Do you want to replace it with the copy from the "
            "quarantine?\r\n\r\nC:\\Bad\\bad.ini");
  EXPECT_EQ(sim.files.FileContent("C:\\Bad\\bad.ini"), "written since");
  EXPECT_EQ(window.lvwQuarantine.Count(), 3);

  Select(window, "C:\\Bad\\bad.ini");
  window.lvwQuarantine.SetSelected(2, true);
  ASSERT_EQ(window.lvwQuarantine.Item(2).Column(3), "HKEY_CURRENT_USER\\Software\\Bad\\Run");
  sim.desktop.AnswerNext(platform::kIdYes);  // replace
  sim.desktop.AnswerNext(platform::kIdYes);  // exclude
  window.cmdRestore.Click();
  EXPECT_EQ(
      LastMessage(),
      "Do you want to add the restored items to the exclusions, so that the next scan does "
      "not remove them again?\r\n\r\nC:\\Bad\\bad.ini\r\nHKEY_CURRENT_USER\\Software\\BadRun");
  EXPECT_EQ(sim.files.FileContent("C:\\Bad\\bad.ini"), "first");
  EXPECT_EQ(sim.registry.StringValue(kHkeyCurrentUser, "Software\\Bad", "Run"), "bad.exe");
  EXPECT_TRUE(app.exclusions.IsExcluded("C:\\Bad\\bad.ini"));
  EXPECT_TRUE(app.exclusions.IsExcluded("HKEY_CURRENT_USER\\Software\\BadRun"));
  EXPECT_EQ(Rows(window), "Worse | File | C:\\Worse\\bad.ini\n");
  EXPECT_FALSE(sim.files.Exists(std::string(kQuarantine) + "\\bad.ini"));
  EXPECT_TRUE(sim.files.Exists(std::string(kQuarantine) + "\\bad.ini.001"));
}

TEST_F(RestoreWindowTest, DeleteRemovesTheCopyForGoodOnlyAfterConfirmation) {
  removal::frmRestore& window = Open();
  Select(window, "C:\\Worse\\bad.ini");
  sim.desktop.AnswerNext(platform::kIdNo);
  window.cmdDelete.Click();
  EXPECT_EQ(LastMessage(),
            "Are you sure you want to delete the selected items from the quarantine? They cannot "
            "be restored afterwards.");
  EXPECT_TRUE(sim.files.Exists(std::string(kQuarantine) + "\\bad.ini.001"));
  EXPECT_EQ(window.lvwQuarantine.Count(), 3);

  Select(window, "C:\\Worse\\bad.ini");
  sim.desktop.AnswerNext(platform::kIdYes);
  window.cmdDelete.Click();
  EXPECT_FALSE(sim.files.Exists(std::string(kQuarantine) + "\\bad.ini.001"));
  EXPECT_FALSE(sim.files.Exists("C:\\Worse\\bad.ini"));
  EXPECT_EQ(window.lvwQuarantine.Count(), 2);
  EXPECT_EQ(NewMessages(), 2u);

  // Closed and opened again from the menu: the list is read afresh.
  window.cmdClose.Click();
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(Open().lvwQuarantine.Count(), 2);
  EXPECT_TRUE(sim.files.Exists(std::string(kQuarantine) + "\\QuarantineLog.txt"));
}

TEST_F(RestoreWindowTest, SpeaksTheChosenLanguage) {
  sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt",
                    test_support::ReadSourceFile("data/Localization.txt"));
  app.ApplyLanguage("German");
  EXPECT_EQ(app.windows.frmMain().mnuQuar.Item(2).caption, "Wiederherstellen...");
  removal::frmRestore& window = Open();
  EXPECT_EQ(window.Caption(), "Aus der Quarant\xE4ne wiederherstellen");
  EXPECT_EQ(window.cmdRestore.Caption(), "Wiederherstellen");
  EXPECT_EQ(window.lvwQuarantine.Column(3).text, "Urspr\xFCnglicher Ort");
  EXPECT_EQ(window.lvwQuarantine.Item(0).Column(2), "Datei");
  EXPECT_EQ(window.lblSize.Caption(),
            "Gr\xF6\xDF"
            "e der Quarant\xE4ne: 1 KB");
}

}  // namespace
