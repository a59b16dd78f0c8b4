#include "submission/submission.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "definitions/line_codec.h"
#include "platform/sim/sim_machine.h"

namespace submission {
namespace {

using definitions::ScrambleText;
using platform::sim::SimHttpRequest;

constexpr const char* kServer = "http://127.0.0.1:8080";

class SubmissionTest : public ::testing::Test {
 protected:
  SubmissionTest() {
    sim.internet.Route(kServer, "/asp/getData.asp",
                       [this](const SimHttpRequest&) { return reply; });
  }
  std::uint32_t Run(const std::string& path) {
    if (!sim.files.Exists(path)) sim.files.AddFile(path, "MZ");
    return sim.processes.Start(path);
  }
  Submission Submitter() {
    return Submission(kServer, [this](const std::string& url) {
      const platform::HttpResult result = sim.internet.Get(url, {});
      return result.ok ? result.body : std::string();
    });
  }
  // The queries that reached the server.
  std::vector<std::string> Sent() {
    std::vector<std::string> queries;
    for (const SimHttpRequest& request : sim.internet.Requests()) {
      EXPECT_EQ(request.path, "/asp/getData.asp");
      queries.push_back(request.query);
    }
    return queries;
  }

  platform::sim::SimMachine sim;
  std::string reply = "Added";
};

TEST_F(SubmissionTest, EveryRunningCopySendsItsScrambledNameInTheSystemsOrder) {
  Run("C:\\Tools\\ab.exe");
  Run("C:\\WINDOWS\\explorer.exe");
  Run("C:\\Tools\\ab.exe");
  Run("C:\\Tools\\Explorer.exe");  // not the shell: names are compared exactly
  const std::string payload = ScrambleText("ab.exe") + "|" + ScrambleText("ab.exe") + "|" +
                              ScrambleText("Explorer.exe");
  EXPECT_EQ(ListRunningPrograms(sim.processes), payload);
  EXPECT_EQ(payload.find_first_of("\r\n&"), std::string::npos);

  Submitter().SubmitRunningPrograms(sim.processes);
  Submitter().SubmitRunningPrograms(sim.processes);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"data=" + payload, "data=" + payload}));
}

TEST_F(SubmissionTest, TheSystemsOwnProgramsAloneSendNothing) {
  for (const char* path :
       {"C:\\WINDOWS\\system32\\winlogon.exe", "C:\\WINDOWS\\system32\\services.exe",
        "C:\\WINDOWS\\system32\\svchost.exe", "C:\\WINDOWS\\system32\\svchost.exe",
        "C:\\WINDOWS\\explorer.exe", "C:\\Program Files\\Mozilla Firefox\\firefox.exe",
        "C:\\Program Files\\Internet Explorer\\iexplore.exe"}) {
    Run(path);
  }
  EXPECT_EQ(ListRunningPrograms(sim.processes), "");
  Submitter().SubmitRunningPrograms(sim.processes);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(SubmissionTest, WithoutTheManagementServiceNothingIsSent) {
  Run("C:\\Tools\\ab.exe");
  sim.processes.SetManagementUnavailable(true);
  Submitter().SubmitRunningPrograms(sim.processes);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(SubmissionTest, ATypedNameIsSentScrambledWithOneBar) {
  EXPECT_TRUE(Submitter().SubmitName("abc"));
  EXPECT_TRUE(Submitter().SubmitName(""));
  EXPECT_EQ(Sent(), (std::vector<std::string>{"data=\xA1\xA2\xA3|", "data=|"}));
}

TEST_F(SubmissionTest, OnlyARepliedAddedOrSkippedIsSuccess) {
  for (const auto& [answer, accepted] : std::vector<std::pair<std::string, bool>>{
           {"Added", true}, {"skipped", true}, {"<p>ADDED 1 name</p>", true},
           {"", false}, {"<html>500 Internal Server Error</html>", false}}) {
    reply = answer;
    EXPECT_EQ(Submitter().SubmitName("x.exe"), accepted) << answer;
  }
  sim.internet.SetOnline(false);
  reply = "Added";
  EXPECT_FALSE(Submitter().SubmitName("x.exe"));
}

}  // namespace
}  // namespace submission
