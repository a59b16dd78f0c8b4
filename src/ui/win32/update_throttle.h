#pragma once

#include <windows.h>

#include <cstdint>

namespace ui::win32 {

class Context;
class ControlPeer;

// Spreads out the changes of a control that a step loop changes many times a second. Under
// Wine one change of a list's row count costs milliseconds (the list lays out its scroll bars
// and header), and a progress bar or a label repaints before its change returns; a scan that
// applied every trace and every step that way spent most of its time there. A change is applied
// at once when the last one lies far enough back, else a timer of the control's own window
// applies the latest state once. The spacing is shared: it is at least the control's minimum
// (kMinimumIntervalMs, or more for a list's row count) and at least four times what showing
// every control of the thread that changed in the last second once costs together, so that the
// controls of a busy window together take no more than about a fifth of the time, however many
// there are and however slow each is to change.
class UpdateThrottle {
 public:
  static constexpr UINT_PTR kTimerId = 0x7E57;
  static constexpr std::int64_t kMinimumIntervalMs = 50;

  // minimumMs: the least spacing of this control's changes, kMinimumIntervalMs or more.
  explicit UpdateThrottle(std::int64_t minimumMs = kMinimumIntervalMs);
  ~UpdateThrottle();
  UpdateThrottle(const UpdateThrottle&) = delete;
  UpdateThrottle& operator=(const UpdateThrottle&) = delete;

  // True: apply now, between Begin and End. False: a WM_TIMER with kTimerId comes later (or
  // is already on its way).
  bool Ready(HWND hwnd);
  // Marks the start and end of an application, whose cost spaces the next one.
  void Begin();
  void End();
  // The timer's message: true when it is this throttle's (the timer is then stopped and the
  // caller applies the latest state between Begin and End).
  bool OnTimer(HWND hwnd, UINT message, WPARAM id);
  bool Pending() const { return armed_; }

 private:
  std::int64_t IntervalTicks() const;
  static std::int64_t Now();

  std::int64_t minimumMs_;

  std::int64_t begun_ = 0;
  std::int64_t last_ = 0;  // when the last application began; 0 before the first
  std::int64_t cost_ = 0;  // what it took
  bool armed_ = false;
};

// A peer's state shown through an UpdateThrottle, a change held back also until the event that
// made it ends (Context::Defer): the peer shows its latest state between Begin and End when Now
// says so, when its timer comes (IsTimer) and in its ShowDeferred, each time if Held.
class HeldUpdate {
 public:
  HeldUpdate(Context& context, ControlPeer& peer) : context_(context), peer_(peer) {}
  // A change: true when it is to be shown now, else it is held.
  bool Now(HWND hwnd);
  bool Held() const { return held_; }
  // The throttle's timer message (the held change is then shown by the caller, if Held).
  bool IsTimer(HWND hwnd, UINT message, WPARAM id) { return throttle_.OnTimer(hwnd, message, id); }
  void Begin() { throttle_.Begin(); }
  void End();

 private:
  Context& context_;
  ControlPeer& peer_;
  UpdateThrottle throttle_;
  bool held_ = false;
};

// IsWindowVisible without its cost: the window and all its parents have WS_VISIBLE. Under Wine
// IsWindowVisible asks the window server for the parents on every call, which a loop over
// 20,000 rows cannot afford; the styles and parents of the program's own windows are read in
// the process.
bool ShownWithParents(HWND hwnd);

}  // namespace ui::win32
