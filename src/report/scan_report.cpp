#include "report/scan_report.h"

#include "common/file_tests.h"
#include "common/text_file.h"

#include <utility>

namespace report {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kDashes = "-----------------------";

// The report is written as a series of lines, each of which ends in CR LF on top of whatever
// line breaks its own text carries; the layout's double spacing comes from that.
class ReportWriter {
 public:
  void Write(const std::string& text) {
    text_ += text;
    text_ += kCrLf;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

// Trim of the original platform: blanks only, not tabs.
bool BlankAfterTrim(const std::string& line) {
  return line.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

ScanReport::ScanReport(platform::Files& files, const std::string& dataFolder)
    : files_(files), dataFolder_(dataFolder) {}

std::string ScanReport::ReportPath() const {
  return common::JoinPath(dataFolder_, "Scan_Log.txt");
}

std::string ScanReport::ExclusionText() {
  const std::string path = common::JoinPath(dataFolder_, "ENoSignature.dat");
  std::string text;
  if (!common::FileExists(files_, path)) return text;
  common::LineReader reader(files_, path);
  std::string line;
  while (reader.ReadLine(&line)) {
    if (line.empty() || line == " ") continue;
    text += line;
    text += kCrLf;
  }
  return text;
}

std::string ScanReport::QuarantineLogText() {
  const std::string path = common::JoinPath(dataFolder_, "quarantine\\QuarantineLog.txt");
  std::string text;
  if (!common::FileExists(files_, path)) return text;
  common::LineReader reader(files_, path);
  std::string line;
  while (reader.ReadLine(&line)) {
    text += line;
    text += kCrLf;
    text += kCrLf;
  }
  return text;
}

void ScanReport::MakeReport(const ScanSummary& summary) {
  const std::string path = ReportPath();
  if (common::FileExists(files_, path)) files_.DeleteFile(path);
  const std::string logText = QuarantineLogText();
  const std::string exclusionText = ExclusionText();
  files_.Append(path, ComposeReport(summary, exclusionText, logText));
}

std::string ComposeReport(const ScanSummary& summary, const std::string& exclusionText,
                          const std::string& logText) {
  const std::string crLf = kCrLf;
  ReportWriter out;
  out.Write(crLf);
  out.Write(std::string(19, ' ') + summary.productName + "v" +
            std::to_string(summary.majorVersion) + "." + std::to_string(summary.minorVersion) +
            "   Scan Report." + crLf);
  out.Write(crLf);
  out.Write(kDashes + crLf);
  out.Write(" Scan Started at  : " + summary.scanStartTime + crLf);
  out.Write(" Scan Finished at : " + summary.scanEndTime + crLf);
  out.Write(kDashes + crLf);
  for (int blank = 0; blank < 3; ++blank) out.Write(crLf);
  out.Write(" 1)Total Number of Cookies and Processes inspected: " + summary.memoryInspected +
            crLf);
  out.Write(" 2)Total Number of Registry entries inspected: " + summary.registryInspected + crLf);
  out.Write(" 3)Total Number of Files/Folders inspected: " + summary.filesFoldersInspected + crLf);
  out.Write(crLf);
  out.Write("[Threats Detected]" + crLf + crLf);
  for (const ScanSummary::Finding& finding : summary.findings) {
    out.Write(finding.name + crLf);
    out.Write(finding.location + crLf + crLf);
  }
  out.Write("Total = " + std::to_string(summary.findings.size()) + crLf);
  if (!exclusionText.empty()) {
    out.Write(crLf + "[Files Currently Excluded]" + crLf + crLf + exclusionText + crLf);
  }
  if (!logText.empty()) {
    out.Write(crLf + "[Current Quarantine Log]" + crLf + crLf + logText + crLf + crLf);
  }
  out.Write(crLf);
  out.Write("=====================End Of Report.");
  return out.Take();
}

std::string FoldReportForViewer(platform::Files& files, const std::string& reportPath) {
  std::string text;
  if (!common::FileExists(files, reportPath)) return text;
  common::LineReader reader(files, reportPath);
  std::string line;
  while (reader.ReadLine(&line)) {
    if (BlankAfterTrim(line)) {
      text += kCrLf;
    } else {
      text += line;
    }
  }
  return text;
}

}  // namespace report
