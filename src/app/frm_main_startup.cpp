// The main window's life: the start-up sequence, the window-state rule, the status page, the
// background timers, the tray and the shutdown.
#include <cstdio>

#include "app/app.h"
#include "app/form8.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "definitions/definition_files.h"
#include "app/frm_splash.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "platform/desktop.h"
#include "removal/frm_delete.h"

namespace app {

namespace {

// The definition count with the locale's digit grouping and no decimals.
std::string GroupedNumber(long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return value < 0 ? "-" + grouped : grouped;
}

}  // namespace

std::string FrmMain::Setting(const std::string& section, const std::string& key,
                             const std::string& defaultValue) const {
  return app_.GetSetting(section, key, defaultValue);
}

void FrmMain::SaveSetting(const std::string& section, const std::string& key,
                          const std::string& value) {
  app_.SaveSetting(section, key, value);
}

void FrmMain::Form_Load() {
  // 1. The data folder. The installer made the installing user's; any other user's is made
  //    here from the starter definitions, or that user could never scan.
  app_.dataFolder = app_.ExpandDataFolder();
  definitions::ProvideDataFolder(app_.machine.files, app_.dataFolder,
                                 app_.machine.system.ProgramFolder());
  // 2. The window icon, for the window and its owner.
  SetIcon("AAA");
  // 3. The language. A first start (nothing stored yet) stores English and lets the user choose.
  const bool firstLanguage = Setting("Settings", "Language", "").empty();
  app_.currentLanguage = Setting("Settings", "Language", "English");
  app_.LoadLanguage();
  if (firstLanguage) {
    SaveSetting("Settings", "Language", "English");
    app_.ChooseLanguage();
  }
  // 4. The splash window's icon as the form icon.
  SetIcon(app_.splash().Icon());
  // 5. A second instance ends itself at once, silently.
  if (app_.machine.desktop.AnotherInstanceRunning()) {
    app_.EndProcess(0);
    return;
  }
  // 6 and 7. Definitions waiting from a download replace the installed ones; count them.
  app_.InstallDownloadedDefinitions();
  app_.definitionCount = app_.CountDefinitions();
  // 8 to 11.
  RefreshStatusPage();
  app_.LoadExclusions();
  HideAllPages();
  frmStatus.SetCaption(app_.brand.ProgramName + " Status");
  frmStatus.SetVisible(true);
  // 12. From here on each step ignores its own failure.
  StartUpRest();
}

void FrmMain::StartUpRest() {
  if (app_.machine.desktop.AnotherInstanceRunning()) {
    app_.EndProcess(0);
    return;
  }
  SaveSetting(kOptions, "STATUS", "RUNNING");
  SaveSetting(kOptions, "RESTART", "False");
  app_.hidden().Load();
  SetCaption(app_.Message("MSG_CAPTION"));
  cmdWebsite.SetCaption(app_.Message("MSG_WEBSITE"));
  shpCircle.SetVisible(false);
  app_.SetTaskVisible(false);
  SetBackgroundTimers(false);
  app_.LoadSchedule();
  FillDriveList();
  LoadSettingsIntoControls();
  SetBackgroundTimers(true);
  tmrScroll.SetEnabled(false);
  app_.frmDelete().Load();
  app_.frmDelete().Hide();
  Label22.SetCaption(app_.Message("MSG_CAPTION2"));

  // Help on the first start.
  if (Setting("Settings", "showHelp", "1") == "1") {
    mnuHelp_Click(0);
    SaveSetting("Settings", "showHelp", "0");
  }
  // Automatic Live Update after five idle minutes.
  if (ReadNumber(Setting(kOptions, "chkAutomaticUpdate", "0")) == 1L) {
    timUpdate.SetEnabled(true);
  }
  // Start in the tray.
  if (Setting("Settings", "Minimized", "No") == "Yes") {
    SendToTray();
  } else if (!app_.brand.ProgramName.empty() && app_.brand.ProgramName == BRAND_TRAY_START &&
             chkRunAtStartup.Checked()) {
    SendToTray();
  }
  // The first-run greeting, which offers Live Update.
  if (!app_.GetMachineSetting("Settings", "FirstTime", "").empty()) return;
  app_.SaveMachineSetting("Settings", "FirstTime", "Yes");
  const std::string text = app_.Paragraphs({"MSG_THANK1", "MSG_THANK2", "MSG_THANK3"});
  if (app_.machine.desktop.MessageBox(text, app_.Message("MSG_THANK4"), platform::kMbYesNo) ==
      platform::kIdYes) {
    cmdUpdate.Click();
  }
}

void FrmMain::RefreshStatusPage() {
  lblDefCount.SetCaption(GroupedNumber(app_.definitionCount));
  lblVersion.SetCaption(branding::VersionText(app_.machine.system));
  lblDefVersion.SetCaption(app_.ReadDefinitionsDate() + " PST");
  lblDefRemoved.SetCaption(Setting("Settings", "lblDefRemoved", "0"));
  lblLastScan.SetCaption(Setting("Settings", "lblLastScan", "Never"));
  lblLastFullScan.SetCaption(Setting("Settings", "lblLastFullScan", "Never"));
}

void FrmMain::SetBackgroundTimers(bool enable) {
  if (!enable) {
    tmrCheckHomePage.SetEnabled(false);
    tmrMemoryInspected.SetEnabled(false);
    tmrScheduler.SetEnabled(false);
    tmrTimeOut.SetEnabled(false);
    return;
  }
  // Each timer is set on its own; a value that cannot be read leaves that timer as it is.
  if (auto scheduled = ReadNumber(Setting(kOptions, "chkAutomaticScanYesOrNo", "0"))) {
    tmrScheduler.SetEnabled(*scheduled != 0);
  }
  if (auto homePage = ReadBool(Setting(kOptions, "optIEHomePageSheildOn", "True"))) {
    tmrCheckHomePage.SetEnabled(*homePage);
  }
  if (auto memory = ReadBool(Setting(kOptions, "optMemorySheildOn", "True"))) {
    tmrMemoryInspected.SetEnabled(*memory);
  }
}

void FrmMain::SendToTray() {
  SetWindowState(ui::WindowState::Minimized);
  Hide();
  app_.ShowTrayIcon();
  SaveSetting("Settings", "Minimized", "Yes");
}

void FrmMain::Form_Resize() {
  ArrangeMainWindow();
  if (GetWindowState() != ui::WindowState::Normal) {
    SetBackgroundTimers(true);
    tmrScroll.SetEnabled(false);
    app_.SetTaskVisible(false);
    return;
  }
  tmrScroll.SetEnabled(true);
  tmrScheduler.SetEnabled(false);
  tmrMemoryInspected.SetEnabled(false);
  app_.SetTaskVisible(true);
  if (Visible()) SaveSetting("Settings", "Minimized", "No");
}

void FrmMain::Form_QueryUnload(int& cancel, ui::UnloadMode mode) {
  SaveSetting(kOptions, "RESTART", "False");
  SaveSetting(kOptions, "STATUS", "STOPPED");
  app_.RemoveTrayIcon();
}

void FrmMain::Form_Unload(int& cancel) {
  ShutdownSequence();
}

void FrmMain::ShutdownSequence() {
  auto& list = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  for (int c = 0; c < list.ColumnCount(); ++c) {
    SaveSetting("Settings", "FoundCol2" + std::to_string(c + 1),
                std::to_string(list.Column(c).width));
  }
  SaveSetting("Settings", "Max", GetWindowState() == ui::WindowState::Maximized ? "1" : "0");
  SetWindowState(ui::WindowState::Minimized);
  Hide();
  app_.UnloadOtherWindows();
  app_.EndProcess(0);
}

}  // namespace app
