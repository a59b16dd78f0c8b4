#include "branding/frm_website.h"

#include "common/text.h"
#include "platform/desktop.h"
#include "ui/design.h"

namespace branding {

frmWebsite::frmWebsite(ui::Host& host, platform::Machine& machine, Branding& branding)
    : ui::Form(host, ui::InvisibleForm("frmWebsite")),
      Timer1(*this, ui::At("Timer1", "", 0, 0, 0, 0), 1000, true),
      machine_(machine),
      branding_(branding) {
  Timer1.OnTick = [this] { Unload(); };
}

std::string frmWebsite::WebsiteAddress(const std::string& website) {
  if (common::FindNoCase(website, "https://") != std::string::npos ||
      common::FindNoCase(website, "http://") != std::string::npos) {
    return website;
  }
  return "http://" + website;
}

void frmWebsite::Form_Load() {
  LoadBranding(machine_.system, branding_);
  if (branding_.websiteTarget != "Website") return;
  machine_.desktop.ShellExecute("", WebsiteAddress(branding_.Website), "", "",
                                platform::kSwShowNormal);
  branding_.websiteTarget.clear();
}

}  // namespace branding
