// The main window's life: the start-up sequence, the window-state rule, the status page, the
// background timers, the tray and the shutdown.
#include <cstdio>

#include "app/app.h"
#include "app/form8.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/tray/frm_menu_pop_up.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "removal/frm_delete.h"

namespace app {

namespace {

// The tray icon's mouse events: WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN and
// WM_RBUTTONDBLCLK. Every other event of the icon is ignored.
constexpr int kTrayLeftButtonDown = 513;
constexpr int kTrayLeftDoubleClick = 515;
constexpr int kTrayRightButtonDown = 516;
constexpr int kTrayRightDoubleClick = 518;

}  // namespace

std::string FrmMain::Setting(const std::string& section, const std::string& key,
                             const std::string& defaultValue) const {
  return app_.GetSetting(section, key, defaultValue);
}

void FrmMain::SaveSetting(const std::string& section, const std::string& key,
                          const std::string& value) {
  app_.SaveSetting(section, key, value);
}

std::string FrmMain::Stored(const Option& option) const {
  return app_.GetSetting(option.section, option.key, option.defaultText);
}

std::optional<bool> FrmMain::Read(const Option& option) const {
  return OptionValue(option, Stored(option));
}

void FrmMain::Save(const Option& option, bool value) {
  app_.SaveSetting(option.section, option.key, OptionText(option, value));
}

void FrmMain::Save(const Option& option, const std::string& text) {
  app_.SaveSetting(option.section, option.key, text);
}

void FrmMain::Form_Load() {
  // The program's own state is set by now (RunStartUpSteps); this is the window's part.
  SetIcon(app_.windows.splash().Icon());
  RefreshStatusPage();
  HideAllPages();
  frmStatus.SetCaption(app_.brand.ProgramName + " Status");
  frmStatus.SetVisible(true);
  // From here on each step ignores its own failure.
  StartUpRest();
}

void FrmMain::StartUpRest() {
  if (app_.machine.desktop.AnotherInstanceRunning()) {
    app_.EndProcess(0);
    return;
  }
  Save(option::kStatus, std::string("RUNNING"));
  Save(option::kRestart, false);
  app_.windows.hidden().Load();
  SetCaption(app_.Message(localization::msg::kCaption));
  cmdWebsite.SetCaption(app_.Message(localization::msg::kWebsite));
  shpCircle.SetVisible(false);
  app_.SetTaskVisible(false);
  SetBackgroundTimers(false);
  app_.LoadSchedule();
  FillDriveList();
  LoadSettingsIntoControls();
  SetBackgroundTimers(true);
  tmrScroll.SetEnabled(false);
  app_.windows.frmDelete().Load();
  app_.windows.frmDelete().Hide();
  Label22.SetCaption(app_.Message(localization::msg::kCaption2));

  // Help on the first start.
  if (Stored(option::kShowHelp) == "1") {
    mnuHelp_Click(0);
    Save(option::kShowHelp, false);
  }
  // Automatic Live Update after five idle minutes.
  if (ReadNumber(Stored(option::kAutomaticUpdate)) == 1L) {
    timUpdate.SetEnabled(true);
  }
  // Start in the tray.
  if (Stored(option::kMinimized) == "Yes") {
    SendToTray();
  } else if (app_.brand.startsInTrayAtStartup && chkRunAtStartup.Checked()) {
    SendToTray();
  }
  // The first-run greeting, which offers Live Update.
  if (!app_.GetMachineSetting("Settings", "FirstTime", "").empty()) return;
  app_.SaveMachineSetting("Settings", "FirstTime", "Yes");
  const std::string text = app_.Paragraphs(
      {localization::msg::kThank1, localization::msg::kThank2, localization::msg::kThank3});
  if (app_.machine.desktop.MessageBox(text, app_.Message(localization::msg::kThank4),
                                      platform::kMbYesNo) == platform::kIdYes) {
    cmdUpdate.Click();
  }
}

void FrmMain::RefreshStatusPage() {
  lblDefCount.SetCaption(app_.machine.clock.FormatWholeNumber(app_.state.definitionCount));
  lblVersion.SetCaption(branding::VersionText(app_.machine.system));
  lblDefVersion.SetCaption(app_.ReadDefinitionsDate() + " PST");
  lblDefRemoved.SetCaption(Stored(option::kRemovedTotal));
  lblLastScan.SetCaption(Stored(option::kLastScan));
  lblLastFullScan.SetCaption(Stored(option::kLastFullScan));
  ShowDefinitionsFreshness();
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
  if (auto scheduled = Read(option::kAutomaticScan)) tmrScheduler.SetEnabled(*scheduled);
  if (auto homePage = Read(option::kHomePageShieldOn)) tmrCheckHomePage.SetEnabled(*homePage);
  if (auto memory = Read(option::kMemoryShieldOn)) {
    tmrMemoryInspected.SetEnabled(*memory);
  }
}

void FrmMain::SendToTray() {
  SetWindowState(ui::WindowState::Minimized);
  Hide();
  // Enabling "Show Program" loads the pop-up menu when it is not loaded, so the menu slides up
  // once to show where the program went.
  app_.windows.menuPopUp().Load();
  app_.windows.menuPopUp().mnuMaxmimaize.SetEnabled(true);
  app_.tray.ShowIcon(*this);
  app_.tray.ChangeToolTip(*this, app_.brand.ProgramName);
  Save(option::kMinimized, std::string("Yes"));
}

void FrmMain::Form_MouseMove(const ui::MouseArgs& args) {
  const int twipsPerPixel = app_.machine.desktop.TwipsPerPixelX();
  if (twipsPerPixel <= 0) return;
  switch (args.x / twipsPerPixel) {
    case kTrayLeftButtonDown:
    case kTrayRightButtonDown:
      app_.windows.menuPopUp().Show();
      break;
    case kTrayLeftDoubleClick:
    case kTrayRightDoubleClick:
      SetWindowState(ui::WindowState::Normal);
      Show();
      // A menu never loaded is not loaded only to be hidden.
      if (app_.windows.HasMenuPopUp() && app_.windows.menuPopUp().IsLoaded())
        app_.windows.menuPopUp().HideMenu();
      break;
    default:
      break;
  }
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
  if (Visible()) Save(option::kMinimized, std::string("No"));
}

void FrmMain::Form_QueryUnload(int& cancel, ui::UnloadMode mode) {
  Save(option::kRestart, false);
  Save(option::kStatus, std::string("STOPPED"));
  app_.tray.RemoveIcon(*this);
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
  Save(option::kMaximized, GetWindowState() == ui::WindowState::Maximized);
  SetWindowState(ui::WindowState::Minimized);
  Hide();
  app_.windows.UnloadAllButMain();
  app_.EndProcess(0);
}

}  // namespace app
