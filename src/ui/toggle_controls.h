#pragma once

#include "ui/control.h"

namespace ui {

inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

// A check box. Changing its value, in code or by the user, raises Click.
class CheckBox : public Control {
 public:
  CheckBox(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::CheckBox, std::move(args)) {}
  int Value() const { return value_; }
  void SetValue(int value);
  bool Checked() const { return value_ == kChecked; }
  // A user's click: toggles between checked and unchecked.
  void Toggle() { SetValue(value_ == kChecked ? kUnchecked : kChecked); }

 private:
  int value_ = kUnchecked;
};

// An option button. The option buttons of one container form a group: selecting one deselects
// the others without running anything for them, then raises Click on the selected one.
// Selecting the button that is already selected changes nothing and raises nothing.
class OptionButton : public Control {
 public:
  OptionButton(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::OptionButton, std::move(args)) {}
  bool Value() const { return value_; }
  void SetValue(bool value);

 private:
  void SetQuietly(bool value);
  bool value_ = false;
};

}  // namespace ui
