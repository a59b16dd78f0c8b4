#include "update/live_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "definitions/definition_files.h"
#include "platform/sim/sim_machine.h"
#include "update/update_text.h"

namespace update {
namespace {

using platform::sim::kSimDataFolder;
using platform::sim::SimHttpRequest;
using platform::sim::SimHttpResponse;
using update_test::Record;
using update_test::SentEntry;

constexpr const char* kServer = "http://127.0.0.1:8080";

// A definition server on the simulated network: its date, the difference it sends and the date
// it gives after an update.
class LiveUpdateTest : public ::testing::Test {
 protected:
  LiveUpdateTest() {
    sim.internet.Route(kServer, "/asp/currentDateNEW.asp",
                       [this](const SimHttpRequest&) { return SimHttpResponse{serverDate}; });
    sim.internet.Route(kServer, "/asp/getDefsNEW.asp",
                       [this](const SimHttpRequest&) { return difference; });
    sim.internet.Route(kServer, "/asp/date.asp",
                       [this](const SimHttpRequest&) { return SimHttpResponse{newDate}; });
    sim.files.AddFile(Path("FileDefinition.dat"), update_test::StoredFile({"a.exe=A"}));
  }
  std::string Path(const std::string& name) {
    return definitions::DataFilePath(kSimDataFolder, name);
  }
  std::int32_t Run() {
    LiveUpdateObserver observer;
    observer.openProgress = [this] { statuses.push_back("(progress window)"); };
    observer.showStatus = [this](const std::string& text) { statuses.push_back(text); };
    observer.showDefinitionsDate = [this](const std::string& text) { shownDate = text; };
    LiveUpdate live(
        {sim.machine, kSimDataFolder, kServer, "Quillmoor AntiSpyware", "Quillmoor Software"},
        observer);
    return live.CheckForNewDefinitions();
  }
  std::vector<std::string> Requests() {
    std::vector<std::string> urls;
    for (const SimHttpRequest& request : sim.internet.Requests()) urls.push_back(request.url);
    return urls;
  }

