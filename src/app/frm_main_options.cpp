// The options page: stored settings into the controls at start-up, and what each option control
// stores and switches when it changes.
#include "app/app.h"
#include "app/frm_main.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "platform/registry.h"
#include "removal/registry_values.h"

namespace app {

namespace {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// A stored flag applied to a check box; a value that is not a check state is skipped.
void ApplyFlag(ui::CheckBox& box, const std::string& stored) {
  if (auto value = ReadNumber(stored)) box.SetValue(static_cast<int>(*value));
}

// A stored truth value applied to an option button.
void ApplyBool(ui::OptionButton& option, const std::string& stored) {
  if (auto value = ReadBool(stored)) option.SetValue(*value);
}

}  // namespace

void FrmMain::LoadSettingsIntoControls() {
  Save(option::kShow, true);

  ApplyBool(optIEHomePageSheildOn, Stored(option::kHomePageShieldOn));
  chkHomePage.SetValue(optIEHomePageSheildOn.Value() ? ui::kChecked : ui::kUnchecked);
  ApplyFlag(chkMakeLog, Stored(option::kMakeLog));
  ApplyBool(optIEHomePageSheildOff, Stored(option::kHomePageShieldOff));
  ApplyBool(optAlwaysnotifybeforerestoring, Stored(option::kNotifyBeforeRestoring));
  ApplyBool(optRestoredefaultwithoutnotification, Stored(option::kRestoreSilently));
  ApplyBool(optMemorySheildOn, Stored(option::kMemoryShieldOn));
  chkAutoProtect.SetValue(optMemorySheildOn.Value() ? ui::kChecked : ui::kUnchecked);
  ApplyBool(optMemorySheildOff, Stored(option::kMemoryShieldOff));
  ApplyFlag(chkSweepMemory, Stored(option::kSweepMemory));
  ApplyFlag(chkScanRegistry, Stored(option::kScanRegistry));

  // Every start begins with Quick Scan; the stored complete-scan choice only passes through.
  ApplyBool(optScanAllSelectedHardDrive, Stored(option::kScanAllDrives));
  optScanOnlyKnownSoftwares.SetValue(true);

  // Run at start-up is on by default on the first start only (except for builds that never run
  // at start-up by default).
  if (app_.brand.runsAtStartupOnlyWhenChosen) {
    ApplyFlag(chkRunAtStartup, Stored(option::kRunAtStartup));
  } else if (Stored(option::kRanOneTime) == "0") {
    // The one read with another default: the first start runs at start-up unless told not to.
    ApplyFlag(chkRunAtStartup, Setting(kOptions, option::kRunAtStartup.key, "1"));
    Save(option::kRanOneTime, true);
  } else {
    ApplyFlag(chkRunAtStartup, Stored(option::kRunAtStartup));
  }

  ApplyFlag(chkSweepMemory, Stored(option::kSweepMemory));
  ApplyFlag(chkScanRegistry, Stored(option::kScanRegistry));
  ApplyFlag(chkScanCookies, Stored(option::kScanCookies));
  ApplyFlag(chkSendData, Stored(option::kSendData));

  lblLastUpdate.SetCaption("Signatures Last Updated On " + app_.ReadDefinitionsDate() + " PST");

  ApplyFlag(chkAutomaticScanYesOrNo, Stored(option::kAutomaticScan));
  if (auto scheduled = ReadNumber(Stored(option::kAutomaticScan))) {
    const bool on = *scheduled != 0;
    dtpScheduleDate.SetEnabled(on);
    dtpScheduleTime.SetEnabled(on);
    cmbDays.SetEnabled(on);
    tmrScheduler.SetEnabled(on);
  }
  ApplyFlag(chkAutomaticUpdate, Stored(option::kAutomaticUpdate));

  for (int row = 0; row < lvwHardDrives.Count(); ++row) {
    if (auto ticked = ReadBool(Setting("Drives", lvwHardDrives.Item(row).text, "True"))) {
      lvwHardDrives.SetChecked(row, *ticked);
    }
  }
  auto& results = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  for (int c = 0; c < results.ColumnCount(); ++c) {
    if (auto width = ReadNumber(Setting("Settings", "FoundCol2" + std::to_string(c + 1), "1400"))) {
      results.SetColumnWidth(c, static_cast<int>(*width));
    }
  }
  if (Stored(option::kMaximized) == "1") SetWindowState(ui::WindowState::Maximized);
  GetHost().SetMousePointer(ui::kPointerDefault);
}

void FrmMain::chkHomePage_Click() {
  const bool on = chkHomePage.Checked();
  Save(option::kHomePageShieldOn, on);
  Save(option::kHomePageShieldOff, !on);
  tmrCheckHomePage.SetEnabled(on);
  optAlwaysnotifybeforerestoring.SetEnabled(on);
  optRestoredefaultwithoutnotification.SetEnabled(on);
}

void FrmMain::HomePageOption_Click() {
  Save(option::kHomePageShieldOn, optIEHomePageSheildOn.Value());
  Save(option::kHomePageShieldOff, optIEHomePageSheildOff.Value());
  // Only the selected button runs this, so it says which way the shield goes.
  const bool on = optIEHomePageSheildOn.Value();
  tmrCheckHomePage.SetEnabled(on);
  optAlwaysnotifybeforerestoring.SetEnabled(on);
  optRestoredefaultwithoutnotification.SetEnabled(on);
}

void FrmMain::chkAutoProtect_Click() {
  const bool on = chkAutoProtect.Checked();
  Save(option::kMemoryShieldOn, on);
  Save(option::kMemoryShieldOff, !on);
  tmrMemoryInspected.SetEnabled(on);
}

void FrmMain::MemoryOption_Click() {
  Save(option::kMemoryShieldOn, optMemorySheildOn.Value());
  Save(option::kMemoryShieldOff, optMemorySheildOff.Value());
  tmrMemoryInspected.SetEnabled(optMemorySheildOn.Value());
}

void FrmMain::RestoreOption_Click() {
  Save(option::kNotifyBeforeRestoring, optAlwaysnotifybeforerestoring.Value());
  Save(option::kRestoreSilently, optRestoredefaultwithoutnotification.Value());
}

void FrmMain::ScanTypeOption_Click() {
  Save(option::kScanOnlyKnown, optScanOnlyKnownSoftwares.Value());
  Save(option::kScanAllDrives, optScanAllSelectedHardDrive.Value());
  lvwHardDrives.SetVisible(optScanAllSelectedHardDrive.Value());
}

void FrmMain::chkRunAtStartup_Click() {
  platform::Desktop& desktop = app_.machine.desktop;
  if (app_.IsVistaOrLater()) {
    const int answer = desktop.MessageBox(
        "Windows Vista requires special administrative rights to add programs to the Run At "
        "Startup list.  In order to have this program run at startup you will need to launch a "
        "separate program, called the RunAtStartupTool.exe, as an administrator.  If you would "
        "like instructions for doing so, please press OK.  Otherwise press cancel.",
        "Vista Detected", platform::kMbOkCancel);
    if (answer != platform::kIdOk) return;
    desktop.MessageBox(
        "When you click OK a windows explorer window will open.  You will see a file called "
        "RunAtStartupTool.exe in that folder.\r\n\r\nRight click on it and select 'Run As "
        "Administrator'.  Then follow the instructions on the tool to add this program to the "
        "windows startup list.",
        "Startup Tool", platform::kMbOk);
    desktop.StartProgram("explorer " + app_.machine.system.ProgramFolder(),
                         platform::kSwShowNormal);
    return;
  }
  Save(option::kRunAtStartup, chkRunAtStartup.Checked());
  const std::string exeName = app_.machine.system.ExeName();
  if (ReadNumber(Stored(option::kRunAtStartup)) == 1L) {
    // Quoted: unquoted, a path with blanks (Program Files) lets Windows start another program
    // named after the path's first word.
    const std::string command = "\"" + app_.machine.system.ProgramFolder() + "\\" + exeName + "\"";
    removal::SetRegistryValue(app_.machine.registry, platform::kHkeyLocalMachine, kRunKey, exeName,
                              command);
  } else {
    removal::DeleteRegistryValue(app_.machine.registry, platform::kHkeyLocalMachine, kRunKey,
                                 exeName);
  }
}

void FrmMain::chkSendData_MouseUp(const ui::MouseArgs&) {
  if (!chkSendData.Checked()) {
    const std::string text = app_.Paragraphs(
        {localization::msg::kAnon1, localization::msg::kAnon2, localization::msg::kAnon3});
    if (app_.machine.desktop.MessageBox(text, app_.Message(localization::msg::kAnon4),
                                        platform::kMbYesNo) == platform::kIdNo) {
      chkSendData.SetValue(ui::kChecked);
      Save(option::kSendData, chkSendData.Checked());
      return;
    }
  }
  Save(option::kSendData, chkSendData.Checked());
}

void FrmMain::cmdDefaultSetting_Click() {
  cmbDays.SetListIndex(7);
  chkAutomaticScanYesOrNo.SetValue(ui::kUnchecked);
  app_.ApplySchedule();
}

}  // namespace app
