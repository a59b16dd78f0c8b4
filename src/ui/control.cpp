#include "ui/control.h"

#include <algorithm>
#include <cstdlib>

#include "ui/form.h"

namespace ui {

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form: return "Form";
    case ControlKind::Label: return "Label";
    case ControlKind::CommandButton: return "CommandButton";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::OptionButton: return "OptionButton";
    case ControlKind::Frame: return "Frame";
    case ControlKind::TabStrip: return "TabStrip";
    case ControlKind::ListView: return "ListView";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::ProgressBar: return "ProgressBar";
    case ControlKind::ComboBox: return "ComboBox";
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::DatePicker: return "DatePicker";
    case ControlKind::Timer: return "Timer";
    case ControlKind::Shape: return "Shape";
    case ControlKind::Image: return "Image";
    case ControlKind::Menu: return "Menu";
    case ControlKind::FileDialog: return "FileDialog";
  }
  return "Control";
}

Control::Control(Container* parent, ControlKind kind, ControlArgs args)
    : parent_(parent), kind_(kind), args_(std::move(args)) {
  if (parent_ != nullptr) parent_->AddChild(this);
}

Control::~Control() {
  if (parent_ != nullptr) parent_->RemoveChild(this);
}

std::string Control::FullName() const {
  if (args_.index < 0) return args_.name;
  return args_.name + "(" + std::to_string(args_.index) + ")";
}

Form& Control::GetForm() {
  Control* control = this;
  while (control->parent_ != nullptr) control = control->parent_;
  return static_cast<Form&>(*control);
}

const Form& Control::GetForm() const { return const_cast<Control*>(this)->GetForm(); }

void Control::SetCaption(const std::string& caption) {
  Change(args_.caption, caption, Prop::Caption);
}

void Control::Move(int left, int top, int width, int height) {
  // Sizes cannot be negative; VB refuses them, and every layout rule takes absolute values.
  width = std::abs(width);
  height = std::abs(height);
  if (left == args_.left && top == args_.top && width == args_.width && height == args_.height) {
    return;
  }
  args_.left = left;
  args_.top = top;
  args_.width = width;
  args_.height = height;
  Notify(Prop::Geometry);
}

void Control::SetGeometryQuietly(int left, int top, int width, int height) {
  args_.left = left;
  args_.top = top;
  args_.width = std::abs(width);
  args_.height = std::abs(height);
}

void Control::SetVisible(bool visible) {
  Change(args_.visible, visible, Prop::Visible);
}

bool Control::IsShown() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (!control->args_.visible) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  Change(args_.enabled, enabled, Prop::Enabled);
}

void Control::SetBold(bool bold) {
  Change(args_.bold, bold, Prop::Font);
}

void Control::SetItalic(bool italic) {
  Change(args_.italic, italic, Prop::Font);
}

void Control::SetUnderline(bool underline) {
  Change(args_.underline, underline, Prop::Font);
}

void Control::SetFontSize(int points) {
  Change(args_.fontSize, points, Prop::Font);
}

void Control::SetForeColor(std::uint32_t color) {
  Change(args_.foreColor, color, Prop::Color);
}

void Control::SetBackColor(std::uint32_t color) {
  Change(args_.backColor, color, Prop::Color);
}

void Control::Click() {
  if (OnClick) OnClick();
}

void Control::MouseDown(const MouseArgs& args) {
  if (OnMouseDown) OnMouseDown(args);
}

void Control::MouseMove(const MouseArgs& args) {
  if (OnMouseMove) OnMouseMove(args);
}

void Control::MouseUp(const MouseArgs& args) {
  if (OnMouseUp) OnMouseUp(args);
}

void Control::Notify(Prop prop) {
  if (observer_ != nullptr) observer_->OnChanged(*this, prop);
}

void Control::NotifyItems(ItemChange change, int index) {
  if (observer_ != nullptr) observer_->OnItemsChanged(*this, change, index);
}

Container::~Container() {
  // Children are members declared after their container and so are destroyed first; any that
  // remain must not reach back into a destroyed container.
  for (Control* child : children_) child->parent_ = nullptr;
}

std::vector<Control*> Container::Descendants() const {
  std::vector<Control*> result;
  for (Control* child : children_) {
    result.push_back(child);
    if (auto* container = dynamic_cast<Container*>(child)) {
      auto below = container->Descendants();
      result.insert(result.end(), below.begin(), below.end());
    }
  }
  return result;
}

void Container::RemoveChild(Control* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

}  // namespace ui
