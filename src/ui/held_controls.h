#pragma once

#include <utility>
#include <vector>

#include "ui/control.h"

namespace ui {

// Controls disabled while a run that lets events through (a removal, an exclusion) works on
// what they show; each gets its own state back when the holder goes, also when the run ends in
// an exception, so a failed run cannot leave the window dead.
class HeldControls {
 public:
  explicit HeldControls(const std::vector<Control*>& controls) {
    held_.reserve(controls.size());
    for (Control* control : controls) {
      held_.emplace_back(control, control->Enabled());
      control->SetEnabled(false);
    }
  }
  ~HeldControls() {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) it->first->SetEnabled(it->second);
  }
  HeldControls(const HeldControls&) = delete;
  HeldControls& operator=(const HeldControls&) = delete;

 private:
  std::vector<std::pair<Control*, bool>> held_;
};

}  // namespace ui
