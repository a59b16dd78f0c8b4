#include "ui/win32/list_peers.h"

namespace ui::win32 {

namespace {

constexpr int kDropDownHeight = 160;  // pixels of list below a drop-down combo box

}  // namespace

HWND ListBoxPeer::MakeWindow(HWND parent, const RECT& bounds) {
  // No integral height: the list keeps exactly the size the form gives it.
  DWORD style = WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  return CreateChild(WS_EX_CLIENTEDGE, "LISTBOX", "", style, parent, bounds);
}

void ListBoxPeer::SyncState() {
  SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : list_.Entries()) {
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.ListIndex()), 0);
}

void ListBoxPeer::Apply(Prop prop) {
  if (prop == Prop::Selection) {
    SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.ListIndex()), 0);
  } else {
    ControlPeer::Apply(prop);
  }
}

void ListBoxPeer::ApplyItems(ItemChange change, int index) {
  switch (change) {
    case ItemChange::Inserted:
      SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(list_.List(index).c_str()));
      break;
    case ItemChange::Removed:
      SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
      break;
    case ItemChange::Updated:
      SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
      SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(list_.List(index).c_str()));
      SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.ListIndex()), 0);
      break;
    case ItemChange::Reset:
      SyncState();
      break;
  }
}

bool ListBoxPeer::OnCommand(WORD code) {
  if (code != LBN_SELCHANGE) return false;
  int index = static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
  Guarded([&] { list_.SetListIndex(index == LB_ERR ? -1 : index); });
  return true;
}

RECT ComboBoxPeer::Bounds() const {
  RECT bounds = ControlPeer::Bounds();
  bounds.bottom += kDropDownHeight;
  return bounds;
}

HWND ComboBoxPeer::MakeWindow(HWND parent, const RECT& bounds) {
  DWORD style = WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DROPDOWNLIST;
  return CreateChild(0, "COMBOBOX", "", style, parent, bounds);
}

void ComboBoxPeer::ShowSelection() {
  ScopedFlag setting(setting_);
  SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ListIndex()), 0);
}

void ComboBoxPeer::SyncState() {
  ScopedFlag setting(setting_);
  SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : combo_.Entries()) {
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  ShowSelection();
}

void ComboBoxPeer::Apply(Prop prop) {
  if (prop == Prop::Selection) {
    // While the model takes the user's choice, the window already shows it.
    if (!fromWindow_) ShowSelection();
  } else {
    ControlPeer::Apply(prop);
  }
}

void ComboBoxPeer::ApplyItems(ItemChange change, int index) {
  ScopedFlag setting(setting_);
  switch (change) {
    case ItemChange::Inserted:
      SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(combo_.List(index).c_str()));
      break;
    case ItemChange::Removed:
      SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
      break;
    case ItemChange::Updated:
      SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
      SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(combo_.List(index).c_str()));
      ShowSelection();
      break;
    case ItemChange::Reset:
      SyncState();
      break;
  }
}

bool ComboBoxPeer::OnCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  if (setting_) return true;
  int index = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
  ScopedFlag from(fromWindow_);
  Guarded([&] { combo_.SetListIndex(index == CB_ERR ? -1 : index); });
  return true;
}

}  // namespace ui::win32
