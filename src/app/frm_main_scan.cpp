// The scan page: Start, the stages in their order, progress, Stop and Pause, the results' ticks
// and the drive list.
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "definitions/definition_files.h"
#include "definitions/protected_paths.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "removal/frm_delete.h"
#include "scan/scan_run.h"
#include "ui/held_controls.h"

namespace app {

void FrmMain::cmdScanNow_Click() {
  scan::ScanState& state = app_.state.scan;
  tmrScroll.SetEnabled(false);
  app_.windows.frmDelete().Hide();
  app_.windows.frmDelete().lstProblem.Clear();

  shpCircle.Move(1215, 645, shpCircle.Width(), shpCircle.Height());
  shpCircle.SetVisible(false);
  cmdRemove.SetVisible(false);
  cmdResults.SetEnabled(false);
  cmdSettings.SetEnabled(false);
  SetBackgroundTimers(false);

  SetScanCommands(true);

  LockMainWindow(true);
  for (ui::Label* label : {&lblRegistryInspected, &lblFilesFolderInspected, &lblMemoryInspected,
                           &lblSoftwareFound, &lblRemovePicSoftwareFound, &lbltracesFound,
                           &lblPercentageCompleted, &lblStatus(0), &lblTotalNoOfRunningItems}) {
    label->SetCaption("0");
  }
  state.counters = {};
  app_.results().Clear();
  LockMainWindow(false);

  state.stopRequested = false;
  platform::Clock& clock = app_.machine.clock;
  state.scanStartTime = clock.FormatDate(clock.Now());
  RunScan();
  state.scanEndTime = clock.FormatDate(clock.Now());
  Save(option::kLastScan, state.scanEndTime);
  if (optScanAllSelectedHardDrive.Value()) {
    Save(option::kLastFullScan, state.scanEndTime);
  }
  if (chkMakeLog.Checked()) app_.MakeReport();

  cmdRemove.SetVisible(true);
  cmdRemove.SetEnabled(true);
  cmdResults.SetEnabled(true);
  cmdSettings.SetEnabled(true);
  shpCircle.SetVisible(false);

  if (state.stopRequested) {
    LockMainWindow(true);
    lblStatus(0).SetCaption(app_.Message(localization::msg::kScanCancelled));
    lblPercentageCompleted.SetCaption("0% " + app_.Message(localization::msg::kCompleted));
    pbgMain.SetValue(0);
    LockMainWindow(false);
  } else {
    LockMainWindow(true);
    lblStatus(0).SetCaption(app_.Message(localization::msg::kScanCompleted));
    pb1.SetValue(100);
    pb2.SetValue(100);
    LockMainWindow(false);
    if (app_.state.autoDeleteInProgress) {
      cmdRemove.Click();
      cmdSelectAll.Click();
      Command4.Click();
    }
  }

  SetScanCommands(false);
  SetBackgroundTimers(true);
  tmrTimeOut.SetEnabled(true);
  RefreshStatusPage();
}

void FrmMain::SetScanCommands(bool scanning) {
  // The scan page's idle commands swap with its running ones. The shields tell a scan from
  // their own runs by the disabled "Scan Now".
  for (ui::Control* idle : {&cmdScanNow, &cmdScan, &cmdLog, &cmdUpdate, &cmdStatus}) {
    idle->SetEnabled(!scanning);
  }
  cmdStop.SetEnabled(scanning);
  cmdPause.SetEnabled(scanning);
}

void FrmMain::RunScan() {
  scan::ScanServices services = app_.ScanServices();
  services.userScan = [this] { return !cmdScan.Enabled(); };
  services.progress = [this](const std::string& text, int stagePercent, int overallPercent) {
    UpdateScanProgress(text, stagePercent, overallPercent);
  };
  scan::ScanRun run(std::move(services), ReadScanOptions(), ScanPageObserver());
  if (!run.Run()) app_.Tell(app_.Message(localization::msg::kMissing));
}

scan::ScanOptions FrmMain::ReadScanOptions() {
  scan::ScanOptions options;
  options.cookies = Read(option::kScanCookies).value_or(false);
  options.memory = Read(option::kSweepMemory).value_or(false);
  options.registry = Read(option::kScanRegistry).value_or(false);
  return options;
}

scan::ScanObserver FrmMain::ScanPageObserver() {
  scan::ScanObserver observer;
  observer.definitionsMissing = [this] {
    lblDefVersion.SetCaption(app_.Message(localization::msg::kMissingfiles));
  };
  observer.started = [this] {
    pbgMain.SetVisible(false);
    pbgMain.SetMax(100);
    pbgMain.SetValue(0);
    for (ui::ProgressBar* bar : {&pb1, &pb2}) {
      bar->SetMax(100);
      bar->SetValue(0);
    }
  };
  observer.stageBegan = [this](scan::Stage stage, const char* key, int donePercent) {
    if (stage == scan::Stage::Cookies) shpCircle.SetVisible(false);
    if (stage == scan::Stage::FilesAndFolders) pbgMain.SetMax(100);
    LockMainWindow(true);
    lblPercentageCompleted.SetCaption(app_.Message(key));
    if (stage == scan::Stage::Registry) {
      pb1.SetValue(0);
      if (donePercent >= 0) pb2.SetValue(donePercent);
    }
    if (stage == scan::Stage::FilesAndFolders) pbgMain.SetValue(0);
    LockMainWindow(false);
  };
  observer.stageSkipped = [this](scan::Stage stage) {
    ui::Label& label = stage == scan::Stage::Memory ? lblMemoryInspected : lblRegistryInspected;
    label.SetCaption(app_.Message(localization::msg::kNotseleced));
  };
  // The circle marks the stage at work on the scan page.
  observer.stageRunning = [this](scan::Stage stage) {
    const ui::Label* mark = stage == scan::Stage::Registry          ? &Label4
                            : stage == scan::Stage::FilesAndFolders ? &Label5
                                                                    : nullptr;
    if (mark != nullptr) {
      shpCircle.Move(mark->Left() - 250, mark->Top() + 11, shpCircle.Width(), shpCircle.Height());
    }
  };
  observer.stageEnded = [this](scan::Stage stage, int overallPercent) {
    if (stage != scan::Stage::Cookies) return;
    LockMainWindow(true);
    pb1.SetValue(100);
    if (overallPercent >= 0) pb2.SetValue(overallPercent);
    lblStatus(0).SetCaption(app_.Message(localization::msg::kCookiesFinished));
    LockMainWindow(false);
  };
  observer.finished = [this] {
    pbgMain.SetMax(100);
    UpdateScanProgress("Scan Complete", 100, 100, true);
  };
  return observer;
}

void FrmMain::UpdateScanProgress(const std::string& text, int stagePercent, int overallPercent,
                                 bool force) {
  scan::ScanState& state = app_.state.scan;
  ++state.refreshTick;
  if (state.refreshTick < 100 && !force) return;
  LockMainWindow(true);
  const scan::ScanCounters& counters = state.counters;
  lblMemoryInspected.SetCaption(std::to_string(counters.cookiesAndProcessesInspected));
  lblRegistryInspected.SetCaption(std::to_string(counters.registryEntriesInspected));
  lblFilesFolderInspected.SetCaption(std::to_string(counters.filesAndFoldersInspected));
  lblSoftwareFound.SetCaption(std::to_string(counters.threatsFound));
  lblRemovePicSoftwareFound.SetCaption(std::to_string(counters.threatsFound));
  lblStatus(0).SetCaption(scan::FilterStatusText(text));
  if (stagePercent >= 0) pb1.SetValue(stagePercent);
  if (overallPercent >= 0) pb2.SetValue(overallPercent);
  LockMainWindow(false);
  state.refreshTick = 0;
}

void FrmMain::LockMainWindow(bool lock) {
  if (!Visible()) return;
  GetHost().LockUpdates(lock ? this : nullptr);
}

namespace {

// Stop asks first; Yes ends the scan at the stages' next check.
void AskToStop(App& app, const std::string& message) {
  if (app.Tell(app.Message(message), platform::kMbYesNo | platform::kMbIconQuestion) !=
      platform::kIdYes) {
    return;
  }
  app.host.SetMousePointer(ui::kPointerDefault);
  app.state.scan.stopRequested = true;
}

// The box is shown from inside the scan's own yield, so the scan waits until it is closed.
void PauseScan(App& app, const std::vector<ui::Control*>& commands) {
  const ui::HeldControls held(commands);
  app.Tell(app.Message(localization::msg::kPaused));
}

}  // namespace

void FrmMain::cmdStop_Click() {
  AskToStop(app_, localization::msg::kStop);
}

void FrmMain::lblStop_Click() {
  AskToStop(app_, localization::msg::kSure);
}

void FrmMain::cmdPause_Click() {
  PauseScan(app_, {&cmdPause, &cmdStop});
}

void FrmMain::lblPause_Click() {
  PauseScan(app_, {&lblPause});
}

void FrmMain::lblStart_Click() {
  cmdScan_Click();
  cmdScanNow_Click();
}

void FrmMain::cmdSelectAll_Click() {
  auto& details = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  for (int row = 0; row < details.Count(); ++row) {
    if (details.Item(row).checked) continue;
    details.SetChecked(row, true);
    CheckTraceRows(row);
  }
}

void FrmMain::CheckTraceRows(int detailsRow) {
  auto& details = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  if (detailsRow < 0 || detailsRow >= details.Count()) return;
  app_.results().TickThreat(detailsRow, details.Item(detailsRow).checked);
}

void FrmMain::FillDriveList() {
  for (const platform::DriveInfo& drive : app_.machine.files.Drives()) {
    const bool listed = drive.type == platform::kDriveRemovable ||
                        (drive.type == platform::kDriveFixed && drive.ready) ||
                        drive.type == platform::kDriveRemote || drive.type == platform::kDriveCdRom;
    if (listed) lvwHardDrives.Add(drive.letter);
  }
}

void FrmMain::lvwHardDrives_ItemCheck(int) {
  for (const ui::ListItem& row : lvwHardDrives.Items()) {
    SaveSetting("Drives", row.text, BoolText(row.checked));
  }
}

}  // namespace app
