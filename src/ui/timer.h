#pragma once

#include "ui/control.h"

namespace ui {

// A form's timer. It ticks while its form is loaded, it is enabled and its interval is above 0.
// Changing the interval or switching it on starts the count again.
class Timer : public Control {
 public:
  Timer(Container& parent, ControlArgs args, int interval, bool enabled);
  int Interval() const { return interval_; }
  bool Enabled() const { return Control::Enabled(); }
  void SetInterval(int interval);
  void SetEnabled(bool enabled);
  bool IsRunning() const;
  std::function<void()> OnTick;
  void Tick();

 private:
  void Changed();
  int interval_;
};

}  // namespace ui
