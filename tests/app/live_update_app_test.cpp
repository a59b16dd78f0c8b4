#include <string>
#include <vector>

#include "app_fixture.h"
#include "definitions/definition_files.h"
#include "update/frm_download.h"
#include "update/frm_signature_updated.h"
#include "update/update_text.h"

namespace {

using app_test::AppTest;
using platform::sim::kSimDataFolder;
using platform::sim::SimHttpRequest;
using platform::sim::SimHttpResponse;
using update_test::Record;
using update_test::SentEntry;

constexpr const char* kOptionsKey =
    "Software\\VB and VBA Program Settings\\Quillmoor AntiSpyware\\OptionAndSettings";

// The program with a definition server on the simulated network at the address the build
// gives it.
class LiveUpdateAppTest : public AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    Serve("http://127.0.0.1:8080");
    for (const char* name : definitions::kDefinitionFiles) {
      sim.files.AddFile(definitions::DataFilePath(kSimDataFolder, name),
                        update_test::StoredFile({"old.exe=Old"}));
    }
    sim.files.AddFile(definitions::DataFilePath(kSimDataFolder, "date.dat"), "3/16/2006\r\n");
  }
  void Serve(const std::string& base) {
    sim.internet.Route(base, "/asp/currentDateNEW.asp",
                       [this](const SimHttpRequest&) { return SimHttpResponse{serverDate}; });
    sim.internet.Route(base, "/asp/getDefsNEW.asp", [](const SimHttpRequest&) {
      return SimHttpResponse{Record("EXE", "ADD", SentEntry("new.exe=New Threat"))};
    });
    sim.internet.Route(base, "/asp/date.asp",
                       [this](const SimHttpRequest&) { return SimHttpResponse{serverDate}; });
  }
  std::optional<std::string> Option(const std::string& key) {
    return sim.registry.StringValue(platform::kHkeyCurrentUser, kOptionsKey, key);
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }

  std::string serverDate = "3/20/2006 4:15:00 PM";
};

TEST_F(LiveUpdateAppTest, UpToDateDefinitionsGetTheRecentNoticeAndNothingStored) {
  serverDate = "3/16/2006 12:00:00 AM";
  StartProgram();
  Main().cmdUpdate.Click();
  EXPECT_EQ(sim.internet.Requests().size(), 1u);
  auto& notice = app.windows.frmSignatureUpdated();
  EXPECT_TRUE(notice.Visible());
  EXPECT_EQ(notice.lblUpdateInfo.Caption(),
            "You are using the most recent [ProgramName] definitions.");
  EXPECT_FALSE(app.windows.frmDownload().IsLoaded());
  EXPECT_TRUE(Main().cmdLiveUpdate.Enabled());
  EXPECT_EQ(Option("RESTART"), "False");
  EXPECT_EQ(Main().lblDefVersion.Caption(), "3/16/2006 PST");
}

TEST_F(LiveUpdateAppTest, AnUpdateRecountsShowsTheDateAndMarksTheSettings) {
  StartProgram();
  EXPECT_EQ(Main().lblDefCount.Caption(), "5");
  Main().cmdLiveUpdate.Click();
  EXPECT_EQ(sim.internet.Requests().size(), 3u);
  EXPECT_EQ(Main().lblDefCount.Caption(), "7");
  EXPECT_EQ(Main().lblDefVersion.Caption(), "3/20/2006 4:15:00 PM PST");
  EXPECT_EQ(Option("SHOW"), "True");
  EXPECT_EQ(Option("RESTART"), "True");
  EXPECT_EQ(app.windows.frmSignatureUpdated().lblUpdateInfo.Caption(),
            "Your [ProgramName] definitions have been updated!");
  // The progress window and its tray icon are gone; the main window has none while shown.
  EXPECT_FALSE(app.windows.frmDownload().IsLoaded());
  EXPECT_TRUE(sim.tray.Icons().empty());
  // The notice rises, waits seven seconds, sinks below the fixed end and closes itself.
  host.Advance(30000);
  EXPECT_FALSE(app.windows.frmSignatureUpdated().IsLoaded());
  EXPECT_EQ(Option("SHOW"), "false");
}

TEST_F(LiveUpdateAppTest, TheMachineSettingPointsTheProgramAtAnotherServer) {
  sim.registry.PutString(platform::kHkeyLocalMachine,
                         "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings",
                         "DefinitionServer", "http://defs.example.com:81/");
  Serve("http://defs.example.com:81");
  StartProgram();
  Main().mnuFile_Click(4);
  ASSERT_EQ(sim.internet.Requests().size(), 3u);
  EXPECT_TRUE(sim.internet.Requests()[0].url.starts_with("http://defs.example.com:81/asp/"));
}

TEST_F(LiveUpdateAppTest, ShiftOnTheCommandListsTheDefinitionFilesOfTheServer) {
  StartProgram();
  Main().cmdUpdate.MouseDown({ui::kMouseLeft, 3, 0, 0});
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty()) << "Ctrl with Shift shows nothing";
  Main().cmdUpdate.MouseDown({ui::kMouseLeft, 1, 0, 0});
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text.substr(0, 49),
            "http://127.0.0.1:8080/definitions/version/R.HTM\r\n");
  EXPECT_TRUE(sim.internet.Requests().empty());
}

