#include "ui/toggle_controls.h"

namespace ui {

void CheckBox::SetValue(int value) {
  if (value != kUnchecked && value != kChecked && value != kGrayed) return;
  if (value == value_) return;
  value_ = value;
  Notify(Prop::Value);
  Click();
}

void OptionButton::SetQuietly(bool value) {
  if (value_ == value) return;
  value_ = value;
  Notify(Prop::Value);
}

void OptionButton::SetValue(bool value) {
  if (!value) {
    SetQuietly(false);
    return;
  }
  if (value_) return;
  if (Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      if (sibling != this && sibling->Kind() == ControlKind::OptionButton) {
        static_cast<OptionButton*>(sibling)->SetQuietly(false);
      }
    }
  }
  SetQuietly(true);
  Click();
}

}  // namespace ui
