#include "removal/frm_restore.h"

#include <algorithm>

#include "common/text.h"
#include "localization/message_keys.h"
#include "removal/quarantine.h"
#include "ui/design.h"

namespace removal {
namespace {

constexpr int kDateColumn = 0;
constexpr int kLocationColumn = 3;
constexpr std::uint32_t kKilobyte = 1024;

}  // namespace

frmRestore::frmRestore(ui::Host& host, Services services)
    : ui::Form(host, ui::DialogForm("frmRestore", "Restore", 9600, 5520)),
      Label1(*this, ui::At("Label1",
                           "These items were removed and kept in the quarantine. Select the items "
                           "to put back where they were, or to delete for good.",
                           240, 180, 9120, 435)),
      lvwQuarantine(*this, ui::At("lvwQuarantine", "", 240, 720, 9120, 3795)),
      lblSize(*this, ui::At("lblSize", "", 240, 4725, 4080, 255)),
      cmdRestore(*this, ui::At("cmdRestore", "Restore", 4425, 4920, 1575, 375)),
      cmdDelete(*this, ui::At("cmdDelete", "Delete", 6105, 4920, 1575, 375)),
      cmdClose(*this, ui::At("cmdClose", "Close", 7785, 4920, 1575, 375)),
      services_(std::move(services)),
      restore_(services_.machine, services_.quarantine, services_.quarantine.Index(),
               services_.protectedPaths) {
  lvwQuarantine.multiSelect = true;
  lvwQuarantine.AddColumn("Date", 1900);
  lvwQuarantine.AddColumn("Threat", 1800);
  lvwQuarantine.AddColumn("Kind", 1500);
  lvwQuarantine.AddColumn("Original Location", 3600);
  lvwQuarantine.OnColumnClick = [this](int column) { lvwQuarantine_ColumnClick(column); };
  cmdRestore.OnClick = [this] { cmdRestore_Click(); };
  cmdDelete.OnClick = [this] { cmdDelete_Click(); };
  cmdClose.OnClick = [this] { Unload(); };
}

void frmRestore::Form_Load() {
  FillList();
}

std::string frmRestore::KindText(const QuarantineEntry& entry) {
  namespace msg = localization::msg;
  // In the order of ItemKind.
  static constexpr const char* kKeys[] = {msg::kKindFile, msg::kKindFolder, msg::kKindCookie,
                                          msg::kKindRegistryValue, msg::kKindRegistryKey};
  std::string text = services_.message(kKeys[static_cast<int>(entry.kind)]);
  if (entry.fromLog) text += " " + services_.message(msg::kKindFromLog);
  return text;
}

std::string frmRestore::LocationText(const QuarantineEntry& entry) {
  if (entry.kind != ItemKind::RegistryValue) return entry.location;
  return entry.location + "\\" + (entry.value.empty() ? "@" : entry.value);
}

void frmRestore::FillList() {
  // The title is a message: the language may have changed since the window was loaded.
  SetCaption(services_.message(localization::msg::kTitleRestore));
  entries_.clear();
  for (QuarantineEntry& entry : services_.quarantine.Index().List()) {
    if (entry.state == ItemState::Quarantined) entries_.push_back(std::move(entry));
  }
  const auto text = [this](const QuarantineEntry& entry, int column) {
    switch (column) {
      case 1:
        return common::LowerCase(entry.threat);
      case 2:
        return common::LowerCase(KindText(entry));
      default:
        return common::LowerCase(LocationText(entry));
    }
  };
  std::vector<std::pair<std::string, QuarantineEntry>> keyed;
  for (QuarantineEntry& entry : entries_) {
    keyed.emplace_back(sortColumn_ == kDateColumn ? "" : text(entry, sortColumn_),
                       std::move(entry));
  }
  std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
    const bool less =
        sortColumn_ == kDateColumn ? a.second.when < b.second.when : a.first < b.first;
    const bool greater =
        sortColumn_ == kDateColumn ? b.second.when < a.second.when : b.first < a.first;
    return ascending_ ? less : greater;
  });
  entries_.clear();
  lvwQuarantine.Clear();
  for (auto& [key, entry] : keyed) {
    ui::ListItem row;
    row.text = entry.whenText;
    row.subItems = {entry.threat, KindText(entry), LocationText(entry)};
    lvwQuarantine.Add(std::move(row));
    entries_.push_back(std::move(entry));
  }
  const std::uint64_t bytes = restore_.QuarantineSize();
  const long long kilobytes = static_cast<long long>((bytes + kKilobyte - 1) / kKilobyte);
  lblSize.SetCaption(services_.message(localization::msg::kQuarantineSize) + " " +
                     services_.machine.clock.FormatWholeNumber(kilobytes) + " KB");
}

