#include "ui/win32/update_throttle.h"

#include <algorithm>
#include <vector>

#include "ui/win32/context.h"

namespace ui::win32 {

namespace {

std::int64_t Frequency() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart > 0 ? frequency.QuadPart : 1;
}

// The throttles of the user-interface thread, whose costs space them all. Windows are made,
// changed and destroyed on that thread only.
std::vector<const UpdateThrottle*>& Throttles() {
  static std::vector<const UpdateThrottle*> throttles;
  return throttles;
}

}  // namespace

UpdateThrottle::UpdateThrottle(std::int64_t minimumMs)
    : minimumMs_(std::max(minimumMs, kMinimumIntervalMs)) {
  Throttles().push_back(this);
}

UpdateThrottle::~UpdateThrottle() {
  auto& throttles = Throttles();
  throttles.erase(std::find(throttles.begin(), throttles.end(), this));
}

std::int64_t UpdateThrottle::Now() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

std::int64_t UpdateThrottle::IntervalTicks() const {
  static const std::int64_t frequency = Frequency();
  // A control that has not changed for a second (a finished stage's, a hidden page's) no longer
  // counts: its last cost says nothing about the next second.
  const std::int64_t recent = Now() - frequency;
  std::int64_t together = 0;
  for (const UpdateThrottle* throttle : Throttles()) {
    if (throttle->last_ != 0 && throttle->last_ >= recent) together += throttle->cost_;
  }
  return std::max(frequency * minimumMs_ / 1000, together * 4);
}

bool UpdateThrottle::Ready(HWND hwnd) {
  if (armed_) return false;
  const std::int64_t since = Now() - last_;
  const std::int64_t interval = IntervalTicks();
  if (last_ == 0 || since >= interval) return true;
  static const std::int64_t frequency = Frequency();
  const std::int64_t waitMs = (interval - since) * 1000 / frequency + 1;
  // Without the timer the change would wait for the control's next message; applying it now
  // is the lesser evil.
  armed_ =
      SetTimer(hwnd, kTimerId,
               static_cast<UINT>(std::max<std::int64_t>(waitMs, USER_TIMER_MINIMUM)), nullptr) != 0;
  return !armed_;
}

void UpdateThrottle::Begin() {
  begun_ = Now();
}

void UpdateThrottle::End() {
  last_ = begun_;
  cost_ = Now() - begun_;
}

bool ShownWithParents(HWND hwnd) {
  for (HWND window = hwnd; window != nullptr; window = GetAncestor(window, GA_PARENT)) {
    if (window == GetDesktopWindow()) return true;
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) == 0) return false;
  }
  return hwnd != nullptr;
}

bool UpdateThrottle::OnTimer(HWND hwnd, UINT message, WPARAM id) {
  if (message != WM_TIMER || id != kTimerId) return false;
  KillTimer(hwnd, kTimerId);
  armed_ = false;
  return true;
}

}  // namespace ui::win32

namespace ui::win32 {

bool HeldUpdate::Now(HWND hwnd) {
  if (throttle_.Ready(hwnd)) return true;
  if (!held_) {
    held_ = true;
    context_.Defer(&peer_);
  }
  return false;
}

void HeldUpdate::End() {
  throttle_.End();
  if (!held_) return;
  held_ = false;
  context_.Undefer(&peer_);
}

}  // namespace ui::win32
