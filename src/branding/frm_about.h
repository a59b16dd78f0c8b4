#pragma once

#include <functional>

#include "branding/branding.h"
#include "platform/system.h"
#include "ui/ui.h"

namespace branding {

// The About box: product, company, version and website of this build.
class frmAbout : public ui::Form {
 public:
  // openWebsite loads the website launcher.
  frmAbout(ui::Host& host, platform::System& system, Branding& branding,
           std::function<void()> openWebsite);

  ui::Image imgLogo;
  ui::Label Label1;
  ui::Label lblCompany;
  ui::Label lblVersion;
  ui::Label lblWebsite;
  ui::CommandButton cmdOK;

  void lblWebsite_Click();

 protected:
  void Form_Load() override;

 private:
  platform::System& system_;
  Branding& branding_;
  std::function<void()> openWebsite_;
};

}  // namespace branding
