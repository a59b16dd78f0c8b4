#include "ui/menu.h"

#include "ui/form.h"
#include "ui/host.h"

namespace ui {

Menu::Menu(Container& parent, ControlArgs args, std::vector<std::string> captions)
    : Control(&parent, ControlKind::Menu, std::move(args)) {
  for (auto& caption : captions) items_.push_back({std::move(caption)});
}

void Menu::SetItemCaption(int index, const std::string& caption) {
  if (!Valid(index) || items_[index].caption == caption) return;
  items_[index].caption = caption;
  NotifyItems(ItemChange::Updated, index);
}

void Menu::SetItemVisible(int index, bool visible) {
  if (!Valid(index) || items_[index].visible == visible) return;
  items_[index].visible = visible;
  NotifyItems(ItemChange::Updated, index);
}

void Menu::SetItemEnabled(int index, bool enabled) {
  if (!Valid(index) || items_[index].enabled == enabled) return;
  items_[index].enabled = enabled;
  NotifyItems(ItemChange::Updated, index);
}

void Menu::SetItemChecked(int index, bool checked) {
  if (!Valid(index) || items_[index].checked == checked) return;
  items_[index].checked = checked;
  NotifyItems(ItemChange::Updated, index);
}

void Menu::ClickItem(int index) {
  if (Valid(index) && OnItemClick) OnItemClick(index);
}

bool FileDialog::ShowOpen() { return GetForm().GetHost().ShowOpenDialog(*this); }

}  // namespace ui