void frmRestore::lvwQuarantine_ColumnClick(int column) {
  if (column < kDateColumn || column > kLocationColumn) return;
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  FillList();
}

std::vector<QuarantineEntry> frmRestore::SelectedEntries() {
  std::vector<QuarantineEntry> selected;
  for (int row = 0; row < lvwQuarantine.Count() && row < static_cast<int>(entries_.size()); ++row) {
    if (lvwQuarantine.Item(row).selected) selected.push_back(entries_[row]);
  }
  if (selected.empty()) {
    services_.tell(services_.message(localization::msg::kRestoreNothingSelected),
                   platform::kMbOk | platform::kMbIconInformation);
  }
  return selected;
}

void frmRestore::cmdRestore_Click() {
  namespace msg = localization::msg;
  // Taken first: the message boxes let events run.
  const std::vector<QuarantineEntry> selected = SelectedEntries();
  if (selected.empty()) return;
  std::vector<std::string> exclusions;
  for (const QuarantineEntry& entry : selected) {
    const std::string shown = "\r\n\r\n" + LocationText(entry);
    RestoreOutcome outcome = restore_.Restore(entry, false);
    if (outcome == RestoreOutcome::Exists &&
        services_.tell(services_.message(msg::kRestoreReplace) + shown,
                       platform::kMbYesNo | platform::kMbIconQuestion) == platform::kIdYes) {
      outcome = restore_.Restore(entry, true);
    }
    const char* warning = outcome == RestoreOutcome::Protected  ? msg::kRestoreProtected
                          : outcome == RestoreOutcome::NoBackup ? msg::kRestoreNoCopy
                          : outcome == RestoreOutcome::Failed   ? msg::kRestoreFailed
                                                                : nullptr;
    if (outcome == RestoreOutcome::Restored) {
      exclusions.push_back(QuarantineRestore::ExclusionText(entry));
    } else if (warning != nullptr) {
      services_.tell(services_.message(warning) + shown,
                     platform::kMbOk | platform::kMbIconWarning);
    }
  }
  FillList();
  if (exclusions.empty()) return;
  std::string question = services_.message(msg::kRestoreExclude) + "\r\n";
  for (const std::string& text : exclusions) question += "\r\n" + text;
  if (services_.tell(question, platform::kMbYesNo | platform::kMbIconQuestion) !=
      platform::kIdYes) {
    return;
  }
  for (const std::string& text : exclusions) services_.addExclusion(text);
}

void frmRestore::cmdDelete_Click() {
  namespace msg = localization::msg;
  const std::vector<QuarantineEntry> selected = SelectedEntries();
  if (selected.empty()) return;
  if (services_.tell(services_.message(msg::kPurgeSure),
                     platform::kMbYesNo | platform::kMbIconQuestion) != platform::kIdYes) {
    return;
  }
  for (const QuarantineEntry& entry : selected) {
    if (!restore_.Purge(entry)) {
      services_.tell(services_.message(msg::kPurgeFailed) + "\r\n\r\n" + LocationText(entry),
                     platform::kMbOk | platform::kMbIconWarning);
    }
  }
  FillList();
}

}  // namespace removal
