#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "ui/host.h"
#include "ui/win32/scale.h"

namespace ui {
class Control;
}

namespace ui::win32 {

class Context;
class FormWindow;

// The host that gives forms real windows: every loaded form becomes a top-level window with
// real child controls, timers run on a hidden window, and the message loop, modal loops and
// DoEvents are the Win32 ones.
//
// One per process, made on the UI thread before any form is loaded:
//
//   ui::win32::Win32Host host(hInstance);
//   App app(host);          // forms are made against the host
//   app.Start();            // loads and shows the first form
//   int code = host.Run();  // until something calls Quit(code)
//
// Destroy the forms before the host (declare the host first). The host then only destroys the
// windows that are left and touches no model object.
class Win32Host final : public Host {
 public:
  explicit Win32Host(HINSTANCE instance);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // The message loop: runs until WM_QUIT and returns its exit code. Tab, Shift+Tab and Enter
  // move between and press the controls of the form that has the focus.
  int Run();

  // The window of a loaded form or of a control of a loaded form (nullptr when there is none):
  // for tests, for the tray icon and for calls the model does not cover.
  HWND WindowOf(const Control& control) const;
  // The hidden window that owns every form (keeping them off the task bar) and gets the
  // timers' messages.
  HWND OwnerWindow() const { return owner_; }
  // Where icons and bitmaps named by forms, list views and images are loaded from; the
  // instance passed to the constructor by default.
  void SetResourceModule(HMODULE module);
  const Scale& GetScale() const;

  // Host.
  void CreateForm(Form& form) override;
  void DestroyForm(Form& form) override;
  void ShowForm(Form& form) override;
  void HideForm(Form& form) override;
  void RunModal(Form& form) override;
  void ApplyWindowState(Form& form) override;
  void ApplyGeometry(Form& form) override;
  void NonClientExtent(const Form& form, int* width, int* height) override;
  void TimerChanged(Timer& timer) override;
  void DoEvents() override;
  void YieldIfDue() override;
  void LockUpdates(Form* form) override;
  void SetMousePointer(int pointer) override;
  int MousePointer() const override;
  bool ShowOpenDialog(FileDialog& dialog) override;
  void PopupMenu(Form& form, Menu& menu) override;
  std::uintptr_t WindowHandle(const Form& form) const override;
  void Quit(int exitCode) override;

 private:
  // When DoEvents last looked for events, in performance-counter ticks.
  std::int64_t lastYield_ = 0;
  std::int64_t ticksPerYield_ = 0;

  struct ModalFrame {
    Form* form;
    std::vector<HWND> disabled;  // windows this modal loop disabled, to enable again
  };

  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  FormWindow* Find(const Form& form) const;
  // One message through the dialog keys, IsDialogMessage, and Translate/Dispatch.
  void Dispatch(MSG& message);
  void OnTimer(UINT_PTR id);
  void StopTimer(Timer& timer);
  // Enables again what a modal loop for this form disabled, before the form goes away, so the
  // window that becomes active is one of the program's.
  void ReleaseModal(Form& form);

  std::unique_ptr<Context> context_;
  HWND owner_ = nullptr;
  std::map<const Form*, std::unique_ptr<FormWindow>> forms_;
  std::map<UINT_PTR, Timer*> timers_;
  UINT_PTR nextTimerId_ = 1;
  std::vector<ModalFrame> modal_;
  const Form* locked_ = nullptr;
};

}  // namespace ui::win32
