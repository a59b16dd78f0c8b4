#include "ui/win32/button_peers.h"

namespace ui::win32 {

namespace {

DWORD StaticAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return SS_RIGHT;
    case Alignment::Center:
      return SS_CENTER;
    case Alignment::Left:
      break;
  }
  return SS_LEFT;
}

WPARAM CheckState(int value) {
  switch (value) {
    case kChecked:
      return BST_CHECKED;
    case kGrayed:
      return BST_INDETERMINATE;
    default:
      return BST_UNCHECKED;
  }
}

// Dialog groups run from a WS_GROUP control down the z-order. Ours is the reverse of creation
// order, so an option button starts a group when the sibling made after it is not an option
// button; every other control is a group of its own.
bool StartsGroup(const Control& control) {
  if (control.Kind() != ControlKind::OptionButton || control.Parent() == nullptr) return true;
  const auto& siblings = control.Parent()->Children();
  for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
    if (siblings[i] == &control) return siblings[i + 1]->Kind() != ControlKind::OptionButton;
  }
  return true;
}

}  // namespace

HWND LabelPeer::MakeWindow(HWND parent, const RECT& bounds) {
  DWORD style = SS_NOTIFY | SS_NOPREFIX | StaticAlignment(control_.GetAlignment());
  return CreateChild(0, "STATIC", control_.Caption(), style, parent, bounds);
}

bool LabelPeer::OnCommand(WORD code) {
  if (code != STN_CLICKED) return false;
  Guarded([&] { control_.Click(); });
  return true;
}

void LabelPeer::Apply(Prop prop) {
  if (prop != Prop::Caption) {
    ControlPeer::Apply(prop);
  } else if (shown_.Now(hwnd_)) {
    ShowCaption();
  }
}

void LabelPeer::ShowCaption() {
  shown_.Begin();
  SetWindowTextA(hwnd_, control_.Caption().c_str());
  shown_.End();
}

void LabelPeer::ShowDeferred() {
  if (shown_.Held() && Live()) ShowCaption();
}

bool LabelPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (!shown_.IsTimer(hwnd_, message, wParam)) return false;
  ShowDeferred();
  *result = 0;
  return true;
}

HWND CommandButtonPeer::MakeWindow(HWND parent, const RECT& bounds) {
  bool isDefault = static_cast<CommandButton&>(control_).isDefault;
  DWORD style =
      WS_TABSTOP | WS_GROUP | BS_MULTILINE | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  return CreateChild(0, "BUTTON", control_.Caption(), style, parent, bounds);
}

bool CommandButtonPeer::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Guarded([&] { control_.Click(); });
  return true;
}

HWND CheckBoxPeer::MakeWindow(HWND parent, const RECT& bounds) {
  // Three-state so that the model's "grayed" value can show; still not automatic.
  DWORD style = WS_TABSTOP | WS_GROUP | BS_3STATE | BS_MULTILINE |
                (control_.GetAlignment() == Alignment::Right ? BS_LEFTTEXT : 0);
  return CreateChild(0, "BUTTON", control_.Caption(), style, parent, bounds);
}

void CheckBoxPeer::SyncState() {
  SendMessageA(hwnd_, BM_SETCHECK, CheckState(box_.Value()), 0);
}

bool CheckBoxPeer::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Guarded([&] { box_.Toggle(); });
  return true;
}

HWND OptionButtonPeer::MakeWindow(HWND parent, const RECT& bounds) {
  DWORD style = WS_TABSTOP | BS_RADIOBUTTON | BS_MULTILINE |
                (StartsGroup(control_) ? WS_GROUP : 0) |
                (control_.GetAlignment() == Alignment::Right ? BS_LEFTTEXT : 0);
  return CreateChild(0, "BUTTON", control_.Caption(), style, parent, bounds);
}

void OptionButtonPeer::SyncState() {
  SendMessageA(hwnd_, BM_SETCHECK, option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool OptionButtonPeer::OnCommand(WORD code) {
  // A radio button also sends BN_CLICKED when it gets the focus from the keyboard; selecting
  // an already selected option changes nothing in the model.
  if (code != BN_CLICKED) return false;
  Guarded([&] { option_.SetValue(true); });
  return true;
}

}  // namespace ui::win32
