#include "ui/win32/form_menu.h"

#include "ui/form.h"
#include "ui/menu.h"

namespace ui::win32 {

UINT MenuCommands::Add(Menu* menu, int index) {
  items_.emplace_back(menu, index);
  return firstId_ + static_cast<UINT>(items_.size() - 1);
}

bool MenuCommands::Find(UINT id, Menu** menu, int* index) const {
  if (id < firstId_ || id - firstId_ >= items_.size()) return false;
  *menu = items_[id - firstId_].first;
  *index = items_[id - firstId_].second;
  return true;
}

HMENU BuildPopupMenu(Menu& menu, MenuCommands& commands) {
  HMENU popup = CreatePopupMenu();
  if (popup == nullptr) return nullptr;
  for (int i = 0; i < menu.ItemCount(); ++i) {
    const MenuItem& item = menu.Item(i);
    if (!item.visible) continue;
    if (item.IsSeparator()) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED) |
                 (item.enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuA(popup, flags, commands.Add(&menu, i), item.caption.c_str());
  }
  return popup;
}

bool HasMenuBar(const Form& form) {
  for (Menu* menu : form.Menus()) {
    if (menu->Visible()) return true;
  }
  return false;
}

HMENU BuildMenuBar(const Form& form, MenuCommands& commands) {
  commands.Clear();
  if (!HasMenuBar(form)) return nullptr;
  HMENU bar = CreateMenu();
  if (bar == nullptr) return nullptr;
  for (Menu* menu : form.Menus()) {
    if (!menu->Visible()) continue;
    HMENU popup = BuildPopupMenu(*menu, commands);
    if (popup == nullptr) continue;
    UINT flags = MF_POPUP | MF_STRING | (menu->Enabled() ? MF_ENABLED : MF_GRAYED);
    // The bar owns its drop-downs from here: DestroyMenu on the bar destroys them too.
    if (!AppendMenuA(bar, flags, reinterpret_cast<UINT_PTR>(popup), menu->Caption().c_str())) {
      DestroyMenu(popup);
    }
  }
  return bar;
}

}  // namespace ui::win32
