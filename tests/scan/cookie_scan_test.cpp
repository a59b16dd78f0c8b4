#include "scan/cookie_scan.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "platform/sim/sim_machine.h"
#include "scan/memory_harness.h"
#include "ui/dump.h"

namespace {

using platform::sim::kSimDataFolder;

constexpr const char* kCookies = "C:\\Documents and Settings\\User\\Cookies";

// An Internet Explorer cookie file: name, value, host and path, flags, times, the "*" end mark.
std::string CookieText(const std::string& hostAndPath) {
  return "id\nv=1,2\n" + hostAndPath + "\n1024\n3567\n30000\n1234\n29000\n*\n";
}

class CookieScanTest : public ::testing::Test {
 protected:
  std::string Cookie(const std::string& name, const std::string& hostAndPath) {
    const std::string path = std::string(kCookies) + "\\" + name;
    sim.files.AddFile(path, CookieText(hostAndPath));
    return path;
  }
  void Blocked(const std::vector<std::string>& lines) {
    scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "BlockedCookies.dat", lines);
  }
  bool Matches(const std::string& entry, const std::string& fileName,
               const std::string& hostAndPath) {
    Blocked({entry});
    stage.found.Clear();
    const std::string path = Cookie(fileName, hostAndPath);
    stage.RunCookies();
    sim.files.DeleteFile(path);
    return stage.found.Count() == 1;
  }

  platform::sim::SimMachine sim;
  scan_test::MemoryHarness stage{sim.machine, kSimDataFolder};
};

TEST_F(CookieScanTest, TheHostLosesItsTopLevelPartAndEntriesTheirsAndOneStar) {
  const std::string file = "user@tracker[1].txt";
  const std::string host = "ads.tracker.com/";
  EXPECT_EQ(scan::GetCookieHost(sim.files, Cookie(file, host), {}), "tracker.com")
      << "the host from the site on";
  EXPECT_TRUE(Matches("tracker.com", file, host));
  EXPECT_TRUE(Matches("tracker.net", file, host)) << "any top-level part";
  EXPECT_FALSE(Matches("ads.tracker.com", file, host));
  EXPECT_TRUE(Matches("*tracker.com", file, host));
  EXPECT_FALSE(Matches("*.tracker.com", file, host));
  EXPECT_TRUE(Matches("tracker.COM", file, host));
  EXPECT_FALSE(Matches("tracker.com", "user@TRACKER[1].txt", "TRACKER.com/"))
      << "an entry must hold the host as written";
  EXPECT_TRUE(Matches("site.com", "user@www.site[2].txt", "www.site.com/"));
  EXPECT_FALSE(Matches("tracker.com", "tracker[1].txt", host)) << "no \"@\", no site";
}

TEST_F(CookieScanTest, RowsForEveryMatchingFileAndOnlyAnExcludedRowForAnExcludedOne) {
  Blocked({"tracker.com", "other.org"});
  const std::string first = Cookie("user@tracker[1].txt", "tracker.com/");
  const std::string second = Cookie("user@tracker[2].txt", "www.tracker.com/ads");
  const std::string excluded = Cookie("user@tracker[3].txt", "tracker.com/");
  Cookie("user@harmless[1].txt", "harmless.com/");
  sim.files.AddFolder(std::string(kCookies) + "\\user@tracker[9].txt");  // a folder, not a file
  sim.files.Append(std::string(kSimDataFolder) + "\\ENoSignature.dat",
                   common::UpperCase(excluded) + "\r\n");
  stage.RunCookies();

  EXPECT_EQ(ui::DumpRows(stage.found),
            "<1> Cookie Found: user@tracker[1].txt\n"
            "<1> Cookie Found: user@tracker[2].txt\n"
            "<5> EXCLUDED: " +
                excluded + "\n");
  EXPECT_EQ(ui::DumpRows(stage.cookies), "<1> " + first + " | \n<1> " + second + " | \n");
  EXPECT_EQ(ui::DumpRows(stage.details), "<1> Cookie: user@tracker[1].txt | " + first +
                                             " | Tracking Cookie\n"
                                             "<1> Cookie: user@tracker[2].txt | " +
                                             second + " | Tracking Cookie\n");
  EXPECT_EQ(stage.counters.threatsFound, 2);
  EXPECT_EQ(stage.counters.cookiesAndProcessesInspected, 2) << "the number of entries at the end";
  ASSERT_EQ(stage.progress.size(), 8u) << "two per file";
  EXPECT_EQ(stage.progress[2].text, "Scanning: \r\nuser@tracker[1].txt");
  EXPECT_EQ(stage.progress[2].stagePercent, 50);
  EXPECT_EQ(stage.progress[2].overallPercent, -1);
}

