#include "ui/win32/keyboard.h"

#include "ui/toggle_controls.h"
#include "ui/win32/context.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/form_window.h"

namespace ui::win32 {

namespace {

bool Styled(HWND hwnd, LONG_PTR bits) {
  return (GetWindowLongPtrA(hwnd, GWL_STYLE) & bits) == bits;
}

// An unselected option button. Windows selects a radio button that gets the focus from the
// keyboard (it sends BN_CLICKED), so moving the focus onto one would change the model; only the
// selected option of a group is a stop.
bool PassedOverOption(const Control& control) {
  return control.Kind() == ControlKind::OptionButton &&
         !static_cast<const OptionButton&>(control).Value();
}

// Visible and enabled up to the form: IsWindowVisible would also require the form to be
// shown, and the first focus is placed while it is being shown.
bool CanFocus(ControlPeer& peer, HWND formWindow) {
  HWND hwnd = peer.Hwnd();
  if (hwnd == nullptr || !peer.Live() || !peer.TabStop()) return false;
  for (HWND window = hwnd; window != nullptr && window != formWindow; window = GetParent(window)) {
    if (!Styled(window, WS_VISIBLE) || Styled(window, WS_DISABLED)) return false;
  }
  return !PassedOverOption(peer.Model());
}

// The index of the peer whose window is hwnd or holds it (the innermost one), or -1.
int IndexOf(FormWindow& form, HWND hwnd) {
  const auto& peers = form.Peers();
  int found = -1;
  for (int i = 0; hwnd != nullptr && i < static_cast<int>(peers.size()); ++i) {
    HWND window = peers[i]->Hwnd();
    if (window != nullptr && (window == hwnd || IsChild(window, hwnd))) found = i;
  }
  return found;
}

}  // namespace

bool IsTabStop(FormWindow& form, HWND hwnd) {
  int index = IndexOf(form, hwnd);
  return index >= 0 && CanFocus(*form.Peers()[index], form.Hwnd());
}

HWND NextTabStop(FormWindow& form, HWND from, bool backward) {
  const auto& peers = form.Peers();
  const int count = static_cast<int>(peers.size());
  int start = IndexOf(form, from);
  for (int step = 1; step <= count; ++step) {
    int index = start < 0 ? (backward ? count - step : step - 1)
                          : ((start + (backward ? -step : step)) % count + count) % count;
    if (CanFocus(*peers[index], form.Hwnd())) return peers[index]->Hwnd();
  }
  return nullptr;
}

void FocusControl(HWND control) {
  SetFocus(control);
  if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageA(control, EM_SETSEL, 0, -1);
  }
}

void MoveFocusOn(FormWindow& form, HWND from) {
  HWND next = NextTabStop(form, from, false);
  if (next != nullptr && next != from) {
    FocusControl(next);
  } else if (GetActiveWindow() == form.Hwnd()) {
    SetFocus(form.Hwnd());
  }
}

bool HandleDialogKey(Context& context, const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam != VK_TAB && message.wParam != VK_RETURN) return false;
  if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  FormWindow* form = context.FindForm(root);
  if (form == nullptr || !form->Live()) return false;
  HWND focus = GetFocus();
  if (focus != nullptr && focus != root && !IsChild(root, focus)) focus = nullptr;
  LRESULT wants = 0;
  if (focus != nullptr) {
    wants = SendMessageA(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  }
  if (message.wParam == VK_TAB) {
    if ((wants & DLGC_WANTTAB) != 0) return false;
    HWND next = NextTabStop(*form, focus, GetKeyState(VK_SHIFT) < 0);
    if (next != nullptr) FocusControl(next);
    return true;
  }
  // Enter: a multi-line text box and an open drop-down list keep it; otherwise it clicks the
  // focused button or else the default button, without moving the focus.
  if ((wants & DLGC_WANTMESSAGE) != 0) return false;
  HWND button = nullptr;
  ControlPeer* focused = focus != nullptr ? context.FindNearest(focus) : nullptr;
  if (focused != nullptr && focused->Live() &&
      focused->Model().Kind() == ControlKind::CommandButton) {
    button = focused->Hwnd();
  } else {
    button = form->DefaultButton();
  }
  if (button == nullptr) return false;
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

}  // namespace ui::win32
