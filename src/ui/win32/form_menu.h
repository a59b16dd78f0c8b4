#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace ui {
class Form;
class Menu;
}  // namespace ui

namespace ui::win32 {

// Command ids of a built menu, mapped back to the model's menu and item index.
class MenuCommands {
 public:
  explicit MenuCommands(UINT firstId) : firstId_(firstId) {}
  UINT Add(Menu* menu, int index);
  bool Find(UINT id, Menu** menu, int* index) const;
  void Clear() { items_.clear(); }

 private:
  UINT firstId_;
  std::vector<std::pair<Menu*, int>> items_;
};

// A drop-down menu with the model menu's visible items: "-" is a separator, and each item shows
// its checked and enabled state. The caller owns the menu.
HMENU BuildPopupMenu(Menu& menu, MenuCommands& commands);
// The menu bar from the form's visible menus, or nullptr when none is visible.
HMENU BuildMenuBar(const Form& form, MenuCommands& commands);
bool HasMenuBar(const Form& form);

}  // namespace ui::win32
