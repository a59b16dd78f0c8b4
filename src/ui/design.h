#pragma once

#include <string>

#include "ui/control.h"
#include "ui/form.h"

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

// A fixed-size dialog window with a caption, outside the task bar.
inline FormArgs DialogForm(std::string name, std::string caption, int clientWidth,
                           int clientHeight) {
  FormArgs args;
  args.name = std::move(name);
  args.caption = std::move(caption);
  args.clientWidth = clientWidth;
  args.clientHeight = clientHeight;
  args.border = BorderStyle::FixedDialog;
  args.minButton = false;
  args.maxButton = false;
  args.showInTaskbar = false;
  return args;
}

// A window that is never seen: no size, no border, not in the task bar. Used for windows that
// exist for their load handler or their timer.
inline FormArgs InvisibleForm(std::string name) {
  FormArgs args;
  args.name = std::move(name);
  args.clientWidth = 0;
  args.clientHeight = 0;
  args.border = BorderStyle::None;
  args.showInTaskbar = false;
  return args;
}

}  // namespace ui
