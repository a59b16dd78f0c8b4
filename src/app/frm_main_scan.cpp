// The scan page: Start, the stages in their order, progress, Stop and Pause, the results' ticks
// and the drive list.
#include "app/app.h"
#include "app/frm_main.h"
#include "definitions/definition_files.h"
#include "definitions/protected_paths.h"
#include "platform/desktop.h"
#include "removal/frm_delete.h"
#include "scan/stages.h"

namespace app {

void FrmMain::cmdScanNow_Click() {
  scan::ScanState& state = app_.scanState;
  tmrScroll.SetEnabled(false);
  app_.frmDelete().Hide();
  app_.frmDelete().lstProblem.Clear();

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
  SaveSetting("Settings", "lblLastScan", state.scanEndTime);
  if (optScanAllSelectedHardDrive.Value()) {
    SaveSetting("Settings", "lblLastFullScan", state.scanEndTime);
  }
  if (chkMakeLog.Checked()) app_.MakeReport();

  cmdRemove.SetVisible(true);
  cmdRemove.SetEnabled(true);
  cmdResults.SetEnabled(true);
  cmdSettings.SetEnabled(true);
  shpCircle.SetVisible(false);

  if (state.stopRequested) {
    LockMainWindow(true);
    lblStatus(0).SetCaption(app_.Message("MSG_SCAN_CANCELLED"));
    lblPercentageCompleted.SetCaption("0% " + app_.Message("MSG_COMPLETED"));
    pbgMain.SetValue(0);
    LockMainWindow(false);
  } else {
    LockMainWindow(true);
    lblStatus(0).SetCaption(app_.Message("MSG_SCAN_COMPLETED"));
    pb1.SetValue(100);
    pb2.SetValue(100);
    LockMainWindow(false);
    if (app_.autoDeleteInProgress) {
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
  scan::ScanState& state = app_.scanState;
  platform::Machine& machine = app_.machine;
  const std::string& data = app_.dataFolder;
  if (!definitions::CheckDefinitionFiles(machine.files, data, [this] {
        lblDefVersion.SetCaption(app_.Message("MSG_MISSINGFILES"));
      })) {
    app_.Tell(app_.Message("MSG_MISSING"));
    return;
  }
  auto stop = [&state] { return state.stopRequested; };
  auto yield = [this] { GetHost().DoEvents(); };
  app_.protectedPaths.LoadSafetyList(data, stop, yield);
  const definitions::DefinitionCounts counts = definitions::CountDefinitions(machine.files, data);

  pbgMain.SetVisible(false);
  pbgMain.SetMax(100);
  pbgMain.SetValue(0);
  for (ui::ProgressBar* bar : {&pb1, &pb2}) {
    bar->SetMax(100);
    bar->SetValue(0);
  }

  scan::ScanContext context{
      machine,
      app_.results(),
      state.counters,
      app_.exclusions,
      app_.protectedPaths,
      data,
      counts,
      state.statusPrefix,
      [this](const std::string& text, int stagePercent, int overallPercent) {
        UpdateScanProgress(text, stagePercent, overallPercent);
      },
      yield,
      stop,
      [this](const std::string& key) { return app_.Message(key); },
      [this] { return !cmdScan.Enabled(); },
      &lblTotalNoOfRunningItems,
      [this](bool lock) { LockMainWindow(lock); },
      {},
      &state.keptProcessDefinitions};

  auto beginStage = [&](const char* message) {
    LockMainWindow(true);
    lblPercentageCompleted.SetCaption(app_.Message(message));
    state.statusPrefix = app_.Message(message) + ": ";
  };
  const int cookiesShare = scan::Percent(counts.cookies, counts.total);

  if (ReadNumber(Setting(kOptions, "chkScanCookies", "1")) == 1L) {
    shpCircle.SetVisible(false);
    beginStage("MSG_COOKIES");
    LockMainWindow(false);
    scan::ScanCookies(context);
    LockMainWindow(true);
    pb1.SetValue(100);
    if (cookiesShare >= 0) pb2.SetValue(cookiesShare);
    lblStatus(0).SetCaption(app_.Message("MSG_COOKIES_FINISHED"));
    LockMainWindow(false);
  }

  if (ReadBool(Setting(kOptions, "chkSweepMemory", "True")).value_or(false)) {
    beginStage("MSG_MEMORY");
    LockMainWindow(false);
    scan::ScanMemory(context);
  } else {
    lblMemoryInspected.SetCaption(app_.Message("MSG_NOTSELECED"));
  }

  beginStage("MSG_REGISTRY");
  pb1.SetValue(0);
  if (cookiesShare >= 0) pb2.SetValue(cookiesShare);
  LockMainWindow(false);
  if (ReadBool(Setting(kOptions, "chkScanRegistry", "True")).value_or(false)) {
    shpCircle.Move(Label4.Left() - 250, Label4.Top() + 11, shpCircle.Width(), shpCircle.Height());
    scan::ScanRegistry(context);
  } else {
    lblRegistryInspected.SetCaption(app_.Message("MSG_NOTSELECED"));
  }

  pbgMain.SetMax(100);
  beginStage("MSG_SPYWARE");
  pbgMain.SetValue(0);
  LockMainWindow(false);
  shpCircle.Move(Label5.Left() - 250, Label5.Top() + 11, shpCircle.Width(), shpCircle.Height());
  scan::ScanFileDefinitions(context);
  scan::ScanDirectoryDefinitions(context);

  pbgMain.SetMax(100);
  UpdateScanProgress("Scan Complete", 100, 100, true);
}

void FrmMain::UpdateScanProgress(const std::string& text, int stagePercent, int overallPercent,
                                 bool force) {
  scan::ScanState& state = app_.scanState;
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
  app.scanState.stopRequested = true;
}

// The box is shown from inside the scan's own yield, so the scan waits until it is closed.
void PauseScan(App& app, std::initializer_list<ui::Control*> commands) {
  for (ui::Control* command : commands) command->SetEnabled(false);
  app.Tell(app.Message("MSG_PAUSED"));
  for (ui::Control* command : commands) command->SetEnabled(true);
}

}  // namespace

void FrmMain::cmdStop_Click() { AskToStop(app_, "MSG_STOP"); }

void FrmMain::lblStop_Click() { AskToStop(app_, "MSG_SURE"); }

void FrmMain::cmdPause_Click() { PauseScan(app_, {&cmdPause, &cmdStop}); }

void FrmMain::lblPause_Click() { PauseScan(app_, {&lblPause}); }

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
  const ui::ListItem& item = details.Item(detailsRow);
  const bool checked = item.checked;
  const std::string name = item.text;
  const std::string location = item.Column(1);
  // Which work list holds the threat's traces, and how a trace row is recognised, by the kind
  // of the details row. Comparisons are exact.
  auto tick = [checked](ui::ListView& list, auto matches) {
    for (int row = 0; row < list.Count(); ++row) {
      if (matches(list.Item(row))) list.SetChecked(row, checked);
    }
  };
  // The rows of the details row's own kind: cookies and folders by location, registry entries
  // by their key too (a key entry's details row is named after it).
  switch (item.smallIcon) {
    case scan::kIconCookie:
      tick(lvwCookiesToDelete, [&](const ui::ListItem& row) { return row.text == location; });
      break;
    case scan::kIconRegistry:
      tick(lvwRegistryToBeDeleted, [&](const ui::ListItem& row) { return row.Column(1) == name; });
      break;
    case scan::kIconFolder:
      tick(lvwFilesToBeDeleted, [&](const ui::ListItem& row) { return row.text == location; });
      break;
    case scan::kIconFile:
      break;
    default:
      return;
  }
  // A threat has one details row, of the kind of its first trace, but its traces may be of
  // every kind: the registry entries and files of the same threat go with it, or deleting a
  // threat found first in the registry would leave its programs behind.
  if (name.empty()) return;
  tick(lvwRegistryToBeDeleted, [&](const ui::ListItem& row) { return row.Column(3) == name; });
  tick(lvwFilesToBeDeleted, [&](const ui::ListItem& row) {
    return row.Column(1) == name || row.Column(2) == name;
  });
}

void FrmMain::FillDriveList() {
  for (const platform::DriveInfo& drive : app_.machine.files.Drives()) {
    const bool listed = drive.type == platform::kDriveRemovable ||
                        (drive.type == platform::kDriveFixed && drive.ready) ||
                        drive.type == platform::kDriveRemote ||
                        drive.type == platform::kDriveCdRom;
    if (listed) lvwHardDrives.Add(drive.letter);
  }
}

void FrmMain::lvwHardDrives_ItemCheck(int) {
  for (const ui::ListItem& row : lvwHardDrives.Items()) {
    SaveSetting("Drives", row.text, BoolText(row.checked));
  }
}

}  // namespace app
