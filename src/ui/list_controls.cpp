#include "ui/list_controls.h"

namespace ui {

void ListControl::AddItem(const std::string& text) {
  items_.push_back(text);
  NotifyItems(ItemChange::Inserted, ListCount() - 1);
}

void ListControl::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  items_.erase(items_.begin() + index);
  NotifyItems(ItemChange::Removed, index);
  if (listIndex_ == index) {
    listIndex_ = -1;
    Notify(Prop::Selection);
  } else if (listIndex_ > index) {
    --listIndex_;
  }
}

void ListControl::Clear() {
  items_.clear();
  listIndex_ = -1;
  NotifyItems(ItemChange::Reset, -1);
}

void ListControl::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) return;
  if (index == listIndex_) return;
  listIndex_ = index;
  Notify(Prop::Selection);
  Click();
}

std::string ComboBox::Text() const {
  return ListIndex() >= 0 ? List(ListIndex()) : std::string();
}

void ComboBox::SetText(const std::string& text) {
  for (int i = 0; i < ListCount(); ++i) {
    if (List(i) == text) SetListIndex(i);
  }
}

}  // namespace ui
