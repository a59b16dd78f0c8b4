#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// A text box. Setting its text, in code or by typing, raises Change when the text changes.
class TextBox : public Control {
 public:
  TextBox(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::TextBox, std::move(args)) {}
  bool multiLine = false;
  bool locked = false;
  bool scrollBars = false;
  // The most characters the box takes. Unset, it keeps the edit control's own limit (32,767
  // characters); 0 lifts the limit to what the system can hold.
  std::optional<int> maxLength;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  std::function<void()> OnChange;

 private:
  std::string text_;
};

enum class DateFormat { LongDate, ShortDate, Time };

// A date or time picker. With checkBox set it may hold no value (Null): its box is unticked and
// it still shows the date it had, which a tick of the box brings back.
class DatePicker : public Control {
 public:
  DatePicker(Container& parent, ControlArgs args, DateFormat format = DateFormat::ShortDate)
      : Control(&parent, ControlKind::DatePicker, std::move(args)), format_(format) {}
  bool checkBox = false;
  // A picture of the shown text in the picker's own notation ("dd/MM/yyyy", "HH:mm:ss"): d, M,
  // y for the day, month and year, H for the hour on the 24-hour clock, h on the 12-hour clock,
  // m and s for minutes and seconds; empty for the format's system default. Set before the
  // window is made.
  std::string customFormat;
  DateFormat Format() const { return format_; }
  // A date value (days since 30 December 1899, time as the fraction), or nullopt for Null.
  const std::optional<double>& Value() const { return value_; }
  bool IsNull() const { return !value_.has_value(); }
  // The date and time shown: the value, or while Null the last value it had.
  double Shown() const { return shown_; }
  // Setting Null on a picker without a check box is refused, as the control refuses it.
  bool SetValue(std::optional<double> value);
  // A user's change of the date, time or tick: changes it and raises Change.
  void UserSetValue(std::optional<double> value);
  // A user's tick of the box: the shown date becomes the value again (Change is raised).
  void UserTick() { UserSetValue(shown_); }
  std::function<void()> OnChange;

 private:
  DateFormat format_;
  std::optional<double> value_ = 0.0;
  double shown_ = 0.0;
};

// A progress bar. A value outside Min..Max is refused and leaves the bar unchanged.
class ProgressBar : public Control {
 public:
  ProgressBar(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::ProgressBar, std::move(args)) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  bool SetValue(int value);
  bool SetMin(int min);
  bool SetMax(int max);

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};

// A tab strip: captions only; the pages are frames laid over it. Tabs are numbered from 1.
class TabStrip : public Control {
 public:
  TabStrip(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::TabStrip, std::move(args)) {}
  int TabCount() const { return static_cast<int>(tabs_.size()); }
  const std::string& TabCaption(int tab) const { return tabs_.at(tab - 1); }
  void AddTab(const std::string& caption);
  void SetTabCaption(int tab, const std::string& caption);
  int SelectedTab() const { return selected_; }
  // Selecting a tab, in code or by the user, raises Click.
  void SelectTab(int tab);

 private:
  std::vector<std::string> tabs_;
  int selected_ = 0;
};

}  // namespace ui
