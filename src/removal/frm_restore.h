#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/machine.h"
#include "removal/quarantine_index.h"
#include "removal/quarantine_restore.h"
#include "ui/ui.h"

namespace definitions {
class ProtectedPaths;
}  // namespace definitions

namespace removal {

class Quarantine;

// "Restore": what the quarantine holds, to put back or to delete for good. A view of the
// quarantine's index: every command works on the entries, and the list is made again from the
// index afterwards.
class frmRestore : public ui::Form {
 public:
  struct Services {
    platform::Machine& machine;
    Quarantine& quarantine;
    definitions::ProtectedPaths& protectedPaths;
    // The current text of a message of the catalogue.
    std::function<std::string(const char* key)> message;
    // A message box titled with the program's name; returns the button pressed.
    std::function<int(const std::string& text, std::uint32_t style)> tell;
    // Adds an entry to the exclusion list.
    std::function<void(const std::string& text)> addExclusion;
  };
  frmRestore(ui::Host& host, Services services);

  ui::Label Label1;
  ui::ListView lvwQuarantine;
  ui::Label lblSize;
  ui::CommandButton cmdRestore;
  ui::CommandButton cmdDelete;
  ui::CommandButton cmdClose;

  // The quarantined items, sorted as last chosen, and the quarantine's size.
  void FillList();
  // Puts the selected items back, asking before anything at their place is replaced, then
  // offers to exclude what came back from the next scan.
  void cmdRestore_Click();
  // Deletes the selected items' copies for good, after a confirmation.
  void cmdDelete_Click();
  // Sorts by the column; the same column again reverses the order.
  void lvwQuarantine_ColumnClick(int column);

  // The entries shown, row for row.
  const std::vector<QuarantineEntry>& Entries() const { return entries_; }

 protected:
  void Form_Load() override;

 private:
  // The selected rows' entries; when there are none the user is told so.
  std::vector<QuarantineEntry> SelectedEntries();
  std::string KindText(const QuarantineEntry& entry);
  static std::string LocationText(const QuarantineEntry& entry);

  Services services_;
  QuarantineRestore restore_;
  std::vector<QuarantineEntry> entries_;
  int sortColumn_ = 0;
  bool ascending_ = true;
};

}  // namespace removal
