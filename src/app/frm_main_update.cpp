// The main window's Live Update: the command, and the automatic run after five idle minutes.
#include "app/app.h"
#include "app/frm_main.h"
#include "app/options.h"
#include "localization/message_keys.h"
#include "scheduler/schedule.h"
#include "update/frm_download.h"
#include "update/frm_signature_updated.h"
#include "update/live_update.h"
#include "update/update_key.h"

namespace app {

void FrmMain::cmdUpdate_Click() {
  // Live Update lets window messages run while it waits for the server; a second click of one
  // of its commands meanwhile must not start a second merge into the same files.
  if (updating_) return;
  updating_ = true;
  SetBackgroundTimers(false);
  cmdLiveUpdate.SetEnabled(false);

  update::frmDownload& progress = app_.windows.frmDownload();
  update::LiveUpdateObserver observer;
  observer.openProgress = [&progress] { progress.Show(); };
  // After Cancel the texts still go to the window, which stays closed.
  observer.showStatus = [&progress](const std::string& text) { progress.txtStatus.SetText(text); };
  observer.letEventsRun = [this] { GetHost().DoEvents(); };
  observer.showDefinitionsDate = [this](const std::string& text) {
    lblDefVersion.SetCaption(text);
  };
  update::LiveUpdate live(
      {app_.machine, app_.state.dataFolder, app_.DefinitionServer(), app_.brand.ProgramName,
       app_.brand.CompanyName, update::BuiltPublicKey()},
      std::move(observer));
  const std::int32_t changes = live.CheckForNewDefinitions();

  update::frmSignatureUpdated& notice = app_.windows.frmSignatureUpdated();
  if (changes < 1) {
    notice.Show();
    // A refused answer must not read as "most recent": the user would trust stale definitions.
    notice.lblUpdateInfo.SetCaption(app_.Message(live.Refused() ? localization::msg::kUpdateRefused
                                                                : localization::msg::kRecentDefs));
  } else {
    SaveSetting(kOptions, "SHOW", "True");
    SaveSetting(kOptions, "RESTART", "True");
    progress.RemoveTrayIcon();
    notice.Show();
    notice.lblUpdateInfo.SetCaption(app_.Message(localization::msg::kUpdatedDefs));
    app_.state.definitionCount = app_.CountDefinitions();
    RefreshStatusPage();
    cmdScan.SetEnabled(true);
  }
  notice.tmrPopupSignatureUpdate.SetEnabled(true);
  if (live.Succeeded()) {
    Save(option::kLastLiveUpdate, scheduler::DateText(app_.machine.clock.Now()));
  }
  ShowDefinitionsFreshness();

  progress.Unload();
  cmdLiveUpdate.SetEnabled(true);
  SetBackgroundTimers(true);
  updating_ = false;
}

void FrmMain::cmdUpdate_MouseDown(const ui::MouseArgs& args) {
  // Shift alone (no Ctrl, no Alt).
  constexpr int kShift = 1;
  if (args.shift != kShift) return;
  app_.machine.desktop.MessageBox(
      update::DefinitionDownloadList(app_.brand.Website, app_.DefinitionServer()),
      app_.brand.ProgramName, platform::kMbOk);
}

void FrmMain::timUpdate_Timer() {
  // Only while no scan runs; the update runs once per run of the program.
  if (app_.state.autoUpdate.Tick(cmdScanNow.Enabled())) {
    cmdUpdate_Click();
    timUpdate.SetEnabled(false);
  }
}

}  // namespace app
