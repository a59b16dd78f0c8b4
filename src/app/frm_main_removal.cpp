// The results page's Delete command: removes the ticked findings, backed up in the quarantine,
// inside a system restore point, and lists the files that stayed.
#include <algorithm>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "common/text.h"
#include "definitions/protected_paths.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "platform/restore.h"
#include "removal/frm_delete.h"
#include "removal/removal_run.h"
#include "scan/scan_context.h"
#include "ui/held_controls.h"

namespace app {

namespace {

bool AnyChecked(const ui::ListView& list) {
  return std::any_of(list.Items().begin(), list.Items().end(),
                     [](const ui::ListItem& row) { return row.checked; });
}

}  // namespace

void FrmMain::Command4_Click() {
  platform::Desktop& desktop = app_.machine.desktop;
  if (!AnyChecked(lvwPicRemoveListOfSpywareFoundAndToBeRemoved)) {
    if (!app_.state.autoDeleteInProgress) {
      app_.Tell(app_.Message(localization::msg::kSelected));
    }
    return;
  }
  std::string question =
      app_.Paragraphs({localization::msg::kConfirm1, localization::msg::kConfirm2}) + "\r\n\r\n" +
      app_.quarantine.Folder();
  if (app_.restorePoint.IsRestorePointSupported()) {
    question +=
        "\r\n\r\n" + app_.Paragraphs({localization::msg::kConfirm3, localization::msg::kConfirm4});
  }
  if (!app_.state.autoDeleteInProgress &&
      desktop.MessageBox(question, app_.Message(localization::msg::kReally), platform::kMbYesNo) !=
          platform::kIdYes) {
    return;
  }
  app_.windows.frmDelete().lstProblem.Clear();
  lblRemove_Click();
}

void FrmMain::lblRemove_Click() {
  ui::Host& host = GetHost();
  // The window stays live while the removal yields; what would change the results under it
  // waits until it has ended. The lists' check boxes too: the removal took its items from the
  // ticks when it began, and what is ticked when it ends leaves the lists as removed.
  const ui::HeldControls held(ResultsHeldDuringRuns());
  tmrScroll.SetEnabled(false);
  SetBackgroundTimers(false);
  ShowRemovalProgress(true);

  const std::vector<removal::WorkItem> items = app_.results().TickedWorkItems();
  removal::RemovalRun::Settings settings;
  settings.programName = app_.brand.ProgramName;
  settings.window = host.WindowHandle(*this);
  settings.showPasses = lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Count() > 0;
  settings.barMaximum = lvwRegistryToBeDeleted.Count() + lvwFilesToBeDeleted.Count();
  removal::RemovalRun run(app_.machine, app_.quarantine, app_.restorePoint, app_.protectedPaths,
                          settings, RemovalProgressObserver());
  ShowFailures(run.Run(items));

  app_.results().RemoveChecked([&host] { host.YieldIfDue(); });
  lblDeletingCaption.SetCaption("");

  pgbDeleteSpywaresFound.SetValue(pgbDeleteSpywaresFound.Max());
  lblDeletingPercentageCompleted.SetCaption("100% " + app_.Message(localization::msg::kComplete));
  SetBackgroundTimers(true);

  // The total counts what the results page showed, ticked or not: the threats found (on two
  // labels) and the traces.
  if (const auto total = ReadNumber(Stored(option::kRemovedTotal))) {
    const long threats = app_.state.scan.counters.threatsFound;
    const auto traces = static_cast<long>(app_.results().findings().TraceCount());
    Save(option::kRemovedTotal, std::to_string(*total + 2 * threats + traces));
  }

  if (chkSendData.Checked()) app_.SubmitRunningPrograms();
  RefreshStatusPage();
  ShowRemovalProgress(false);
}

std::vector<ui::Control*> FrmMain::ResultsHeldDuringRuns() {
  // The lists first: a command that had the focus would otherwise pass it to a list that is
  // about to be disabled too.
  return {&lvwSpywareFound,
          &lvwPicRemoveListOfSpywareFoundAndToBeRemoved,
          &lvwFilesToBeDeleted,
          &lvwRegistryToBeDeleted,
          &lvwCookiesToDelete,
          &Command4,
          &cmdExclude,
          &cmdSelectAll,
          &cmdScan};
}

void FrmMain::ShowRemovalProgress(bool visible) {
  pgbDeleteSpywaresFound.SetVisible(visible);
  lblDeletingPercentageCompleted.SetVisible(visible);
  lblDeletingCaption.SetVisible(visible);
}

removal::RemovalObserver FrmMain::RemovalProgressObserver() {
  removal::RemovalObserver observer;
  observer.stage = [this](const char* key) {
    lblDeletingPercentageCompleted.SetCaption(*key == '\0' ? "" : app_.Message(key));
  };
  observer.passBegan = [this](int maximum) {
    pgbDeleteSpywaresFound.SetVisible(true);
    lblDeletingPercentageCompleted.SetVisible(true);
    pgbDeleteSpywaresFound.SetValue(0);
    pgbDeleteSpywaresFound.SetMax(maximum);
  };
  // One step per ticked row; a value past the maximum is refused by the bar and nothing else.
  const std::string removing = app_.Message(localization::msg::kRemoving2) + " : ";
  const std::string completed = "% " + app_.Message(localization::msg::kCompleted);
  observer.itemBegan = [this, removing, completed](const removal::WorkItem& item,
                                                   const std::string& caption) {
    pgbDeleteSpywaresFound.SetValue(pgbDeleteSpywaresFound.Value() + 1);
    lblDeletingPercentageCompleted.SetCaption(
        removing + std::to_string(scan::Percent(item.row, item.rows)) + completed);
    lblDeletingCaption.SetCaption(common::LowerCase(caption));
  };
  observer.yield = [this] { GetHost().YieldIfDue(); };
  return observer;
}

void FrmMain::ShowFailures(const std::vector<removal::Failure>& failures) {
  removal::frmDelete& failed = app_.windows.frmDelete();
  for (const removal::Failure& failure : failures) {
    const removal::WorkItem& item = *failure.item;
    const scan::TraceKind kind = item.kind == removal::WorkKind::File ? scan::TraceKind::File
                                 : item.kind == removal::WorkKind::Registry
                                     ? scan::TraceKind::Registry
                                     : scan::TraceKind::Cookie;
    if (app_.results().KeepTrace(kind, item.row, item.threat, item.text)) {
      failed.lstProblem.Add(failure.shown);
    }
  }
  if (!failures.empty()) failed.Show();
}

}  // namespace app
