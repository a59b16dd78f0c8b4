#pragma once

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/win32/fonts.h"
#include "ui/win32/scale.h"

namespace ui::win32 {

class ControlPeer;
class FormWindow;

// What every window of the renderer shares: the module, the screen's scale, the fonts, the
// table from window handles to the peers that mirror model controls, the mouse pointer, and the
// deferred deletion of peers whose windows are gone.
class Context {
 public:
  explicit Context(HINSTANCE instance);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  HINSTANCE Instance() const { return instance_; }
  // Where icons and bitmaps named by the model are loaded from.
  HMODULE Resources() const { return resources_; }
  void SetResources(HMODULE module) { resources_ = module != nullptr ? module : instance_; }
  const Scale& GetScale() const { return scale_; }
  FontCache& Fonts() { return fonts_; }

  void Register(HWND hwnd, ControlPeer* peer);
  void Unregister(HWND hwnd);
  ControlPeer* Find(HWND hwnd) const;
  // The peer of the window or of its nearest ancestor below the top-level window: the edit
  // box inside a combo box belongs to the combo box's peer.
  ControlPeer* FindNearest(HWND hwnd) const;
  // The form whose top-level window this is, or nullptr.
  FormWindow* FindForm(HWND topLevel) const;
  // A new id for a child window, unique in the process; 1 and 2 (IDOK, IDCANCEL) are never
  // used, because IsDialogMessage sends them for Enter and Escape.
  int NextControlId() { return nextId_++; }

  // A peer whose window was destroyed may still have a member function on the stack (a click
  // handler that unloads its own form). It is kept until no window procedure or model callback
  // of the renderer is running.
  void Retire(std::unique_ptr<ControlPeer> peer);
  // A peer that holds a change back (see UpdateThrottle) shows it by its own timer, and at the
  // latest when no window procedure or model callback of the renderer runs any more: a click
  // sent from another process is answered only after the window shows what the click did.
  void Defer(ControlPeer* peer);
  void Undefer(ControlPeer* peer);
  class Busy {
   public:
    explicit Busy(Context& context) : context_(context) { ++context_.depth_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    ~Busy() { context_.Leave(); }

   private:
    Context& context_;
  };

  // From here on no window procedure touches the model: its objects may already be gone.
  void BeginShutdown() { shuttingDown_ = true; }
  bool ShuttingDown() const { return shuttingDown_; }

  int Pointer() const { return pointer_; }
  void SetPointer(int pointer) { pointer_ = pointer; }
  // The cursor for the current pointer; nullptr leaves each window its own cursor.
  HCURSOR PointerCursor() const;

  // Registers a window class of ours once per process (the class outlives a host).
  bool EnsureClass(const std::string& name, WNDPROC proc, UINT style, HBRUSH background);

 private:
  void Leave();

  HINSTANCE instance_;
  HMODULE resources_;
  Scale scale_;
  FontCache fonts_;
  std::unordered_map<HWND, ControlPeer*> peers_;
  int nextId_ = 100;
  int depth_ = 0;
  std::vector<std::unique_ptr<ControlPeer>> retired_;
  std::vector<ControlPeer*> deferred_;
  bool showingDeferred_ = false;
  bool shuttingDown_ = false;
  int pointer_ = 0;
  std::set<std::string> classes_;
};

// Runs a model callback; an exception from the program's handler stops there, so the window
// procedure that called it still does its own work and never lets the exception out.
template <class F>
void Guarded(F&& callback) noexcept {
  try {
    callback();
  } catch (...) {
  }
}

// Sets a flag for one scope: the window change it brackets is the renderer's own echo.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;
  ~ScopedFlag() { flag_ = old_; }

 private:
  bool& flag_;
  bool old_;
};

}  // namespace ui::win32
