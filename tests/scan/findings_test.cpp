// The findings without any list: ticks reaching a threat's traces, and what a purge leaves.
#include "scan/findings.h"

#include <gtest/gtest.h>

namespace scan {
namespace {

Trace FileTrace(const std::string& path, const std::string& threat, const std::string& owner) {
  Trace trace;
  trace.location = path;
  trace.threat = threat;
  trace.owner = owner;
  return trace;
}

TEST(FindingsTest, TickingAThreatReachesEveryTraceOfItAndNothingElse) {
  Findings findings;
  findings.AddThreat({"Bar", "HKEY_CURRENT_USER\\Software\\Bar", "", kIconRegistry, false});
  findings.AddThreat({"Cookie: a@b", "C:\\Cookies\\a@b.txt", "", kIconCookie, false});
  findings.AddThreat({"Odd", "x", "", 0, false});
  findings.AddTrace(FileTrace("C:\\Bar\\bar.exe", "Bar", "Bar"));
  findings.AddTrace(FileTrace("C:\\Bar", "", "Bar"));
  findings.AddTrace(FileTrace("C:\\Other\\other.exe", "Other", "Other"));
  Trace key;
  key.kind = TraceKind::Registry;
  key.key = "Software\\Bar";
  key.threat = "Bar";
  findings.AddTrace(key);
  Trace cookie;
  cookie.kind = TraceKind::Cookie;
  cookie.location = "C:\\Cookies\\a@b.txt";
  findings.AddTrace(cookie);
  Trace odd = FileTrace("C:\\Odd\\odd.exe", "Odd", "Odd");
  findings.AddTrace(odd);

  findings.TickThreat(0, true);
  const auto& files = findings.Traces(TraceKind::File);
  EXPECT_TRUE(files[0].ticked && files[1].ticked) << "its program and its folder";
  EXPECT_FALSE(files[2].ticked);
  EXPECT_TRUE(findings.Traces(TraceKind::Registry)[0].ticked);
  EXPECT_FALSE(findings.Traces(TraceKind::Cookie)[0].ticked);

  findings.TickThreat(1, true);
  EXPECT_TRUE(findings.Traces(TraceKind::Cookie)[0].ticked) << "a cookie by its location";
  findings.TickThreat(2, true);
  EXPECT_FALSE(files[3].ticked) << "a threat of no known kind ticks nothing else";

  findings.TickThreat(0, false);
  EXPECT_FALSE(files[0].ticked || files[1].ticked);
}

TEST(FindingsTest, APurgeTakesTheTickedEntriesAndKeepsTheCount) {
  Findings findings;
  findings.AddFound("Gone - Found", kIconFile);
  findings.AddFound("Kept - Found", kIconFile);
  findings.AddThreat({"Gone", "C:\\Gone", "", kIconFile, false});
  findings.AddThreat({"Kept", "C:\\Kept", "", kIconFile, false});
  findings.CountTrace();
  findings.CountTrace();
  findings.SetTicked(FindingsList::Found, 0, true);
  findings.TickThreat(0, true);
  int purges = 0;
  Findings::Observer observer;
  observer.purged = [&] { ++purges; };
  findings.SetObserver(observer);
  findings.RemoveTicked();

  EXPECT_EQ(purges, 1);
  EXPECT_FALSE(findings.HasThreat("Gone"));
  EXPECT_TRUE(findings.HasThreat("kept"));
  ASSERT_EQ(findings.Threats().size(), 1u);
  EXPECT_EQ(findings.Threats()[0].name, "Kept");
  EXPECT_EQ(findings.TraceCount(), 2u) << "the total shows what was found, removed or not";
}

TEST(FindingsTest, AfterAPurgeATickReachesTheTracesThatMovedUp) {
  Findings findings;
  findings.AddThreat({"Gone", "C:\\Gone\\gone.exe", "", kIconFile, false});
  findings.AddThreat({"Kept", "C:\\Kept\\kept.exe", "", kIconFile, false});
  findings.AddTrace(FileTrace("C:\\Gone\\gone.exe", "Gone", "Gone"));
  findings.AddTrace(FileTrace("C:\\Kept\\kept.exe", "Kept", "Kept"));
  findings.AddTrace(FileTrace("C:\\Kept", "", "Kept"));
  findings.TickThreat(0, true);
  findings.RemoveTicked();
  ASSERT_EQ(findings.Traces(TraceKind::File).size(), 2u);

  // The kept threat is now first, and its traces sit where the removed one's were.
  findings.TickThreat(0, true);
  EXPECT_TRUE(findings.Traces(TraceKind::File)[0].ticked);
  EXPECT_TRUE(findings.Traces(TraceKind::File)[1].ticked);
  findings.Clear();
  findings.AddThreat({"Kept", "C:\\Kept", "", kIconFolder, false});
  findings.TickThreat(0, true);  // nothing of the earlier scan is reached
  EXPECT_TRUE(findings.Traces(TraceKind::File).empty());
}

}  // namespace
}  // namespace scan
