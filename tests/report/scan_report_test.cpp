// The scan report as a file: its layout byte for byte, its optional sections, one report only,
// and the folding the log viewer applies to it.
#include <gtest/gtest.h>

#include <string>

#include "golden.h"
#include "platform/sim/sim_machine.h"
#include "report/scan_report.h"

namespace {

using platform::sim::kSimDataFolder;

const std::string kData = kSimDataFolder;
const std::string kReport = kData + "\\Scan_Log.txt";
const std::string kExclusions = kData + "\\ENoSignature.dat";
const std::string kQuarantineLog = kData + "\\quarantine\\QuarantineLog.txt";

class ScanReportTest : public ::testing::Test {
 protected:
  static report::ScanSummary Summary() {
    report::ScanSummary summary;
    summary.productName = "Quillmoor AntiSpyware";
    summary.majorVersion = 1;
    summary.minorVersion = 0;
    summary.scanStartTime = "3/16/2006 9:00:00 AM";
    summary.scanEndTime = "3/16/2006 9:02:31 AM";
    summary.memoryInspected = "42";
    summary.registryInspected = "1250";
    summary.filesFoldersInspected = "3087";
    return summary;
  }
  std::string Report() const { return sim.files.FileContent(kReport).value_or("<missing>"); }

  platform::sim::SimMachine sim;
  std::string dataFolder = kData;
  report::ScanReport report{sim.machine.files, dataFolder};
};

TEST_F(ScanReportTest, NothingFoundLeavesOutTheExclusionAndQuarantineSections) {
  report.MakeReport(Summary());
  test_support::ExpectMatchesSourceFile("tests/report/golden/nothing_found.txt", Report());

  // An exclusion file of empty lines and single blanks excludes nothing, so says nothing.
  sim.files.AddFile(kExclusions, "\r\n \r\n\r\n \r\n");
  report.MakeReport(Summary());
  test_support::ExpectMatchesSourceFile("tests/report/golden/nothing_found.txt", Report());
}

TEST_F(ScanReportTest, FindingsExclusionsAndTheWholeQuarantineLogAreListed) {
  report::ScanSummary summary = Summary();
  summary.productName = "Remover";
  summary.majorVersion = 1;
  summary.minorVersion = 2;
  summary.registryInspected = "Not Selected";
  summary.findings = {{"Demo Adware", "HKEY_CURRENT_USER\\Software\\Demo Adware"},
                      {"Demo Toolbar", "C:\\Program Files\\Demo Toolbar\\toolbar.dll"},
                      {"Cookie: user@demoadware[2].txt", ""}};
  // Empty lines and lone blanks between entries go; a line of two blanks is an entry.
  sim.files.AddFile(kExclusions,
                    "C:\\Keep\\me.dll\r\n\r\n \r\nHKEY_CURRENT_USER\\Software\\Mine\r\n  \r\n");
  sim.files.AddFile(kQuarantineLog,
                    "3/15/2006 8:00:00 AM - File: toolbar.dll\r\n - Location: C:\\Bad\\toolbar.dll"
                    "\r\n\r\n\r\n");
  report.MakeReport(summary);

  test_support::ExpectMatchesSourceFile("tests/report/golden/threats_found.txt", Report());
  EXPECT_EQ(Report().substr(0, 53),
            "\r\n\r\n                   Removerv1.2   Scan Report.\r\n\r\n");
}

TEST_F(ScanReportTest, TwoScansInARowLeaveOnlyTheSecondReport) {
  report::ScanSummary first = Summary();
  first.scanStartTime = "3/15/2006 10:00:00 AM";
  first.findings = {{"Demo Adware", "C:\\Bad\\bad.exe"}};
  report.MakeReport(first);
  report.MakeReport(Summary());
  test_support::ExpectMatchesSourceFile("tests/report/golden/nothing_found.txt", Report());
}

TEST_F(ScanReportTest, AReportThatCannotBeWrittenIsAbsent) {
  // A hidden report is not found by the file test, so it stays and the new one is added to it.
  sim.files.AddFile(kReport, "old\r\n", platform::kAttrHidden);
  report.MakeReport(Summary());
  EXPECT_EQ(Report().substr(0, 7), "old\r\n\r\n");

  std::string missing = "C:\\No Such Folder";
  report::ScanReport nowhere{sim.machine.files, missing};
  nowhere.MakeReport(Summary());
  EXPECT_FALSE(sim.files.Exists(missing + "\\Scan_Log.txt"));
}

TEST(FoldReportForViewerTest, EmptyLinesBecomeBreaksAndTextLinesLoseTheirs) {
  platform::sim::SimMachine sim;
  // Blanks count as empty, a tab does not.
  sim.files.AddFile(kReport, "Title\r\n\r\n\r\nName\r\nPlace\r\n   \r\n\t\r\nEnd.");
  EXPECT_EQ(report::FoldReportForViewer(sim.machine.files, kReport),
            "Title\r\n\r\nNamePlace\r\n\tEnd.");
  EXPECT_EQ(report::FoldReportForViewer(sim.machine.files, kData + "\\none.txt"), "");
}

TEST_F(ScanReportTest, TheViewerShowsTheReportWithItsDoubleSpacingFolded) {
  report::ScanSummary summary = Summary();
  summary.findings = {{"Demo Adware", "C:\\Bad\\bad.exe"}};
  sim.files.AddFile(kExclusions, "C:\\Keep\\me.dll\r\n");
  sim.files.AddFile(kQuarantineLog, "3/15/2006 8:00:00 AM - File: bad.exe\r\n\r\n");
  report.MakeReport(summary);
  test_support::ExpectMatchesSourceFile("tests/report/golden/viewer_text.txt",
                                        report::FoldReportForViewer(sim.machine.files, kReport));
}

}  // namespace
