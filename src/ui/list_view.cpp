#include "ui/list_view.h"

#include <algorithm>

namespace ui {

const std::string& ListItem::Column(int c) const {
  static const std::string kEmpty;
  if (c == 0) return text;
  if (c > 0 && c <= static_cast<int>(subItems.size())) return subItems[c - 1];
  return kEmpty;
}

void ListView::AddColumn(const std::string& text, int width) {
  columns_.push_back({text, width});
  Notify(Prop::Columns);
}

void ListView::SetColumnWidth(int index, int width) {
  if (index < 0 || index >= ColumnCount() || width < 0) return;
  if (columns_[index].width == width) return;
  columns_[index].width = width;
  Notify(Prop::Columns);
}

void ListView::SetColumnText(int index, const std::string& text) {
  if (index < 0 || index >= ColumnCount() || columns_[index].text == text) return;
  columns_[index].text = text;
  Notify(Prop::Columns);
}

int ListView::Add(const std::string& text, int smallIcon) {
  ListItem item;
  item.text = text;
  item.smallIcon = smallIcon;
  return Add(std::move(item));
}

int ListView::Add(ListItem item) {
  items_.push_back(std::move(item));
  int index = Count() - 1;
  NotifyItems(ItemChange::Inserted, index);
  return index;
}

void ListView::Insert(int index, ListItem item) {
  if (index < 0 || index > Count()) return;
  items_.insert(items_.begin() + index, std::move(item));
  NotifyItems(ItemChange::Inserted, index);
}

void ListView::Remove(int index) {
  if (!Valid(index)) return;
  items_.erase(items_.begin() + index);
  NotifyItems(ItemChange::Removed, index);
}

void ListView::RemoveChecked() {
  // One pass and one redraw: removing row by row costs a shift of the rows and a redraw of the
  // window for every ticked row, which a results list of thousands cannot afford.
  const auto kept = std::remove_if(items_.begin(), items_.end(),
                                   [](const ListItem& item) { return item.checked; });
  if (kept == items_.end()) return;
  items_.erase(kept, items_.end());
  NotifyItems(ItemChange::Reset, -1);
}

void ListView::Clear() {
  if (items_.empty()) return;
  items_.clear();
  NotifyItems(ItemChange::Reset, -1);
}

void ListView::SetText(int index, const std::string& text) {
  if (!Valid(index) || items_[index].text == text) return;
  items_[index].text = text;
  NotifyItems(ItemChange::Updated, index);
}

void ListView::SetSubItem(int index, int column, const std::string& text) {
  if (!Valid(index) || column < 1) return;
  auto& subItems = items_[index].subItems;
  if (static_cast<int>(subItems.size()) < column) subItems.resize(column);
  if (subItems[column - 1] == text) return;
  subItems[column - 1] = text;
  NotifyItems(ItemChange::Updated, index);
}

void ListView::SetSmallIcon(int index, int icon) {
  if (!Valid(index) || items_[index].smallIcon == icon) return;
  items_[index].smallIcon = icon;
  NotifyItems(ItemChange::Updated, index);
}

void ListView::SetChecked(int index, bool checked) {
  if (!Valid(index) || items_[index].checked == checked) return;
  items_[index].checked = checked;
  NotifyItems(ItemChange::Updated, index);
  if (onRowChecked) onRowChecked(index, checked);
}

void ListView::SetSelected(int index, bool selected) {
  if (!Valid(index) || items_[index].selected == selected) return;
  if (selected && !multiSelect) {
    for (int i = 0; i < Count(); ++i) {
      if (i != index && items_[i].selected) {
        items_[i].selected = false;
        NotifyItems(ItemChange::Updated, i);
      }
    }
  }
  items_[index].selected = selected;
  NotifyItems(ItemChange::Updated, index);
}

int ListView::SelectedIndex() const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[i].selected) return i;
  }
  return -1;
}

void ListView::UserCheck(int index, bool checked) {
  if (!Valid(index)) return;
  SetChecked(index, checked);
  if (OnItemCheck) OnItemCheck(index);
}

}  // namespace ui
