#pragma once

#include "ui/input_controls.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/update_throttle.h"

namespace ui::win32 {

// A bar repaints itself before PBM_SETPOS returns, so a loop that moves it on every step has
// its position shown through an UpdateThrottle: the latest value at most every 50 ms, and
// whatever is held back when the event that moved it ends.
class ProgressBarPeer : public ControlPeer {
 public:
  ProgressBarPeer(Context& context, ProgressBar& bar)
      : ControlPeer(context, bar), bar_(bar), shown_(context, *this) {}
  void ShowDeferred() override;

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void Show();

  ProgressBar& bar_;
  HeldUpdate shown_;
};

// A tab strip shows captions only; the program lays its page frames over it and shows one per
// tab from its Click handler.
class TabStripPeer : public ControlPeer {
 public:
  TabStripPeer(Context& context, TabStrip& tabs) : ControlPeer(context, tabs), tabs_(tabs) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  void Apply(Prop prop) override;
  void ApplyItems(ItemChange change, int index) override;
  bool OnNotify(NMHDR& header, LRESULT* result) override;

 private:
  void InsertTab(int index);
  void Select();

  TabStrip& tabs_;
};

}  // namespace ui::win32
