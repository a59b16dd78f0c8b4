// The results page's Delete command: removes the ticked findings, backed up in the quarantine,
// inside a system restore point, and lists the files that stayed.
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/hives.h"
#include "definitions/locations.h"
#include "definitions/protected_paths.h"
#include "platform/desktop.h"
#include "platform/restore.h"
#include "removal/frm_delete.h"
#include "removal/trace_removal.h"
#include "scan/scan_context.h"

namespace app {

namespace {

// The driver lets the event loop run this often before it starts, so the progress controls are
// painted and whatever the user did last (the click, the confirmation) is finished.
constexpr int kGatheringYields = 20001;

bool AnyChecked(const ui::ListView& list) {
  return std::any_of(list.Items().begin(), list.Items().end(),
                     [](const ui::ListItem& row) { return row.checked; });
}

}  // namespace

void FrmMain::Command4_Click() {
  platform::Desktop& desktop = app_.machine.desktop;
  if (!AnyChecked(lvwPicRemoveListOfSpywareFoundAndToBeRemoved)) {
    if (!app_.autoDeleteInProgress) {
      app_.Tell(app_.Message("MSG_SELECTED"));
    }
    return;
  }
  std::string question =
      app_.Paragraphs({"MSG_CONFIRM1", "MSG_CONFIRM2"}) + "\r\n\r\n" + app_.quarantine.Folder();
  if (app_.restorePoint.IsRestorePointSupported()) {
    question += "\r\n\r\n" + app_.Paragraphs({"MSG_CONFIRM3", "MSG_CONFIRM4"});
  }
  if (!app_.autoDeleteInProgress && desktop.MessageBox(question, app_.Message("MSG_REALLY"),
                                                       platform::kMbYesNo) != platform::kIdYes) {
    return;
  }
  app_.frmDelete().lstProblem.Clear();
  lblRemove_Click();
}

void FrmMain::lblRemove_Click() {
  ui::Host& host = GetHost();
  // The window stays live while the removal yields; the commands that would change the lists
  // under it (another Delete, Exclude, a new scan) wait until it has ended.
  std::vector<std::pair<ui::Control*, bool>> held;
  for (ui::Control* command :
       std::initializer_list<ui::Control*>{&Command4, &cmdExclude, &cmdSelectAll, &cmdScan}) {
    held.emplace_back(command, command->Enabled());
    command->SetEnabled(false);
  }
  app_.quarantine.CreateFolder();
  tmrScroll.SetEnabled(false);
  SetBackgroundTimers(false);

  ShowRemovalProgress(true);
  lblDeletingPercentageCompleted.SetCaption(app_.Message("MSG_INFORMATION"));
  for (int i = 0; i < kGatheringYields; ++i) host.DoEvents();
  lblDeletingPercentageCompleted.SetCaption("");

  // Whether the system offers restore points cannot change during the removal.
  const bool restorePoints = app_.restorePoint.IsRestorePointSupported();
  if (restorePoints) {
    lblDeletingPercentageCompleted.SetCaption(app_.Message("MSG_RESTOREPOINT"));
    host.DoEvents();
    const std::string timestamp = app_.machine.clock.FormatDate(app_.machine.clock.Now());
    // A refusal (System Restore switched off, a point still open) does not stop the removal.
    app_.restorePoint.BeginRestorePoint(app_.brand.ProgramName + " Restore Point " + timestamp,
                                        platform::kRestorePointRestore);
  }

  removal::TraceRemover remover(app_.machine, app_.quarantine, [&host] { host.DoEvents(); });
  app_.quarantine.SetLogToQuarantine(true);
  RemoveCheckedItems(remover, false);
  app_.quarantine.SetLogToQuarantine(false);
  RemoveCheckedItems(remover, true);

  if (restorePoints) app_.restorePoint.EndRestorePoint();

  app_.results().RemoveChecked();
  lblDeletingCaption.SetCaption("");

  pgbDeleteSpywaresFound.SetValue(pgbDeleteSpywaresFound.Max());
  lblDeletingPercentageCompleted.SetCaption("100% " + app_.Message("MSG_COMPLETE"));
  SetBackgroundTimers(true);

  // The total counts what the results page showed, ticked or not.
  const auto total = ReadNumber(Setting("Settings", "lblDefRemoved", "0"));
  const auto found = ReadNumber(lblRemovePicSoftwareFound.Caption());
  const auto traces = ReadNumber(lbltracesFound.Caption());
  const auto software = ReadNumber(lblSoftwareFound.Caption());
  if (total && found && traces && software) {
    SaveSetting("Settings", "lblDefRemoved", std::to_string(*total + *found + *traces + *software));
  }

  if (chkSendData.Checked()) app_.SubmitRunningPrograms();
  RefreshStatusPage();
  ShowRemovalProgress(false);
  for (const auto& [command, enabled] : held) command->SetEnabled(enabled);
}

void FrmMain::ShowRemovalProgress(bool visible) {
  pgbDeleteSpywaresFound.SetVisible(visible);
  lblDeletingPercentageCompleted.SetVisible(visible);
  lblDeletingCaption.SetVisible(visible);
}

void FrmMain::RemoveCheckedItems(removal::TraceRemover& remover, bool retryPass) {
  ui::Host& host = GetHost();
  auto& details = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  removal::frmDelete& failed = app_.frmDelete();
  const std::uintptr_t window = host.WindowHandle(*this);
  int failures = 0;

  if (details.Count() > 0) {
    pgbDeleteSpywaresFound.SetVisible(true);
    lblDeletingPercentageCompleted.SetVisible(true);
    lblDeletingPercentageCompleted.SetCaption(app_.Message("MSG_REMOVING"));
    pgbDeleteSpywaresFound.SetValue(0);
    pgbDeleteSpywaresFound.SetMax(lvwRegistryToBeDeleted.Count() + lvwFilesToBeDeleted.Count());
  }
  // One step per ticked row; a value past the maximum is refused by the bar and nothing else.
  const std::string removing = app_.Message("MSG_REMOVING2") + " : ";
  const std::string completed = "% " + app_.Message("MSG_COMPLETED");
  const auto progress = [&](int row, int rows, const std::string& caption) {
    pgbDeleteSpywaresFound.SetValue(pgbDeleteSpywaresFound.Value() + 1);
    lblDeletingPercentageCompleted.SetCaption(removing + std::to_string(scan::Percent(row, rows)) +
                                              completed);
    lblDeletingCaption.SetCaption(common::LowerCase(caption));
  };
  // A trace that stayed is listed once, and it and its threat are unticked so that they stay
  // on the results page for the user to deal with. The threat is the details row of that name;
  // a folder or cookie, which have none, is the details row of its location.
  const auto stayed = [&](ui::ListView& list, int row, const std::string& threat,
                          const std::string& shown) {
    if (row >= list.Count()) return;
    const std::string path = list.Item(row).text;
    failed.lstProblem.Add(shown);
    ++failures;
    for (int index = 0; index < details.Count(); ++index) {
      const ui::ListItem& candidate = details.Item(index);
      if (threat.empty() ? candidate.Column(1) == path : candidate.text == threat) {
        details.SetChecked(index, false);
        break;
      }
    }
    list.SetChecked(row, false);
  };

  platform::Files& fileSystem = app_.machine.files;
  definitions::ProtectedPaths& protectedPaths = app_.protectedPaths;
  const int files = lvwFilesToBeDeleted.Count();
  for (int row = 0; row < lvwFilesToBeDeleted.Count(); ++row) {
    if (!lvwFilesToBeDeleted.Item(row).checked) continue;
    // The spelling Windows acts on; protection is tested on it again, as the definitions and
    // Safety.dat may have changed since the scan.
    const std::string path =
        definitions::CanonicalFilePath(fileSystem, lvwFilesToBeDeleted.Item(row).text);
    progress(row + 1, files, lvwFilesToBeDeleted.Item(row).text);
    if (protectedPaths.IsProtectedPath(path)) {
      host.DoEvents();
      if (retryPass && row < lvwFilesToBeDeleted.Count()) {
        stayed(lvwFilesToBeDeleted, row, lvwFilesToBeDeleted.Item(row).Column(1), path);
      }
      continue;
    }
    const std::string extension = common::UpperCase(removal::GetExtension(path));
    if (extension == "EXE") {
      remover.RemoveExe(path);
    } else if (extension == "DLL" || extension == "OCX") {
      // Unregistering looks the library's entry up only; RemoveLibrary does that itself.
      remover.RemoveLibrary(path, window);
      remover.RemoveFileOrFolder(path);
    } else {
      remover.RemoveFileOrFolder(path);
    }
    host.DoEvents();
    if (!retryPass || row >= lvwFilesToBeDeleted.Count()) continue;
    if (common::FileExists(app_.machine.files, path)) {
      if (common::FindNoCase(path, ".exe") != std::string::npos) remover.RemoveExe(path);
    }
    // Besides files that resisted, whatever was kept for want of a backup (folders too).
    if (common::FileExists(app_.machine.files, path) ||
        (remover.KeptWithoutBackup(path) && common::FolderExists(app_.machine.files, path))) {
      stayed(lvwFilesToBeDeleted, row, lvwFilesToBeDeleted.Item(row).Column(1), path);
    }
  }

  const int keys = lvwRegistryToBeDeleted.Count();
  for (int row = 0; row < lvwRegistryToBeDeleted.Count(); ++row) {
    const ui::ListItem& item = lvwRegistryToBeDeleted.Item(row);
    if (!item.checked) continue;
    // The key as the scan looked it up; the value exactly as found (a value named " " is still
    // a value: trimmed to nothing it would turn into the deletion of the whole key).
    const std::string key = definitions::CanonicalKeyPath(item.Column(1));
    const std::string value = item.Column(2);
    const std::string threat = item.Column(3);
    progress(row + 1, keys, item.Column(1) + "\\" + item.Column(2));
    const auto hive = definitions::ParseHiveNumber(item.text);
    if (hive && !key.empty()) {
      const std::string keyPath = definitions::HiveNameFromHandle(*hive) + "\\" + key;
      const std::string location = value.empty() ? keyPath : keyPath + "\\" + value;
      if (protectedPaths.IsProtectedPath(location) ||
          (!value.empty() && protectedPaths.IsProtectedPath(keyPath + value))) {
        host.DoEvents();
        if (retryPass) stayed(lvwRegistryToBeDeleted, row, threat, location);
        continue;
      }
      if (!value.empty()) {
        remover.DeleteRegistryValue(*hive, key, value);
      } else {
        remover.DeleteRegistryValue(*hive, key, "");
        remover.DeleteRegistryKey(*hive, key);
      }
    }
    host.DoEvents();
  }

  const int cookies = lvwCookiesToDelete.Count();
  for (int row = 0; row < lvwCookiesToDelete.Count(); ++row) {
    if (!lvwCookiesToDelete.Item(row).checked) continue;
    const std::string path =
        definitions::CanonicalFilePath(fileSystem, lvwCookiesToDelete.Item(row).text);
    progress(row + 1, cookies, lvwCookiesToDelete.Item(row).text);
    const bool refused = protectedPaths.IsProtectedPath(path);
    if (!refused && common::FileExists(fileSystem, path)) remover.QuarantineCookie(path);
    host.DoEvents();
    // A cookie is only ever kept for want of a backup or by protection; it is listed like a
    // file.
    if (retryPass && row < lvwCookiesToDelete.Count() &&
        (refused || remover.KeptWithoutBackup(path)) && common::FileExists(fileSystem, path)) {
      stayed(lvwCookiesToDelete, row, "", path);
    }
  }

  if (failures > 0) failed.Show();
}

}  // namespace app
