#include "branding/frm_about.h"

#include "ui/design.h"

namespace branding {

frmAbout::frmAbout(ui::Host& host, platform::System& system, Branding& branding,
                   std::function<void()> openWebsite)
    : ui::Form(host, ui::DialogForm("frmAbout", "About", 5400, 2520)),
      imgLogo(*this, ui::At("imgLogo", "", 240, 240, 720, 720), "AAA"),
      Label1(*this, [] {
        auto args = ui::At("Label1", "Your Program Name", 1200, 240, 3960, 375);
        args.bold = true;
        args.fontSize = 12;
        return args;
      }()),
      lblCompany(*this, ui::At("lblCompany", "Owned By:", 1200, 720, 3960, 255)),
      lblVersion(*this, ui::At("lblVersion", "Version:", 1200, 1020, 3960, 255)),
      lblWebsite(*this, [] {
        auto args = ui::At("lblWebsite", "Website:", 1200, 1320, 3960, 255);
        args.underline = true;
        args.foreColor = 0x00CC6600;  // a link's blue
        return args;
      }()),
      cmdOK(*this, ui::At("cmdOK", "OK", 3960, 1920, 1215, 375)),
      system_(system),
      branding_(branding),
      openWebsite_(std::move(openWebsite)) {
  cmdOK.isDefault = true;
  cmdOK.OnClick = [this] { Unload(); };
  lblWebsite.OnClick = [this] { lblWebsite_Click(); };
}

void frmAbout::Form_Load() {
  SetCaption("About " + branding_.ProgramName);
  Label1.SetCaption(branding_.ProgramName);
  lblCompany.SetCaption(branding_.CompanyName);
  lblVersion.SetCaption(VersionText(system_));
  lblWebsite.SetCaption(branding_.Website);
}

void frmAbout::lblWebsite_Click() {
  branding_.websiteTarget = "Website";
  if (openWebsite_) openWebsite_();
}

}  // namespace branding
