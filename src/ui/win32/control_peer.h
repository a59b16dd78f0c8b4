#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "ui/control.h"
#include "ui/win32/context.h"
#include "ui/win32/gdi.h"

namespace ui::win32 {

class FormWindow;

// The window side of one model control: it makes the window, mirrors every model change into it
// (as the control's observer) and turns the window's messages into model events. One subclass
// per control kind; the parent window reflects WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* back to
// the peer of the control that sent them.
class ControlPeer : public ControlObserver {
 public:
  ControlPeer(Context& context, Control& control);
  ~ControlPeer() override;
  ControlPeer(const ControlPeer&) = delete;
  ControlPeer& operator=(const ControlPeer&) = delete;

  Control& Model() const { return control_; }
  HWND Hwnd() const { return hwnd_; }
  // True while the window may touch the model: from creation until its form is destroyed.
  bool Live() const { return live_ && hwnd_ != nullptr && !context_.ShuttingDown(); }
  virtual FormWindow* AsForm() { return nullptr; }
  // Whether Tab stops on this control (when it is visible and enabled).
  virtual bool TabStop() const { return false; }

  // Makes the window as a child of parent with the model's current state and starts observing
  // the model. False when Windows refused the window.
  virtual bool Create(HWND parent);
  // Stops observing the model: the form is about to be destroyed.
  virtual void Detach();
  // Shows a change the peer held back (Context::Defer).
  virtual void ShowDeferred() {}

  void OnChanged(Control& control, Prop prop) override;
  void OnItemsChanged(Control& control, ItemChange change, int index) override;

  // Notifications reflected by the parent window. True when handled.
  virtual bool OnCommand(WORD code) { return false; }
  virtual bool OnNotify(NMHDR& header, LRESULT* result) { return false; }
  virtual bool OnCtlColor(UINT message, HDC dc, LRESULT* result);
  // The brush of the control's own back colour, or nullptr for the system's.
  HBRUSH OwnBackground();
  // What a child control paints its background with: the container's own colour or nullptr.
  HBRUSH ParentBackground() const;

  // The work of the window procedure for this control's own window.
  LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  virtual HWND MakeWindow(HWND parent, const RECT& bounds) = 0;
  // Copies the model's kind-specific state (values, items, picture) into the window: once when
  // it is made, again when the model's value, range or picture changes.
  virtual void SyncState() {}
  // Mirrors one model change; the base handles what all controls share.
  virtual void Apply(Prop prop);
  virtual void ApplyItems(ItemChange change, int index) {}
  // Messages to the control's own window, after the mouse events went to the model and before
  // the default processing; true when handled (the default is then skipped).
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return false;
  }
  // The control's rectangle in its parent's client area, in pixels.
  virtual RECT Bounds() const;
  // Our own window classes call PeerWindowProc; system classes are subclassed.
  virtual bool OwnClass() const { return false; }
  // Frames, images and forms raise Click on a left button release; system controls send their
  // own click notifications.
  virtual bool ClickOnButtonUp() const { return false; }

  HWND CreateChild(DWORD exStyle, const char* className, const std::string& text, DWORD style,
                   HWND parent, const RECT& bounds);
  LRESULT CallDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The form window this control is in, or nullptr.
  FormWindow* OwningForm() const;
  // Hides or disables the window; when it held the keyboard focus, the focus moves on to the
  // next control.
  void HideOrDisable(bool hide);
  const Scale& GetScale() const { return context_.GetScale(); }

  Context& context_;
  Control& control_;
  HWND hwnd_ = nullptr;
  bool live_ = false;

 private:
  friend LRESULT CALLBACK PeerWindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  void RaiseMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void WindowGone();

  BrushHandle background_;
  std::uint32_t backgroundColor_ = kDefaultColor;
};

// The window procedure of the renderer's own classes (forms, frames, shapes, images); the
// creation parameter is the peer.
LRESULT CALLBACK PeerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// What a container window (a form or a frame) does for its children: WM_COMMAND, WM_NOTIFY and
// WM_CTLCOLOR* go to the peer of the control that sent them. True when one handled it.
bool ReflectToChild(Context& context, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace ui::win32
