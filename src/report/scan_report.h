#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace report {

// What a report tells about one scan. The counters are the texts the scan page shows, as the
// user saw them: a stage that was not selected shows the message that says so, not a number.
struct ScanSummary {
  std::string productName;
  int majorVersion = 0;
  int minorVersion = 0;
  std::string scanStartTime;
  std::string scanEndTime;
  std::string memoryInspected;
  std::string registryInspected;
  std::string filesFoldersInspected;
  // The threats found, in the order of the results list: the threat's name and its location.
  struct Finding {
    std::string name;
    std::string location;
  };
  std::vector<Finding> findings;
};

// The scan report, Scan_Log.txt in the data folder: one file only, replaced by every report.
class ScanReport {
 public:
  // dataFolder is the program's data folder, fixed at start-up; it must outlive this object.
  ScanReport(platform::Files& files, const std::string& dataFolder);

  std::string ReportPath() const;

  // Writes the report of a scan: the previous report goes first, then the summary, the current
  // exclusions and the whole quarantine log are written as one new file. A report that cannot
  // be written (data folder missing, file locked) is simply absent.
  void MakeReport(const ScanSummary& summary);

  // The exclusion file's lines, leaving out empty ones and ones of a single blank, each followed
  // by CR LF; empty without an exclusion file.
  std::string ExclusionText();
  // Every line of the quarantine log, empty ones too, each followed by two CR LF; empty without
  // a log.
  std::string QuarantineLogText();

 private:
  platform::Files& files_;
  const std::string& dataFolder_;
};

// The report's text: every piece the layout writes, each followed by CR LF. The exclusion and
// quarantine sections appear only when their texts are not empty.
std::string ComposeReport(const ScanSummary& summary, const std::string& exclusionText,
                          const std::string& logText);

// The report as the log viewer shows it: a line that is empty after trimming blanks becomes one
// line break and any other line is kept without its break, which folds the report's double
// spacing. Empty when the report is missing.
std::string FoldReportForViewer(platform::Files& files, const std::string& reportPath);

}  // namespace report
