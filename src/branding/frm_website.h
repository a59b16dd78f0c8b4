#pragma once

#include "branding/branding.h"
#include "platform/machine.h"
#include "ui/ui.h"

namespace branding {

// An invisible window that opens the brand's website in the default browser when it loads with
// the target "Website", then unloads itself on its timer's first tick.
class frmWebsite : public ui::Form {
 public:
  frmWebsite(ui::Host& host, platform::Machine& machine, Branding& branding);

  ui::Timer Timer1;

  // The address opened for a website value: "http://" is put in front unless the value already
  // names http:// or https:// anywhere, in any letter case.
  static std::string WebsiteAddress(const std::string& website);

 protected:
  void Form_Load() override;

 private:
  platform::Machine& machine_;
  Branding& branding_;
};

}  // namespace branding
