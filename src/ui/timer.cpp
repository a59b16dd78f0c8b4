#include "ui/timer.h"

#include "ui/form.h"
#include "ui/host.h"

namespace ui {

Timer::Timer(Container& parent, ControlArgs args, int interval, bool enabled)
    : Control(&parent, ControlKind::Timer, [&] {
        args.visible = false;
        args.enabled = enabled;
        return std::move(args);
      }()),
      interval_(interval < 0 ? 0 : interval) {}

void Timer::SetInterval(int interval) {
  if (interval < 0) return;
  interval_ = interval;
  Changed();
}

void Timer::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  Changed();
}

bool Timer::IsRunning() const {
  return Enabled() && interval_ > 0 && GetForm().IsLoaded();
}

void Timer::Tick() {
  if (OnTick) OnTick();
}

void Timer::Changed() {
  Form& form = GetForm();
  if (form.IsLoaded()) form.GetHost().TimerChanged(*this);
}

}  // namespace ui
