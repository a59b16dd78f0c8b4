#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// Entries of a list box or combo box, 0-based; ListIndex -1 means none is selected.
class ListControl : public Control {
 public:
  using Control::Control;

  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const { return items_.at(index); }
  const std::vector<std::string>& Entries() const { return items_; }
  void AddItem(const std::string& text);
  void RemoveItem(int index);
  void Clear();
  int ListIndex() const { return listIndex_; }
  // Selecting an entry, in code or by the user, raises Click when the selection changes.
  void SetListIndex(int index);

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

class ListBox : public ListControl {
 public:
  ListBox(Container& parent, ControlArgs args)
      : ListControl(&parent, ControlKind::ListBox, std::move(args)) {}
};

// A drop-down list combo box. Its text is the selected entry's (empty when none is).
class ComboBox : public ListControl {
 public:
  ComboBox(Container& parent, ControlArgs args)
      : ListControl(&parent, ControlKind::ComboBox, std::move(args)) {}
  std::string Text() const;
  // Selects the entry with this text; a drop-down list takes only the text of its own entries.
  void SetText(const std::string& text);
};

}  // namespace ui
