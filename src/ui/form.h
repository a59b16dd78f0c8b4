#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class Host;
class Menu;
class Timer;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };
enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow };
enum class StartPosition { Manual, CenterOwner, CenterScreen };
// Why a form is being unloaded.
enum class UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, TaskManager = 3 };

// Design-time properties of a form; the client size is in twips.
struct FormArgs {
  std::string name;
  std::string caption;
  int clientWidth = 4800;
  int clientHeight = 3600;
  int left = 0;
  int top = 0;
  BorderStyle border = BorderStyle::Sizable;
  StartPosition startPosition = StartPosition::CenterScreen;
  bool controlBox = true;
  bool minButton = true;
  bool maxButton = true;
  bool showInTaskbar = true;
  bool topMost = false;
  std::string icon;  // resource name of the window icon; empty for the program's default
};

// A window. The object exists for the whole run; Load makes its window and runs its load
// handler, Unload destroys the window (the object and its controls' state stay). Width and
// Height are the outer size, ScaleWidth and ScaleHeight the client area, all in twips.
class Form : public Container {
 public:
  Form(Host& host, FormArgs args);
  ~Form() override;

  Host& GetHost() const { return host_; }
  bool IsLoaded() const { return loaded_; }

  // Loads the form when it is not loaded: the window is made, hidden, and Form_Load runs.
  void Load();
  // Loads and shows the form; a modal show returns once the form is hidden or unloaded.
  void Show(bool modal = false);
  void Hide();
  // Runs Form_QueryUnload and Form_Unload (either may cancel), then destroys the window.
  // Returns false when cancelled.
  bool Unload(UnloadMode mode = UnloadMode::FormCode);
  bool IsModal() const { return modal_; }

  void SetVisible(bool visible) override;
  void Move(int left, int top, int width, int height) override;
  int ScaleWidth() const;
  int ScaleHeight() const;

  WindowState GetWindowState() const { return state_; }
  void SetWindowState(WindowState state);

  const FormArgs& Design() const { return design_; }
  const std::string& Icon() const { return icon_; }
  void SetIcon(const std::string& resource);
  // Listed in the task bar and the task list.
  bool ShowInTaskbar() const { return showInTaskbar_; }
  void SetShowInTaskbar(bool show);

  std::vector<Timer*> Timers() const;
  std::vector<Menu*> Menus() const;

  // Called by the host when the window's size or state changed outside the model (the user
  // resized, minimized or restored it). Updates the model and runs Form_Resize.
  void WindowResized(int outerWidth, int outerHeight, WindowState state);
  // The window moved (left and top in twips of the screen).
  void WindowMoved(int left, int top);
  // Runs Form_Resize.
  void Resized() { Form_Resize(); }

  // The task bar was made again (the shell restarted); the icons it showed are gone.
  std::function<void()> OnTaskbarCreated;

 protected:
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_QueryUnload(int& cancel, UnloadMode mode) {}
  virtual void Form_Unload(int& cancel) {}

 private:
  Host& host_;
  FormArgs design_;
  bool loaded_ = false;
  bool sized_ = false;
  bool modal_ = false;
  WindowState state_ = WindowState::Normal;
  std::string icon_;
  bool showInTaskbar_;
};

}  // namespace ui
