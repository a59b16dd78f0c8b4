#pragma once

#include <string>

#include "branding/branding.h"
#include "platform/files.h"
#include "ui/ui.h"

namespace report {

// The log viewer: the scan report, folded, in a read-only text box. Shown modally; OK closes it.
// Every load reads the report afresh.
class frmReport : public ui::Form {
 public:
  // dataFolder is the program's data folder, fixed at start-up; it and branding must outlive
  // this window.
  frmReport(ui::Host& host, platform::Files& files, const std::string& dataFolder,
            const branding::Branding& branding);

  ui::TextBox txtReport;
  ui::CommandButton cmdOk;

 protected:
  void Form_Load() override;

 private:
  platform::Files& files_;
  const std::string& dataFolder_;
  const branding::Branding& branding_;
};

}  // namespace report
