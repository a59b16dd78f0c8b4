#include "protection/frm_spyware_found_alert.h"

#include "common/file_tests.h"
#include "common/text.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "scan/process_scan.h"
#include "ui/design.h"

namespace protection {

namespace {

ui::FormArgs AlertDesign() {
  ui::FormArgs args;
  args.name = "frmSpywareFoundAlert";
  args.clientWidth = 5400;
  args.clientHeight = 3180;
  args.border = ui::BorderStyle::FixedDialog;
  args.minButton = false;
  args.maxButton = false;
  // The program may be hidden in the tray when it asks: the question stays in front.
  args.topMost = true;
  return args;
}

}  // namespace

frmSpywareFoundAlert::frmSpywareFoundAlert(ui::Host& host, Services services)
    : ui::Form(host, AlertDesign()),
      lblProductName(*this, ui::Bolded(ui::At("lblProductName", "Malicious Program Found", 240, 120,
                                              4920, 375))),
      Label1(*this, ui::At("Label1", "Spyware/Adware has been detected.", 240, 540, 4920, 255)),
      SkinLabel4(*this, ui::At("SkinLabel4", "File Name:", 240, 960, 1320, 255)),
      lblAlertFileName(*this,
                       ui::At("lblAlertFileName", "Unknown Executable", 1620, 960, 3540, 255)),
      SkinLabel5(*this, ui::At("SkinLabel5", "Company Name:", 240, 1320, 1320, 255)),
      lblAlertCompanyName(*this,
                          ui::At("lblAlertCompanyName", "Unknown Company", 1620, 1320, 3540, 495)),
      SkinLabel2(*this,
                 ui::At("SkinLabel2", "Click STOP to stop it from running.", 240, 1920, 4920, 255)),
      SkinLabel3(*this, ui::At("SkinLabel3", "Click ALLOW to allow the program to run.", 240, 2220,
                               4920, 255)),
      cmdYes(*this, ui::At("cmdYes", "STOP", 2280, 2640, 1335, 375)),
      cmdNO(*this, ui::At("cmdNO", "ALLOW", 3780, 2640, 1335, 375)),
      tmrBlink(*this, ui::At("tmrBlink", "", 0, 0, 0, 0), 800, true),
      services_(std::move(services)) {
  cmdYes.OnClick = [this] { cmdYes_Click(); };
  cmdNO.OnClick = [this] { cmdNO_Click(); };
  // The blink timer runs while the window is up; its tick changes nothing.
  tmrBlink.OnTick = [] {};
}

void frmSpywareFoundAlert::Form_Load() {
  SetCaption(services_.programName);
  // A new question starts from the window as designed, whatever the last one left.
  cmdYes.SetEnabled(true);
  tmrBlink.SetEnabled(true);
}

frmSpywareFoundAlert::Answer frmSpywareFoundAlert::AskAbout(const std::string& fileName,
                                                            const std::string& companyText,
                                                            std::uint32_t pid) {
  Load();
  pid_ = pid;
  answer_ = Answer::None;
  lblAlertCompanyName.SetCaption(companyText);
  lblAlertFileName.SetCaption(fileName);
  decided_ = false;
  Show();
  while (!decided_ && IsLoaded() && Visible()) LetEventsRun();
  return answer_;
}

void frmSpywareFoundAlert::cmdYes_Click() {
  cmdYes.SetEnabled(false);
  decided_ = true;
  const std::string name = common::Trim(lblAlertFileName.Caption());
  answer_ = Answer::Stopped;
  // The question may have waited for minutes: the program asked about may have ended and left
  // its id to another one, which STOP must not end. That one has nothing left to stop.
  if (IdTakenByAnotherProgram(name)) {
    Unload();
    return;
  }
  if (!scan::StopProcessById(services_.machine, pid_)) {
    answer_ = Answer::NotStopped;
    services_.machine.desktop.MessageBox(
        common::UpperCase(name) + " " + services_.message(localization::msg::kErrorStopped),
        services_.programName, platform::kMbOk | platform::kMbIconInformation);
  }
  Unload();
}

bool frmSpywareFoundAlert::IdTakenByAnotherProgram(const std::string& fileName) {
  platform::Processes& processes = services_.machine.processes;
  const std::optional<std::string> module = processes.ModuleFileName(pid_);
  if (!module) return false;
  const std::string path =
      scan::NormalizeSystem32Path(processes, common::UpperCase(common::Trim(*module)));
  return !common::EqualsNoCase(common::GetFileName(path), fileName);
}

void frmSpywareFoundAlert::cmdNO_Click() {
  decided_ = true;
  answer_ = Answer::Allowed;
  const std::string name = common::Trim(lblAlertFileName.Caption());
  services_.exclusions.AddExclusion(services_.dataFolder, name, [this] { LetEventsRun(); });
  Unload();
}

}  // namespace protection
