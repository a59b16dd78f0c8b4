#include "report/frm_report.h"

#include "report/scan_report.h"
#include "ui/design.h"

namespace report {

frmReport::frmReport(ui::Host& host, platform::Files& files, const std::string& dataFolder,
                     const branding::Branding& branding)
    : ui::Form(host, ui::DialogForm("frmReport", "Log", 8640, 6240)),
      txtReport(*this, ui::At("txtReport", "", 120, 120, 8400, 5445)),
      cmdOk(*this, ui::At("cmdOk", "OK", 7305, 5715, 1215, 375)),
      files_(files),
      dataFolder_(dataFolder),
      branding_(branding) {
  txtReport.multiLine = true;
  txtReport.scrollBars = true;
  txtReport.locked = true;
  // A report holds the whole quarantine log and grows with every removal; the edit control's
  // own limit would cut it off.
  txtReport.maxLength = 0;
  cmdOk.isDefault = true;
  cmdOk.OnClick = [this] { Unload(); };
}

void frmReport::Form_Load() {
  ScanReport report(files_, dataFolder_);
  txtReport.SetText(FoldReportForViewer(files_, report.ReportPath()));
  SetCaption(branding_.ProgramName + " Log");
}

}  // namespace report
