#pragma once

#include <cstdint>
#include <functional>

namespace ui {

class FileDialog;
class Form;
class Menu;
class Timer;

// Mouse pointers (the values the program stores and compares).
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerHourglass = 11;

// Where forms become windows and where the event loop lives. The Win32 renderer implements it
// with real windows and messages; the headless host of the tests with virtual time.
class Host {
 public:
  virtual ~Host() = default;

  // A form was loaded: make its window (hidden). Its controls and timers follow its model.
  virtual void CreateForm(Form& form) = 0;
  // A form was unloaded: destroy its window and stop its timers.
  virtual void DestroyForm(Form& form) = 0;
  // Show or hide a loaded form's window; a form shown for the first time gets its Resize.
  virtual void ShowForm(Form& form) = 0;
  virtual void HideForm(Form& form) = 0;
  // Runs a modal loop for a shown form; returns once the form is hidden or unloaded.
  virtual void RunModal(Form& form) = 0;
  // The form's window state, position or size changed in code; the window follows and the form
  // gets its Resize.
  virtual void ApplyWindowState(Form& form) = 0;
  virtual void ApplyGeometry(Form& form) = 0;
  // The width and height, in twips, that the window's frame, title bar and menu bar add to the
  // client area.
  virtual void NonClientExtent(const Form& form, int* width, int* height) = 0;

  // A timer changed; the host starts, restarts or stops it according to Timer::IsRunning.
  virtual void TimerChanged(Timer& timer) = 0;
  // Lets pending events (clicks, timers, repaints) run, then returns.
  virtual void DoEvents() = 0;
  // For loops that yield after every small step: lets events run when the last yield lies a few
  // milliseconds back, else returns at once. The window then stays live (a click waits at most
  // that long) without the program asking for events many thousand times a second, and the
  // repaints that the steps cause are done once per yield instead of once per step. A host with
  // a time of its own, which only yielding moves on, yields every time.
  virtual void YieldIfDue() { DoEvents(); }
  // Stops (form) or allows again (nullptr) the repainting of a form while it is updated.
  virtual void LockUpdates(Form* form) = 0;
  // The pointer over the program's windows.
  virtual void SetMousePointer(int pointer) = 0;
  virtual int MousePointer() const = 0;

  // The file-open dialog; true when the user chose a file (its path is then in the dialog).
  virtual bool ShowOpenDialog(FileDialog& dialog) = 0;
  // Pops up a menu at the mouse position and returns after the user chose or dismissed.
  virtual void PopupMenu(Form& form, Menu& menu) = 0;
  // The native handle of a loaded form's window, as the shell's calls take it (0 when there is
  // none).
  virtual std::uintptr_t WindowHandle(const Form& form) const = 0;
  // Ends the event loop; the program then ends with this code.
  virtual void Quit(int exitCode) = 0;

  // Runs when a form has been loaded, just before its own load handler: where the program puts
  // its current language into every window it loads.
  std::function<void(Form&)> onFormLoading;
};

}  // namespace ui
