#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// Design-time arguments of a control in one line: name, caption, position and size in twips.
inline ControlArgs At(std::string name, std::string caption, int left, int top, int width,
                      int height, bool visible = true, bool enabled = true) {
  ControlArgs args;
  args.name = std::move(name);
  args.caption = std::move(caption);
  args.left = left;
  args.top = top;
  args.width = width;
  args.height = height;
  args.visible = visible;
  args.enabled = enabled;
  return args;
}

inline ControlArgs Bolded(ControlArgs args) {
  args.bold = true;
  return args;
}

inline ControlArgs Indexed(ControlArgs args, int index) {
  args.index = index;
  return args;
}

}  // namespace ui
