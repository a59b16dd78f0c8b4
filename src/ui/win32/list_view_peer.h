#pragma once

#include "ui/list_view.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/gdi.h"
#include "ui/win32/update_throttle.h"

namespace ui::win32 {

// A report-view list. It is virtual (LVS_OWNERDATA): the window holds only the row count and
// asks the model for what it draws. Setting the count of a visible list lays out its scroll
// bars and header again (milliseconds under Wine), so rows appended in a burst only mark the
// count stale; it is brought up to date before the list handles its next message (a paint, a
// query from anyone) and, while the list is shown, by its UpdateThrottle's timer.
// The window keeps the selection itself, mirrored both ways. A virtual list does not keep check
// boxes, so the peer toggles them: a click on a row's state icon, or Space, is a user's tick
// (the model's ItemCheck); a change in code only redraws the row.
class ListViewPeer : public ControlPeer {
 public:
  ListViewPeer(Context& context, ListView& list) : ControlPeer(context, list), list_(list) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  void Apply(Prop prop) override;
  void ApplyItems(ItemChange change, int index) override;
  bool OnNotify(NMHDR& header, LRESULT* result) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // Brings the window's row count up to the model's after appends.
  void FlushCount();
  void LoadIcons();
  void SyncColumns();
  void SyncColors();
  void SyncSelection();
  void ShowSelected(int row);
  void RedrawIfInView(int row);
  // A row's state or the view's place, asked of the list's own procedure (per-row queries).
  LRESULT Ask(UINT message, WPARAM wParam, LPARAM lParam);
  void SelectFromWindow(int first, int last, bool selected);
  void ReadColumnWidths();
  void GetDisplayInfo(LVITEMA& item);
  void GetDisplayInfo(LVITEMW& item);
  bool StateIconAt(LPARAM position, int* row) const;
  void Toggle(int row);

  ListView& list_;
  ImageListHandle icons_;
  bool applying_ = false;    // this peer is changing the window: its notifications are echoes
  bool fromWindow_ = false;  // the model is taking a change from the window: no echo back
  bool countStale_ = false;
  // Rows streaming in (a scan's findings) show as a count that grows at most four times a
  // second: under Wine each change of the count lays out the scroll bar and header again, some
  // 80 round trips to the window server, and at the general spacing the three lists that grow
  // for the whole of a scan took a fifth of it.
  static constexpr std::int64_t kRowCountIntervalMs = 250;
  UpdateThrottle throttle_{kRowCountIntervalMs};
  WNDPROC listProc_ = nullptr;
};

}  // namespace ui::win32
