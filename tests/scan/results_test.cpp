#include "scan/results.h"

#include <gtest/gtest.h>

#include "scan/scan_context.h"
#include "ui/test_form.h"
#include "ui/dump.h"
#include "ui/headless_host.h"

namespace {

using ui_test::Args;

class ResultsTest : public ::testing::Test {
 protected:
  ui::HeadlessHost host;
  ui_test::TestForm form{host};
  ui::ListView found{form, Args("found")}, details{form, Args("details")},
      files{form, Args("files")}, registry{form, Args("registry")}, cookies{form, Args("cookies")},
      notFound{form, Args("notFound")};
  ui::Label traces{form, Args("traces", "0")};
  scan::ScanResults results{{found, details, files, registry, cookies, notFound, traces}};
};

TEST_F(ResultsTest, ThreatLookUpIsAPrefixSearchWithoutCaseThatFollowsTheFindings) {
  EXPECT_FALSE(results.HasThreat("Demo Adware"));
  results.AddGroupRow("Demo Adware", scan::kIconFile);
  results.AddExcludedRow("C:\\x.exe");
  EXPECT_TRUE(results.HasThreat("demo ADWARE"));
  EXPECT_FALSE(results.HasThreat("Demo"));
  EXPECT_FALSE(results.HasThreat("Demo Adware Two"));
  results.AddNotice("Other - Found - and more", scan::kIconFile);
  EXPECT_TRUE(results.HasThreat("Other"));

  // A row ticked on the list and purged leaves the look-up too; one of two equal rows stays.
  found.SetChecked(0, true);
  results.AddGroupRow("Twice", scan::kIconFile);
  results.AddGroupRow("Twice", scan::kIconFile);
  found.SetChecked(found.Count() - 1, true);
  results.RemoveChecked();
  EXPECT_FALSE(results.HasThreat("Demo Adware"));
  EXPECT_TRUE(results.HasThreat("Twice")) << "one of two equal rows is still there";
  EXPECT_EQ(ui::DumpRows(found),
            "<5> EXCLUDED: C:\\x.exe\n<3> Other - Found - and more\n"
            "<3> Twice - Found\n");
  results.Clear();
  EXPECT_FALSE(results.HasThreat("Twice"));
  EXPECT_EQ(found.Count(), 0);
}

// The traces total is counted by the findings, whatever a label was made to show.
TEST_F(ResultsTest, TraceCountIsKeptByTheFindings) {
  results.CountTrace();
  results.CountTrace();
  EXPECT_EQ(traces.Caption(), "2");
  traces.SetCaption("12abc");
  results.CountTrace();
  EXPECT_EQ(traces.Caption(), "3");
  EXPECT_EQ(results.findings().TraceCount(), 3u);
  results.Clear();
  results.CountTrace();
  EXPECT_EQ(traces.Caption(), "1");
}

TEST_F(ResultsTest, RemovingTickedRowsSparesTheNotFoundListAndKeepsTheIndex) {
  results.AddGroupRow("Gone", scan::kIconFile);
  results.AddGroupRow("Kept", scan::kIconFile);
  found.SetChecked(0, true);
  for (ui::ListView* list : {&details, &files, &notFound}) {
    list->Add("ticked");
    list->Add("unticked");
    list->SetChecked(0, true);
  }
  results.RemoveChecked();
  EXPECT_FALSE(results.HasThreat("Gone"));
  EXPECT_TRUE(results.HasThreat("Kept"));
  EXPECT_EQ(ui::DumpRows(details) + ui::DumpRows(files), "unticked\nunticked\n");
  EXPECT_EQ(notFound.Count(), 2);
}

// With a yield the window answers between the steps of a purge; what is left is the same, and
// at the last step only the lists still to be purged are behind the findings.
TEST_F(ResultsTest, APurgeYieldsBetweenItsStepsAndEndsAsWithout) {
  for (const char* name : {"Gone", "Kept"}) {
    const std::string path = std::string("C:\\") + name + ".exe";
    results.AddGroupRow(name, scan::kIconFile);
    results.AddDetailsRow(name, path, "Adware", scan::kIconFile);
    results.AddFileRow(path, name, scan::kIconFile);
    results.AddRegistryRow("-2147483647", std::string("Software\\") + name, "", name);
  }
  found.SetChecked(0, true);
  results.TickThreat(0, true);
  std::vector<int> rowsAtYields;
  results.RemoveChecked([&] {
    int rows = 0;
    for (const ui::ListView* list : {&found, &details, &files, &registry}) rows += list->Count();
    rowsAtYields.push_back(rows);
  });
  // The ticks taken, then before each of the five lists (the cookies list is empty).
  EXPECT_EQ(rowsAtYields, (std::vector<int>{8, 8, 7, 6, 6, 5}));
  EXPECT_EQ(ui::DumpRows(found) + ui::DumpRows(files) + ui::DumpRows(registry),
            "<3> Kept - Found\n<3> C:\\Kept.exe | Kept\n"
            "<2> -2147483647 | Software\\Kept |  | Kept\n");
  EXPECT_EQ(results.findings().Threats().size(), 1u);
  EXPECT_EQ(results.findings().Traces(scan::TraceKind::File).size(), 1u);

  // The yield is for that purge only: a later one runs through.
  results.AddGroupRow("Later", scan::kIconFile);
  found.SetChecked(1, true);
  const std::size_t yields = rowsAtYields.size();
  results.RemoveChecked();
  EXPECT_EQ(rowsAtYields.size(), yields);
  EXPECT_EQ(found.Count(), 1);
}

// A tick on a row reaches the model as it is set, so nothing has to read every row back.
TEST_F(ResultsTest, ARowsTickReachesTheFindingsAtOnce) {
  results.AddDetailsRow("Bar", "C:\\Bar\\bar.exe", "Adware", scan::kIconFile);
  results.AddFileRow("C:\\Bar\\bar.exe", "Bar", scan::kIconFile);
  results.AddFileRow("C:\\Bar\\bar.dll", "Bar", scan::kIconFile);
  details.UserCheck(0, true);
  EXPECT_TRUE(results.findings().Threats()[0].ticked);
  results.TickThreat(0, true);
  files.UserCheck(1, false);  // the user keeps one file of the threat
  EXPECT_TRUE(results.findings().Traces(scan::TraceKind::File)[0].ticked);
  EXPECT_FALSE(results.findings().Traces(scan::TraceKind::File)[1].ticked);
}

TEST(ScanTextTest, PercentRoundsHalvesToEven) {
  EXPECT_EQ(scan::Percent(1, 8), 12);  // 12.5
  EXPECT_EQ(scan::Percent(3, 8), 38);  // 37.5
  EXPECT_EQ(scan::Percent(5, 200), 2);
  EXPECT_EQ(scan::Percent(7, 200), 4);
  EXPECT_EQ(scan::Percent(2, 3), 67);
  EXPECT_EQ(scan::Percent(10, 10), 100);
  EXPECT_EQ(scan::Percent(1, 0), -1) << "nothing to divide by leaves the bar";
}

TEST(ScanTextTest, StatusFilterTakesWordsOutInItsOrder) {
  EXPECT_EQ(scan::FilterStatusText("C:\\Middlesex\\file.exe"), "C:\\Middle\\file.exe");
  EXPECT_EQ(scan::FilterStatusText("FAGGOT"), "GOT") << "\"fag\" comes before \"faggot\"";
  EXPECT_EQ(scan::FilterStatusText("Scanning: cocktail.exe"), "Scanning: tail.exe");
  EXPECT_EQ(scan::FilterStatusText("Registry: HKLM\\Run"), "Registry: HKLM\\Run");
}

}  // namespace
