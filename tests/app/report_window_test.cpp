// The scan report through the program: written at the end of a scan when "Save scan results to
// log" is ticked, and shown by "View Log", "Show Report" and the File menu's "View Log".
#include <string>

#include "app_fixture.h"
#include "report/frm_report.h"

namespace {

using platform::sim::kSimDataFolder;

const std::string kReport = std::string(kSimDataFolder) + "\\Scan_Log.txt";

class ReportWindowTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    const std::string data = kSimDataFolder;
    for (const char* name :
         {"FileDefinition.dat", "DirectoryDefinition.dat", "RegistryDefinition.dat",
          "ExeDefinition.dat", "BlockedCookies.dat", "Safety.dat"}) {
      sim.files.AddFile(data + "\\" + name, "x\r\n");
    }
    StartProgram();
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }
  // Opens the viewer with the command and notes what it shows, then presses OK.
  struct Shown {
    std::string caption;
    std::string text;
    bool linkEnabled = true;
    bool opened = false;
  };
  Shown OpenWith(ui::Control& command) {
    Shown shown;
    host.OnModal("frmReport", [&](ui::Form& form) {
      auto& viewer = static_cast<report::frmReport&>(form);
      shown = {viewer.Caption(), viewer.txtReport.Text(), Main().lblViewLogFile.Enabled(), true};
      viewer.cmdOk.Click();
    });
    command.Click();
    return shown;
  }
};

TEST_F(ReportWindowTest, TheLogOptionDecidesWhetherAScanWritesItsReport) {
  ASSERT_TRUE(Main().chkMakeLog.Checked()) << "on by default";
  Main().cmdScanNow.Click();
  const std::string written = sim.files.FileContent(kReport).value_or("");
  EXPECT_NE(written.find(" Scan Finished at : 3/16/2006 9:00:00 AM\r\n"), std::string::npos)
      << written;
  EXPECT_NE(written.find("[Threats Detected]\r\n\r\n\r\nTotal = 0\r\n"), std::string::npos);

  // With the option off the report of the scan before stays as it was.
  sim.files.AddFile(kReport, "earlier report\r\n");
  Main().chkMakeLog.SetValue(ui::kUnchecked);
  Main().cmdScanNow.Click();
  EXPECT_EQ(sim.files.FileContent(kReport), "earlier report\r\n");
}

TEST_F(ReportWindowTest, EachCommandShowsTheFoldedReportModallyUntilOk) {
  sim.files.AddFile(kReport, "\r\n\r\nTitle\r\n\r\nName\r\nPlace\r\n\r\n\r\nEnd.");
  for (ui::Control* command :
       std::initializer_list<ui::Control*>{&Main().cmdLog, &Main().lblViewLogFile}) {
    const Shown shown = OpenWith(*command);
    EXPECT_TRUE(shown.opened) << command->Name();
    EXPECT_EQ(shown.caption, "Quillmoor AntiSpyware Log");
    EXPECT_EQ(shown.text, "\r\n\r\nTitle\r\nNamePlace\r\n\r\nEnd.");
    EXPECT_FALSE(shown.linkEnabled) << "Show Report waits while the window is open";
    EXPECT_TRUE(Main().lblViewLogFile.Enabled());
    EXPECT_FALSE(app.windows.frmReport().IsLoaded()) << "OK closes the window";
  }

  // The menu item reads the report again: a later report shows, a missing one shows nothing.
  sim.files.AddFile(kReport, "Newer\r\n");
  bool opened = false;
  host.OnModal("frmReport", [&](ui::Form& form) {
    opened = true;
    EXPECT_EQ(static_cast<report::frmReport&>(form).txtReport.Text(), "Newer");
    static_cast<report::frmReport&>(form).cmdOk.Click();
  });
  Main().mnuFile.ClickItem(2);
  EXPECT_TRUE(opened);
  sim.files.DeleteFile(kReport);
  EXPECT_EQ(OpenWith(Main().cmdLog).text, "");
}

}  // namespace
