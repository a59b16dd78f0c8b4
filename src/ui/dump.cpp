#include "ui/dump.h"

#include "ui/basic_controls.h"
#include "ui/form.h"
#include "ui/input_controls.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/toggle_controls.h"

namespace ui {

namespace {

std::string ValueText(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::CheckBox:
      return " value=" + std::to_string(static_cast<const CheckBox&>(control).Value());
    case ControlKind::OptionButton:
      return static_cast<const OptionButton&>(control).Value() ? " selected" : "";
    case ControlKind::ProgressBar:
      return " value=" + std::to_string(static_cast<const ProgressBar&>(control).Value());
    case ControlKind::TextBox:
      return " text=\"" + static_cast<const TextBox&>(control).Text() + "\"";
    case ControlKind::ComboBox:
      return " text=\"" + static_cast<const ComboBox&>(control).Text() + "\"";
    case ControlKind::TabStrip:
      return " tab=" + std::to_string(static_cast<const TabStrip&>(control).SelectedTab());
    case ControlKind::ListView:
      return " rows=" + std::to_string(static_cast<const ListView&>(control).Count());
    case ControlKind::ListBox:
      return " rows=" + std::to_string(static_cast<const ListBox&>(control).ListCount());
    case ControlKind::Timer: {
      auto& timer = static_cast<const Timer&>(control);
      return " interval=" + std::to_string(timer.Interval()) + (timer.Enabled() ? " on" : " off");
    }
    default:
      return "";
  }
}

void DumpInto(const Control& control, int depth, std::string& out) {
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += KindName(control.Kind());
  out += ' ';
  out += control.FullName();
  if (!control.Caption().empty()) out += " \"" + control.Caption() + "\"";
  out += ValueText(control);
  if (control.Kind() != ControlKind::Timer && control.Kind() != ControlKind::FileDialog) {
    if (!control.Visible()) out += " hidden";
    if (!control.Enabled()) out += " disabled";
  }
  out += '\n';
  if (auto* container = dynamic_cast<const Container*>(&control)) {
    for (const Control* child : container->Children()) DumpInto(*child, depth + 1, out);
  }
}

}  // namespace

std::string Dump(const Control& control) {
  std::string out;
  DumpInto(control, 0, out);
  return out;
}

std::string DumpRows(const ListView& list) {
  std::string out;
  for (const ListItem& item : list.Items()) {
    if (item.checked) out += "[x] ";
    if (item.smallIcon != 0) out += "<" + std::to_string(item.smallIcon) + "> ";
    out += item.text;
    for (const std::string& sub : item.subItems) out += " | " + sub;
    out += '\n';
  }
  return out;
}

}  // namespace ui
