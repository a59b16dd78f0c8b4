#include "ui/input_controls.h"

namespace ui {

void TextBox::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  Notify(Prop::Value);
  if (OnChange) OnChange();
}

bool DatePicker::SetValue(std::optional<double> value) {
  if (!value && !checkBox) return false;
  if (value_ == value) return true;
  value_ = value;
  if (value) shown_ = *value;
  Notify(Prop::Value);
  return true;
}

void DatePicker::UserSetValue(std::optional<double> value) {
  if (SetValue(value) && OnChange) OnChange();
}

bool ProgressBar::SetValue(int value) {
  if (value < min_ || value > max_) return false;
  if (value_ != value) {
    value_ = value;
    Notify(Prop::Value);
  }
  return true;
}

bool ProgressBar::SetMin(int min) {
  if (min >= max_) return false;
  min_ = min;
  if (value_ < min_) value_ = min_;
  Notify(Prop::Range);
  return true;
}

bool ProgressBar::SetMax(int max) {
  if (max <= min_) return false;
  max_ = max;
  if (value_ > max_) value_ = max_;
  Notify(Prop::Range);
  return true;
}

void TabStrip::AddTab(const std::string& caption) {
  tabs_.push_back(caption);
  if (selected_ == 0) selected_ = 1;
  NotifyItems(ItemChange::Inserted, TabCount() - 1);
}

void TabStrip::SetTabCaption(int tab, const std::string& caption) {
  if (tab < 1 || tab > TabCount() || tabs_[tab - 1] == caption) return;
  tabs_[tab - 1] = caption;
  NotifyItems(ItemChange::Updated, tab - 1);
}

void TabStrip::SelectTab(int tab) {
  if (tab < 1 || tab > TabCount()) return;
  if (selected_ != tab) {
    selected_ = tab;
    Notify(Prop::Selection);
  }
  Click();
}

}  // namespace ui
