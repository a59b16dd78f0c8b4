// The host's timers: one Win32 timer per running model timer, on the hidden owner window.
#include "ui/form.h"
#include "ui/timer.h"
#include "ui/win32/context.h"
#include "ui/win32/win32_host.h"

namespace ui::win32 {

LRESULT CALLBACK Win32Host::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (host != nullptr && message == WM_TIMER && !host->context_->ShuttingDown()) {
    Context::Busy busy(*host->context_);
    Guarded([&] { host->OnTimer(static_cast<UINT_PTR>(wParam)); });
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Win32Host::OnTimer(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) {
    // A tick already queued when the timer was stopped or restarted under a new id.
    KillTimer(owner_, id);
    return;
  }
  Timer* timer = it->second;
  Guarded([&] { timer->Tick(); });
}

void Win32Host::StopTimer(Timer& timer) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second == &timer) {
      KillTimer(owner_, it->first);
      timers_.erase(it);
      return;
    }
  }
}

void Win32Host::TimerChanged(Timer& timer) {
  // Each start takes a fresh id, so a tick of the old count still in the queue is recognised
  // and dropped: a changed interval starts counting again.
  StopTimer(timer);
  if (!timer.IsRunning() || owner_ == nullptr) return;
  UINT_PTR id = nextTimerId_++;
  UINT interval = static_cast<UINT>(timer.Interval());
  if (interval < USER_TIMER_MINIMUM) interval = USER_TIMER_MINIMUM;
  if (SetTimer(owner_, id, interval, nullptr) != 0) timers_[id] = &timer;
}

}  // namespace ui::win32
