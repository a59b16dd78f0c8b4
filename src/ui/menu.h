#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

struct MenuItem {
  std::string caption;  // "-" is a separator
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool IsSeparator() const { return caption == "-"; }
};

// A top-level menu of a form with its items, an array addressed by 0-based index. Click(index)
// runs the item's command. An invisible menu is not on the menu bar but can pop up.
class Menu : public Control {
 public:
  Menu(Container& parent, ControlArgs args, std::vector<std::string> captions);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const MenuItem& Item(int index) const { return items_.at(index); }
  void SetItemCaption(int index, const std::string& caption);
  void SetItemVisible(int index, bool visible);
  void SetItemEnabled(int index, bool enabled);
  void SetItemChecked(int index, bool checked);
  // The user chose an item (or code runs its command).
  void ClickItem(int index);
  std::function<void(int index)> OnItemClick;

 private:
  bool Valid(int index) const { return index >= 0 && index < ItemCount(); }
  std::vector<MenuItem> items_;
};

// The common dialog's file-open box. ShowOpen asks the form's host; on OK FileName holds the
// chosen path, on Cancel it is left unchanged.
class FileDialog : public Control {
 public:
  FileDialog(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::FileDialog, [&] {
          args.visible = false;
          return std::move(args);
        }()) {}
  std::string dialogTitle;
  std::string filter;  // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  std::string initDir;
  std::string fileName;
  // True when the user chose a file.
  bool ShowOpen();
};

}  // namespace ui
