#include "protection/frm_home_page_changed_alert.h"

#include <initializer_list>

#include "ui/design.h"

namespace protection {

namespace {

ui::FormArgs AlertDesign() {
  ui::FormArgs args = ui::DialogForm("frmHomePageChangedAlert", "", 6600, 3540);
  // The program may sit in the tray when the page changes: the question stays in front.
  args.topMost = true;
  return args;
}

}  // namespace

frmHomePageChangedAlert::frmHomePageChangedAlert(ui::Host& host, Services services)
    : ui::Form(host, AlertDesign()),
      Picture1(*this, ui::At("Picture1", "", 240, 240, 720, 720), "AAA"),
      lblFrmHomePageProductName(*this,
                                [] {
                                  auto args = ui::At("lblFrmHomePageProductName",
                                                     "Your Program Name", 1200, 300, 5160, 375);
                                  args.bold = true;
                                  args.fontSize = 12;
                                  return args;
                                }()),
      lblHomePageInfo(*this, ui::At("lblHomePageInfo", "##########", 240, 1140, 6120, 1680)),
      cmdYes(*this, ui::At("cmdYes", "Yes", 3600, 2970, 1335, 375)),
      cmdNO(*this, ui::At("cmdNO", "No", 5040, 2970, 1335, 375)),
      services_(std::move(services)) {
  cmdYes.isDefault = true;
  cmdYes.OnClick = [this] { cmdYes_Click(); };
  cmdNO.OnClick = [this] { cmdNO_Click(); };
}

void frmHomePageChangedAlert::Form_Load() {
  // Every window translates its own captions when it loads, from the current language.
  if (services_.translate) {
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             &lblFrmHomePageProductName, &lblHomePageInfo, &cmdYes, &cmdNO}) {
      const std::string text = services_.translate(Name() + "_" + control->Name());
      if (!text.empty()) control->SetCaption(text);
    }
  }
  const std::string programName = services_.programName();
  SetCaption(programName);
  lblFrmHomePageProductName.SetCaption(programName);
}

void frmHomePageChangedAlert::Ask(const std::string& question) {
  Load();
  lblHomePageInfo.SetCaption(question);
  Show(true);
}

void frmHomePageChangedAlert::cmdYes_Click() {
  services_.restore();
  Unload();
}

void frmHomePageChangedAlert::cmdNO_Click() {
  services_.accept();
  Unload();
}

}  // namespace protection