TEST_F(CookieScanTest, AShieldRunReportsTheFirstMatchAndQueuesNothing) {
  Blocked({"tracker.com"});
  Cookie("user@tracker[1].txt", "tracker.com/");
  Cookie("user@tracker[2].txt", "tracker.com/");
  stage.shieldRun = true;
  stage.RunCookies();
  EXPECT_EQ(ui::DumpRows(stage.found), "<1> Cookie Found: user@tracker[1].txt\n");
  EXPECT_EQ(stage.cookies.Count(), 0);
  EXPECT_EQ(stage.counters.threatsFound, 0);
}

TEST_F(CookieScanTest, NothingIsFoundWithoutAFolderAListOrAHost) {
  Blocked({"False.com"});
  Cookie("user@tracker[1].txt", "no host line here");
  Cookie("user@unreadable[1].txt", "unreadable.com/");
  sim.files.SetLocked(std::string(kCookies) + "\\user@unreadable[1].txt", true);
  stage.RunCookies();
  EXPECT_EQ(stage.found.Count(), 0) << "\"False\" stands for no host; it is not looked up";

  Blocked({"tracker.com"});
  sim.files.DeleteFile(std::string(kSimDataFolder) + "\\BlockedCookies.dat");
  Cookie("user@tracker[2].txt", "tracker.com/");
  stage.RunCookies();
  EXPECT_EQ(stage.found.Count(), 0) << "no list";

  Blocked({"tracker.com"});
  sim.shellFolders.SetFolder(platform::kCsidlCookies, std::nullopt);
  stage.RunCookies();
  EXPECT_EQ(stage.found.Count(), 0) << "no cookie folder";
}

TEST_F(CookieScanTest, FileNamesAndFieldsGiveTheSiteAndTheHost) {
  EXPECT_EQ(scan::GetCookieFileDomain("C:\\C\\user@site(2)[1].txt"), "site");
  EXPECT_EQ(scan::GetCookieFileDomain("user@site[1].txt"), "site");
  EXPECT_EQ(scan::GetCookieFileDomain("user@my.site.txt"), "my.site");
  EXPECT_EQ(scan::GetCookieFileDomain("user@site"), "site");
  EXPECT_EQ(scan::GetCookieFileDomain("C:\\mail@home\\cookie.txt"), "")
      << "an \"@\" in a folder name is not the site's";
  EXPECT_EQ(scan::GetCookieFileDomain(""), "");

  const std::string path = std::string(kCookies) + "\\user@tracker[1].txt";
  int fields = 0;
  auto host = [&](const std::string& text) {
    sim.files.AddFile(path, text);
    fields = 0;
    return scan::GetCookieHost(sim.files, path, [&] { ++fields; });
  };
  EXPECT_EQ(host("id,x.tracker.net/a,y.tracker.com/b"), "tracker.net");
  EXPECT_EQ(fields, 2) << "reading stops at the host";
  EXPECT_EQ(host("id,\"tracker, not/here\" tail,tracker.org/"), "tracker, not")
      << "quotes keep a field's commas";
  EXPECT_EQ(host("  tracker.com/\r\n"), "tracker.com");
  EXPECT_EQ(host("tracker without slash\r\ntracker\r\n"), "False");
  EXPECT_EQ(scan::GetCookieHost(sim.files, std::string(kCookies) + "\\user@gone[1].txt", {}),
            "False");
}

}  // namespace
