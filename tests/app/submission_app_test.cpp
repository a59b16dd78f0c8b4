#include <string>
#include <vector>

#include "app_fixture.h"
#include "definitions/line_codec.h"

namespace {

using app_test::AppTest;
using platform::sim::SimHttpRequest;

constexpr const char* kServer = "http://127.0.0.1:8080";

class SubmissionAppTest : public AppTest {
 protected:
  SubmissionAppTest() {
    SkipFirstRun();
    sim.internet.Route(kServer, "/asp/getData.asp", [this](const SimHttpRequest& request) {
      queries.push_back(request.query);
      return reply;
    });
    sim.files.AddFile("C:\\Tools\\ab.exe", "MZ");
    sim.processes.Start("C:\\Tools\\ab.exe");
  }
  app::FrmMain& Main() { return app.windows.frmMain(); }

  std::vector<std::string> queries;
  std::string reply = "Added";
};

TEST_F(SubmissionAppTest, AnEmptyResultsPageSendsTheRunningProgramsOnlyWithConsent) {
  StartProgram();
  auto& main = Main();
  ASSERT_TRUE(main.chkSendData.Checked());
  main.cmdResults.Click();
  EXPECT_EQ(queries, (std::vector<std::string>{"data=" + definitions::ScrambleText("ab.exe")}));
  EXPECT_EQ(main.Label26.Caption(), "Results:") << "the automatic submission stays silent";

  main.chkSendData.SetValue(ui::kUnchecked);
  main.cmdResults.Click();
  EXPECT_EQ(queries.size(), 1u);
}

TEST_F(SubmissionAppTest, ATypedNameShowsWhatTheServerSaid) {
  StartProgram();
  auto& main = Main();
  main.chkSendData.SetValue(ui::kUnchecked);  // the typed name does not depend on it
  main.txtFilename.SetText("abc");
  main.cmdSubmit.Click();
  EXPECT_EQ(queries, (std::vector<std::string>{"data=\xA1\xA2\xA3|"}));
  // Every message comes with its first letter in upper case, this one too.
  EXPECT_EQ(main.Label26.Caption(), "Results: abc Submitted.  Thank you!");
  EXPECT_EQ(main.txtFilename.Text(), "");

  reply = "<html>Service Unavailable</html>";
  main.txtFilename.SetText("x.exe");
  main.cmdSubmit.Click();
  EXPECT_EQ(main.Label26.Caption(),
            "Results: There was a problem submitting x.exe.  Please make sure you are connected "
            "to the internet, or try again later.");
  EXPECT_EQ(main.txtFilename.Text(), "");

  sim.internet.SetOnline(false);
  main.cmdSubmit.Click();
  EXPECT_EQ(main.Label26.Caption(),
            "Results: There was a problem submitting .  Please make sure you are connected "
            "to the internet, or try again later.");
  EXPECT_EQ(queries.size(), 2u) << "nothing reached the server";
}

}  // namespace
