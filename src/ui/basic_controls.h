#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

class Label : public Control {
 public:
  Label(Container& parent, ControlArgs args) : Control(&parent, ControlKind::Label, std::move(args)) {}
};

class CommandButton : public Control {
 public:
  CommandButton(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::CommandButton, std::move(args)) {}
  // The button that Enter presses.
  bool isDefault = false;
};

// A frame: a captioned container. Hiding it hides everything in it; option buttons in one frame
// form one group.
class Frame : public Container {
 public:
  Frame(Container& parent, ControlArgs args)
      : Container(&parent, ControlKind::Frame, std::move(args)) {}
  // A frame without a border draws nothing of its own: a plain panel.
  bool border = true;
};

enum class ShapeKind { Rectangle, Square, Oval, Circle, RoundedRectangle, RoundedSquare };

class Shape : public Control {
 public:
  Shape(Container& parent, ControlArgs args, ShapeKind shape = ShapeKind::Rectangle)
      : Control(&parent, ControlKind::Shape, std::move(args)), shape_(shape) {}
  ShapeKind GetShape() const { return shape_; }
  std::uint32_t fillColor = kDefaultColor;  // kDefaultColor: transparent

 private:
  ShapeKind shape_;
};

// A picture from the program's resources (an icon or bitmap named by resource name).
class Image : public Control {
 public:
  Image(Container& parent, ControlArgs args, std::string resource = {})
      : Control(&parent, ControlKind::Image, std::move(args)), resource_(std::move(resource)) {}
  const std::string& Resource() const { return resource_; }
  void SetResource(const std::string& resource) {
    if (resource_ == resource) return;
    resource_ = resource;
    Notify(Prop::Picture);
  }

 private:
  std::string resource_;
};

}  // namespace ui
