#pragma once

#include "ui/basic_controls.h"
#include "ui/toggle_controls.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/update_throttle.h"

namespace ui::win32 {

// A label: a STATIC that reports clicks (SS_NOTIFY) and shows ampersands as written.
// A static control paints itself before WM_SETTEXT returns, so a counter that a loop changes on
// every step has its caption shown through an UpdateThrottle: the latest text at most every
// 50 ms, and whatever is held back when the event that changed it ends.
class LabelPeer : public ControlPeer {
 public:
  LabelPeer(Context& context, Label& label) : ControlPeer(context, label), shown_(context, *this) {}
  void ShowDeferred() override;

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  bool OnCommand(WORD code) override;
  void Apply(Prop prop) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void ShowCaption();

  HeldUpdate shown_;
};

class CommandButtonPeer : public ControlPeer {
 public:
  CommandButtonPeer(Context& context, CommandButton& button) : ControlPeer(context, button) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  bool OnCommand(WORD code) override;
};

// A check box. The button is not automatic: a click asks the model to toggle, and the model's
// value comes back through the observer, so code and user take the same path.
class CheckBoxPeer : public ControlPeer {
 public:
  CheckBoxPeer(Context& context, CheckBox& box) : ControlPeer(context, box), box_(box) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  bool OnCommand(WORD code) override;

 private:
  CheckBox& box_;
};

// An option button, not automatic either: the model deselects the others of its container.
class OptionButtonPeer : public ControlPeer {
 public:
  OptionButtonPeer(Context& context, OptionButton& option)
      : ControlPeer(context, option), option_(option) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  bool OnCommand(WORD code) override;

 private:
  OptionButton& option_;
};

}  // namespace ui::win32
