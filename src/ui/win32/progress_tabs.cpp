#include "ui/win32/progress_tabs.h"

#include <string>

namespace ui::win32 {

HWND ProgressBarPeer::MakeWindow(HWND parent, const RECT& bounds) {
  return CreateChild(0, PROGRESS_CLASSA, "", 0, parent, bounds);
}

void ProgressBarPeer::SyncState() {
  if (shown_.Now(hwnd_)) Show();
}

void ProgressBarPeer::ShowDeferred() {
  if (shown_.Held() && Live()) Show();
}

void ProgressBarPeer::Show() {
  shown_.Begin();
  SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(bar_.Min()),
               static_cast<LPARAM>(bar_.Max()));
  SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(bar_.Value()), 0);
  shown_.End();
}

bool ProgressBarPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (!shown_.IsTimer(hwnd_, message, wParam)) return false;
  ShowDeferred();
  *result = 0;
  return true;
}

HWND TabStripPeer::MakeWindow(HWND parent, const RECT& bounds) {
  return CreateChild(0, WC_TABCONTROLA, "", WS_TABSTOP | WS_GROUP, parent, bounds);
}

void TabStripPeer::InsertTab(int index) {
  std::string caption = tabs_.TabCaption(index + 1);
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TabStripPeer::Select() {
  // TCM_SETCURSEL sends no TCN_SELCHANGE, so the model hears nothing back.
  SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(tabs_.SelectedTab() - 1), 0);
}

void TabStripPeer::SyncState() {
  SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < tabs_.TabCount(); ++i) InsertTab(i);
  Select();
}

void TabStripPeer::Apply(Prop prop) {
  if (prop == Prop::Selection) {
    Select();
  } else {
    ControlPeer::Apply(prop);
  }
}

void TabStripPeer::ApplyItems(ItemChange change, int index) {
  switch (change) {
    case ItemChange::Inserted:
      InsertTab(index);
      break;
    case ItemChange::Removed:
      SendMessageA(hwnd_, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
      break;
    case ItemChange::Updated: {
      std::string caption = tabs_.TabCaption(index + 1);
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption.data();
      SendMessageA(hwnd_, TCM_SETITEMA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
      break;
    }
    case ItemChange::Reset:
      SyncState();
      return;
  }
  Select();
}

bool TabStripPeer::OnNotify(NMHDR& header, LRESULT* result) {
  if (header.code != TCN_SELCHANGE) return false;
  int selected = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
  Guarded([&] { tabs_.SelectTab(selected + 1); });
  *result = 0;
  return true;
}

}  // namespace ui::win32