  platform::sim::SimMachine sim;
  std::string serverDate = "3/20/2006 4:15:00 PM\r\n";
  SimHttpResponse difference{Record("EXE", "ADD", SentEntry("new.exe=New Threat"))};
  std::string newDate = "3/20/2006 4:15:00 PM";
  std::vector<std::string> statuses;
  std::string shownDate;
};

TEST_F(LiveUpdateTest, WithoutADateFileTheDefinitionsCountFromTheStarterDate) {
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(Requests(),
            (std::vector<std::string>{
                "http://127.0.0.1:8080/asp/currentDateNEW.asp?prog=Quillmoor%20AntiSpyware"
                "&comp=Quillmoor%20Software",
                "http://127.0.0.1:8080/asp/getDefsNEW.asp?prog=Quillmoor%20AntiSpyware"
                "&comp=Quillmoor%20Software&date=3/16/2006",
                "http://127.0.0.1:8080/asp/date.asp"}));
  EXPECT_EQ(sim.files.FileContent(Path("date.dat")), "3/20/2006 4:15:00 PM\r\n");
  EXPECT_EQ(shownDate, "3/20/2006 4:15:00 PM PST");
  EXPECT_EQ(statuses.front(), "(progress window)");
  EXPECT_EQ(statuses.at(1), "Connecting to the definition server, please wait.");
}

TEST_F(LiveUpdateTest, TheLocalDateGoesInTheQueryAsTheLocaleWritesIt) {
  sim.files.AddFile(Path("date.dat"), "3/18/2006 9:05:00 AM\r\n");
  EXPECT_EQ(Run(), 2);
  EXPECT_TRUE(Requests().at(1).ends_with("&date=3/18/2006 9:05:00 AM"));
}

TEST_F(LiveUpdateTest, AServerDateNoLaterThanOursFetchesNothing) {
  sim.files.AddFile(Path("date.dat"), "3/20/2006 4:15:00 PM\r\n");
  const std::string before = *sim.files.FileContent(Path("FileDefinition.dat"));
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Requests().size(), 1u);
  EXPECT_EQ(sim.files.FileContent(Path("FileDefinition.dat")), before);
  EXPECT_EQ(shownDate, "");
}

TEST_F(LiveUpdateTest, NoServerOrNoDateAnswerMeansNothingNewer) {
  serverDate = "<html>Service Unavailable</html>";
  EXPECT_EQ(Run(), 0);
  sim.internet.SetOnline(false);
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(sim.files.Exists(Path("date.dat")));
}

TEST_F(LiveUpdateTest, DateAnswersAreCleanedBeforeTheyAreRead) {
  EXPECT_EQ(CleanDateText("  3/20/2006 4:15:00 PM<br>garbage\r\n"), "3/20/2006 4:15:00 PM");
  EXPECT_EQ(CleanDateText("3/20/2006\t4:15:00 pm\r\nmore"), "3/20/20064:15:00 pm");
  EXPECT_EQ(CleanDateText("3/16/2006 12:00:00 AM xyz"), "3/16/2006 12:00:00 AM");
  EXPECT_EQ(CleanDateText("3/16/2006"), "3/16/2006");
  // The afternoon date with trailing characters and a line break reads as that date and time.
  serverDate = "3/20/2006 4:15:00 PM</body>\r\n";
  newDate = "3/20/2006 4:15:00 PMx\r\n";
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(sim.files.FileContent(Path("date.dat")), "3/20/2006 4:15:00 PM\r\n");
}

TEST_F(LiveUpdateTest, ATruncatedDifferenceMergesNothingAndKeepsTheDate) {
  sim.files.AddFile(Path("date.dat"), "3/18/2006\r\n");
  difference.body =
      Record("EXE", "ADD", SentEntry("new.exe=New")) + Record("FILE", "DEL", SentEntry("a.exe"));
  difference.breakAfter = difference.body.size() - 10;
  const std::string before = *sim.files.FileContent(Path("FileDefinition.dat"));
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(sim.files.FileContent(Path("FileDefinition.dat")), before);
  EXPECT_FALSE(sim.files.Exists(Path("ExeDefinition.dat")));
  EXPECT_EQ(sim.files.FileContent(Path("date.dat")), "3/18/2006\r\n");
}

TEST_F(LiveUpdateTest, AFailedNewDateAnswerStoresTheServersFirstDate) {
  newDate = "not a date";
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(sim.files.FileContent(Path("date.dat")), "3/20/2006 4:15:00 PM\r\n");
}

TEST(DefinitionDownloadListTest, NamesTheWebsitesHostOrTheServerForTheUnbrandedBuild) {
  EXPECT_EQ(DefinitionDownloadList("http://example.com/products/x.html", kServer).substr(0, 54),
            "http://www.example.com/definitions/version/R.HTM\r\nhttp");
  const std::string unbranded = DefinitionDownloadList("YourWebsite.com", kServer);
  EXPECT_EQ(unbranded.find("http://127.0.0.1:8080/definitions/data/ExeDefinition.dat\r\n"),
            unbranded.size() - 58);
  EXPECT_EQ(DefinitionDownloadList("www.example.org", kServer).find("http://www.example.org/"), 0u);
  EXPECT_EQ(std::count(unbranded.begin(), unbranded.end(), '\n'), 8);
}

TEST(AutoUpdateCounterTest, RunsOnceAfterThreeHundredIdleTicksAndStandsStillDuringAScan) {
  AutoUpdateCounter counter;
  for (int tick = 0; tick < 300; ++tick) ASSERT_FALSE(counter.Tick(true)) << tick;
  // A scan holds the count.
  for (int tick = 0; tick < 50; ++tick) ASSERT_FALSE(counter.Tick(false));
  EXPECT_TRUE(counter.Tick(true));
  EXPECT_FALSE(counter.Tick(true));
}

}  // namespace
}  // namespace update