TEST_F(LiveUpdateAppTest, TheAutomaticUpdateRunsOnceAfterThreeHundredIdleSeconds) {
  sim.registry.PutString(platform::kHkeyCurrentUser, kOptionsKey, "chkAutomaticUpdate", "1");
  StartProgram();
  ASSERT_TRUE(Main().timUpdate.Enabled());
  host.Advance(300 * 1000 - 500);
  EXPECT_TRUE(sim.internet.Requests().empty());
  host.Advance(2000);
  EXPECT_EQ(sim.internet.Requests().size(), 3u);
  EXPECT_FALSE(Main().timUpdate.Enabled());
  host.Advance(900 * 1000);
  EXPECT_EQ(sim.internet.Requests().size(), 3u);
}

TEST_F(LiveUpdateAppTest, TheProgressLineGoesThroughItsStepsEveryFifteenTicks) {
  StartProgram();
  auto& progress = app.windows.frmDownload();
  progress.Show();
  EXPECT_EQ(progress.lblProduct.Caption(), "Connecting to server/downloading.....");
  ASSERT_EQ(sim.tray.Icons().size(), 1u);
  EXPECT_EQ(sim.tray.Icons().begin()->second.tip, "Getting latest definitions.");
  std::vector<std::string> seen;
  for (int tick = 0; tick < 15; ++tick) {
    host.Advance(800);
    seen.push_back(progress.lblProduct.Caption());
  }
  const std::vector<std::string> expected = {"Connecting to the Server.",
                                             "Connecting to server.....",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait.",
                                             "Successfully sent the request.",
                                             "Connecting to server.....",
                                             "Receiving a response from the Server.",
                                             "Connecting to server.....",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait.",
                                             "Sending and receiving data, please wait."};
  EXPECT_EQ(seen, expected);
  host.Advance(800);
  EXPECT_EQ(progress.lblProduct.Caption(), "Connecting to the Server.");
  // Cancel closes the window and takes its tray icon along.
  progress.Command1.Click();
  EXPECT_FALSE(progress.IsLoaded());
  EXPECT_TRUE(sim.tray.Icons().empty());
}

TEST_F(LiveUpdateAppTest, CancelLeavesTheUpdateRunningToItsNotice) {
  // The difference arrives slowly; the user cancels while it does.
  sim.internet.Route("http://127.0.0.1:8080", "/asp/getDefsNEW.asp", [](const SimHttpRequest&) {
    SimHttpResponse slow{Record("EXE", "ADD", SentEntry("new.exe=" + std::string(600, 'N')))};
    slow.msPerRead = 100;
    return slow;
  });
  StartProgram();
  host.onYield = [this](int) {
    if (app.windows.frmDownload().IsLoaded() &&
        app.windows.frmDownload().txtStatus.Text().starts_with("Downloaded"))
      app.windows.frmDownload().Command1.Click();
  };
  Main().cmdUpdate.Click();
  EXPECT_FALSE(app.windows.frmDownload().IsLoaded());
  EXPECT_EQ(Main().lblDefCount.Caption(), "7");
  EXPECT_TRUE(app.windows.frmSignatureUpdated().Visible());
}

TEST_F(LiveUpdateAppTest, TheNoticeSlidesFromTheTaskBarAndOkClosesItAtOnce) {
  StartProgram();
  auto& notice = app.windows.frmSignatureUpdated();
  notice.Show();
  // 768 pixels of screen and 30 of task bar, at 14.5 twips per pixel.
  EXPECT_EQ(notice.Geometry().startTop, 11136 - 435);
  EXPECT_EQ(notice.Geometry().targetTop, 11136 - (notice.Height() + 100));
  EXPECT_EQ(notice.Top(), 11136 - 435);
  notice.tmrPopupSignatureUpdate.SetEnabled(true);
  host.Advance(30);
  EXPECT_EQ(notice.Top(), 11136 - 435 - 60);
  notice.cmdUpdateSuccesfullOK.Click();
  EXPECT_FALSE(notice.IsLoaded());
  EXPECT_EQ(Option("SHOW"), "false");

  // Without a task bar it starts at the screen bottom; on a tall screen it closes after its
  // first step down.
  sim.desktop.SetWindow("Shell_TrayWnd", std::nullopt);
  sim.desktop.SetScreenSize(1600, 1200);
  notice.Show();
  EXPECT_EQ(notice.Geometry().startTop, 17400);
  notice.tmrPopupSignatureUpdate.SetEnabled(true);
  host.Advance(7000 + 10 * (435 + notice.Height() + 100) / 20 + 100);
  EXPECT_FALSE(notice.IsLoaded());
}

// The status page counts the definitions' age, and warns once Live Update has gone without
// success for longer than the limit; a successful update takes the warning away.
TEST_F(LiveUpdateAppTest, TheStatusPageWarnsWhenLiveUpdateHasNotSucceededForLong) {
  sim.clock.SetNow(38792.5 + 20);  // 4/5/2006, twenty days after the installed definitions
  sim.internet.SetOnline(false);
  StartProgram();
  EXPECT_EQ(Main().lblDefAge.Caption(), "20");
  EXPECT_TRUE(Main().lblUpdateOverdue.Visible());
  EXPECT_EQ(Main().lblUpdateOverdue.Caption(),
            "Live Update has not succeeded for more than 14 days. Run Live Update to stay "
            "protected.");
  Main().cmdUpdate.Click();
  EXPECT_TRUE(Main().lblUpdateOverdue.Visible()) << "a failed update is no success";

  sim.internet.SetOnline(true);
  Main().cmdUpdate.Click();
  EXPECT_FALSE(Main().lblUpdateOverdue.Visible());
  EXPECT_EQ(Main().lblDefAge.Caption(), "16");
  sim.clock.SetNow(38792.5 + 20 + 15);
  Main().RefreshStatusPage();
  EXPECT_TRUE(Main().lblUpdateOverdue.Visible());
}

}  // namespace
