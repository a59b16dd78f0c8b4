// The message loops of the host: Run, DoEvents and the modal loop.
#include "ui/form.h"
#include "ui/win32/context.h"
#include "ui/win32/form_window.h"
#include "ui/win32/keyboard.h"
#include "ui/win32/win32_host.h"

namespace ui::win32 {

namespace {

// DoEvents stops after this many messages even if more keep coming, so a message that posts
// itself again cannot hold the caller for ever.
constexpr int kMostMessagesPerYield = 10000;
// How long a step loop may work between two looks for events.
constexpr std::int64_t kYieldIntervalMs = 10;

std::int64_t PerformanceCounter() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

void Win32Host::Dispatch(MSG& message) {
  if (HandleDialogKey(*context_, message)) return;
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && context_->FindForm(root) != nullptr && IsDialogMessageA(root, &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int Win32Host::Run() {
  MSG message{};
  for (;;) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return -1;
    Dispatch(message);
  }
}

void Win32Host::YieldIfDue() {
  if (ticksPerYield_ == 0) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    ticksPerYield_ = frequency.QuadPart * kYieldIntervalMs / 1000;
  }
  if (PerformanceCounter() - lastYield_ < ticksPerYield_) return;
  DoEvents();
}

void Win32Host::DoEvents() {
  lastYield_ = PerformanceCounter();
  MSG message{};
  for (int handled = 0; handled < kMostMessagesPerYield; ++handled) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // The loop that runs the program must still see it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void Win32Host::RunModal(Form& form) {
  FormWindow* window = Find(form);
  if (window == nullptr || window->Hwnd() == nullptr) return;
  HWND hwnd = window->Hwnd();
  HWND previous = GetActiveWindow();
  // Every other visible window of the program waits, as under a modal dialog; the form itself
  // may have been disabled by an outer modal loop and must take input now.
  ModalFrame frame{&form, {}};
  for (auto& [other, otherWindow] : forms_) {
    HWND otherHwnd = otherWindow->Hwnd();
    if (other == &form || otherHwnd == nullptr) continue;
    if (IsWindowVisible(otherHwnd) && IsWindowEnabled(otherHwnd)) {
      EnableWindow(otherHwnd, FALSE);
      frame.disabled.push_back(otherHwnd);
    }
  }
  bool wasDisabled = !IsWindowEnabled(hwnd);
  if (wasDisabled) EnableWindow(hwnd, TRUE);
  modal_.push_back(std::move(frame));

  MSG message{};
  while (form.IsLoaded() && form.Visible()) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }

  ReleaseModal(form);
  for (auto it = modal_.begin(); it != modal_.end(); ++it) {
    if (it->form == &form) {
      modal_.erase(it);
      break;
    }
  }
  if (wasDisabled && IsWindow(hwnd) && IsWindowVisible(hwnd)) EnableWindow(hwnd, FALSE);
  if (previous != nullptr && previous != hwnd && IsWindow(previous) && IsWindowVisible(previous)) {
    SetActiveWindow(previous);
  }
}

void Win32Host::ReleaseModal(Form& form) {
  for (ModalFrame& frame : modal_) {
    if (frame.form != &form) continue;
    for (HWND hwnd : frame.disabled) {
      if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    frame.disabled.clear();
  }
}

}  // namespace ui::win32
