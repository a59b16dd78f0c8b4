// The options page: stored settings into the controls at start-up, and what each option control
// stores and switches when it changes.
#include "app/app.h"
#include "app/frm_main.h"
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
  SaveSetting(kOptions, "SHOW", "True");

  ApplyBool(optIEHomePageSheildOn, Setting(kOptions, "optIEHomePageSheildOn", "True"));
  chkHomePage.SetValue(optIEHomePageSheildOn.Value() ? ui::kChecked : ui::kUnchecked);
  ApplyFlag(chkMakeLog, Setting(kOptions, "chkMakeLog", "1"));
  ApplyBool(optIEHomePageSheildOff, Setting(kOptions, "optIEHomePageSheildOff", "False"));
  ApplyBool(optAlwaysnotifybeforerestoring,
            Setting(kOptions, "optAlwaysnotifybeforerestoring", "True"));
  ApplyBool(optRestoredefaultwithoutnotification,
            Setting(kOptions, "optRestoredefaultwithoutnotification", "False"));
  ApplyBool(optMemorySheildOn, Setting(kOptions, "optMemorySheildOn", "True"));
  chkAutoProtect.SetValue(optMemorySheildOn.Value() ? ui::kChecked : ui::kUnchecked);
  ApplyBool(optMemorySheildOff, Setting(kOptions, "optMemorySheildOff", "False"));
  ApplyFlag(chkSweepMemory, Setting(kOptions, "chkSweepMemory", "1"));
  ApplyFlag(chkScanRegistry, Setting(kOptions, "chkScanRegistry", "1"));

  // Every start begins with Quick Scan; the stored complete-scan choice only passes through.
  ApplyBool(optScanAllSelectedHardDrive, Setting(kOptions, "optScanAllSelectedHardDrive", "True"));
  optScanOnlyKnownSoftwares.SetValue(true);

  // Run at start-up is on by default on the first start only (except for builds that never run
  // at start-up by default).
  if (!app_.brand.ProgramName.empty() && app_.brand.ProgramName == BRAND_NO_AUTORUN) {
    ApplyFlag(chkRunAtStartup, Setting(kOptions, "chkRunAtStartup", "0"));
  } else if (Setting("Settings", "ranOneTime", "0") == "0") {
    ApplyFlag(chkRunAtStartup, Setting(kOptions, "chkRunAtStartup", "1"));
    SaveSetting("Settings", "ranOneTime", "1");
  } else {
    ApplyFlag(chkRunAtStartup, Setting(kOptions, "chkRunAtStartup", "0"));
  }

  ApplyFlag(chkSweepMemory, Setting(kOptions, "chkSweepMemory", "1"));
  ApplyFlag(chkScanRegistry, Setting(kOptions, "chkScanRegistry", "1"));
  ApplyFlag(chkScanCookies, Setting(kOptions, "chkScanCookies", "1"));
  ApplyFlag(chkSendData, Setting(kOptions, "chkSendData", "1"));

  lblLastUpdate.SetCaption("Signatures Last Updated On " + app_.ReadDefinitionsDate() + " PST");

  ApplyFlag(chkAutomaticScanYesOrNo, Setting(kOptions, "chkAutomaticScanYesOrNo", "0"));
  if (auto scheduled = ReadNumber(Setting(kOptions, "chkAutomaticScanYesOrNo", "0"))) {
    const bool on = *scheduled != 0;
    dtpScheduleDate.SetEnabled(on);
    dtpScheduleTime.SetEnabled(on);
    cmbDays.SetEnabled(on);
    tmrScheduler.SetEnabled(on);
  }
  ApplyFlag(chkAutomaticUpdate, Setting(kOptions, "chkAutomaticUpdate", "1"));

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
  if (Setting("Settings", "Max", "0") == "1") SetWindowState(ui::WindowState::Maximized);
  GetHost().SetMousePointer(ui::kPointerDefault);
}

void FrmMain::chkHomePage_Click() {
  const bool on = chkHomePage.Checked();
  SaveSetting(kOptions, "optIEHomePageSheildOn", BoolText(on));
  SaveSetting(kOptions, "optIEHomePageSheildOff", BoolText(!on));
  tmrCheckHomePage.SetEnabled(on);
  optAlwaysnotifybeforerestoring.SetEnabled(on);
  optRestoredefaultwithoutnotification.SetEnabled(on);
}

void FrmMain::HomePageOption_Click() {
  SaveSetting(kOptions, "optIEHomePageSheildOn", BoolText(optIEHomePageSheildOn.Value()));
  SaveSetting(kOptions, "optIEHomePageSheildOff", BoolText(optIEHomePageSheildOff.Value()));
  // Only the selected button runs this, so it says which way the shield goes.
  const bool on = optIEHomePageSheildOn.Value();
  tmrCheckHomePage.SetEnabled(on);
  optAlwaysnotifybeforerestoring.SetEnabled(on);
  optRestoredefaultwithoutnotification.SetEnabled(on);
}

void FrmMain::chkAutoProtect_Click() {
  const bool on = chkAutoProtect.Checked();
  SaveSetting(kOptions, "optMemorySheildOn", BoolText(on));
  SaveSetting(kOptions, "optMemorySheildOff", BoolText(!on));
  tmrMemoryInspected.SetEnabled(on);
}

void FrmMain::MemoryOption_Click() {
  SaveSetting(kOptions, "optMemorySheildOn", BoolText(optMemorySheildOn.Value()));
  SaveSetting(kOptions, "optMemorySheildOff", BoolText(optMemorySheildOff.Value()));
  tmrMemoryInspected.SetEnabled(optMemorySheildOn.Value());
}

void FrmMain::RestoreOption_Click() {
  SaveSetting(kOptions, "optAlwaysnotifybeforerestoring",
              BoolText(optAlwaysnotifybeforerestoring.Value()));
  SaveSetting(kOptions, "optRestoredefaultwithoutnotification",
              BoolText(optRestoredefaultwithoutnotification.Value()));
}

void FrmMain::ScanTypeOption_Click() {
  SaveSetting(kOptions, "optScanOnlyKnownSoftwares", BoolText(optScanOnlyKnownSoftwares.Value()));
  SaveSetting(kOptions, "optScanAllSelectedHardDrive",
              BoolText(optScanAllSelectedHardDrive.Value()));
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
  SaveSetting(kOptions, "chkRunAtStartup", FlagText(chkRunAtStartup.Checked()));
  const std::string exeName = app_.machine.system.ExeName();
  if (ReadNumber(Setting(kOptions, "chkRunAtStartup", "1")) == 1L) {
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
    const std::string text = app_.Paragraphs({"MSG_ANON1", "MSG_ANON2", "MSG_ANON3"});
    if (app_.machine.desktop.MessageBox(text, app_.Message("MSG_ANON4"), platform::kMbYesNo) ==
        platform::kIdNo) {
      chkSendData.SetValue(ui::kChecked);
      SaveSetting(kOptions, "chkSendData", FlagText(chkSendData.Checked()));
      return;
    }
  }
  SaveSetting(kOptions, "chkSendData", FlagText(chkSendData.Checked()));
}

void FrmMain::cmdDefaultSetting_Click() {
  cmbDays.SetListIndex(7);
  chkAutomaticScanYesOrNo.SetValue(ui::kUnchecked);
  app_.ApplySchedule();
}

}  // namespace app
