#pragma once

#include "ui/list_controls.h"
#include "ui/win32/control_peer.h"

namespace ui::win32 {

class ListBoxPeer : public ControlPeer {
 public:
  ListBoxPeer(Context& context, ListBox& list) : ControlPeer(context, list), list_(list) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  void Apply(Prop prop) override;
  void ApplyItems(ItemChange change, int index) override;
  bool OnCommand(WORD code) override;

 private:
  ListBox& list_;
};

// A drop-down list combo box. Its window is taller than the model's control by the height of
// the drop-down list, which Windows counts as part of the window.
class ComboBoxPeer : public ControlPeer {
 public:
  ComboBoxPeer(Context& context, ComboBox& combo) : ControlPeer(context, combo), combo_(combo) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  RECT Bounds() const override;
  void SyncState() override;
  void Apply(Prop prop) override;
  void ApplyItems(ItemChange change, int index) override;
  bool OnCommand(WORD code) override;

 private:
  void ShowSelection();

  ComboBox& combo_;
  bool fromWindow_ = false;  // the model is taking the user's choice: no echo back
  bool setting_ = false;     // this peer is setting the selection: its notifications are echoes
};

}  // namespace ui::win32
