#include "ui/win32/control_peer.h"

#include "ui/win32/form_window.h"
#include "ui/win32/keyboard.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

bool IsMouseMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

int ButtonsHeld(WPARAM keys) {
  return ((keys & MK_LBUTTON) != 0 ? kMouseLeft : 0) |
         ((keys & MK_RBUTTON) != 0 ? kMouseRight : 0) |
         ((keys & MK_MBUTTON) != 0 ? kMouseMiddle : 0);
}

int ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// Whether the control's window text is its caption; the others show their text, their items
// or a picture.
bool ShowsCaption(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Frame:
      return true;
    default:
      return false;
  }
}

}  // namespace

ControlPeer::ControlPeer(Context& context, Control& control)
    : context_(context), control_(control) {}

ControlPeer::~ControlPeer() {
  // Only at shutdown does a peer outlive its window's destruction; the window procedure then
  // leaves the model alone.
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (hwnd_ != nullptr) context_.Unregister(hwnd_);
  context_.Undefer(this);
}

bool ControlPeer::Create(HWND parent) {
  HWND hwnd = MakeWindow(parent, Bounds());
  if (hwnd == nullptr) return false;
  hwnd_ = hwnd;
  context_.Register(hwnd_, this);
  if (!OwnClass()) {
    SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.Fonts().For(control_)), FALSE);
  // Later controls lie above earlier ones, as in the model: the page frames of a tab strip are
  // made after it and must cover it. (A new child window goes to the bottom of the z-order.)
  // Labels, shapes and images are painted on their container, beneath every control that is a
  // window of its own, so a button is never hidden by a label that reaches under it.
  const ControlKind kind = control_.Kind();
  const bool paintedOnContainer =
      kind == ControlKind::Label || kind == ControlKind::Shape || kind == ControlKind::Image;
  SetWindowPos(hwnd_, paintedOnContainer ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!control_.Enabled()) EnableWindow(hwnd_, FALSE);
  SyncState();
  control_.peer = this;
  control_.SetObserver(this);
  live_ = true;
  if (control_.Visible()) ShowWindow(hwnd_, SW_SHOWNA);
  return true;
}

void ControlPeer::Detach() {
  live_ = false;
  context_.Undefer(this);
  if (control_.Observer() == this) control_.SetObserver(nullptr);
  if (control_.peer == this) control_.peer = nullptr;
}

void ControlPeer::OnChanged(Control&, Prop prop) {
  if (!Live()) return;
  Context::Busy busy(context_);
  Guarded([&] { Apply(prop); });
}

void ControlPeer::OnItemsChanged(Control&, ItemChange change, int index) {
  if (!Live()) return;
  Context::Busy busy(context_);
  Guarded([&] { ApplyItems(change, index); });
}

void ControlPeer::Apply(Prop prop) {
  switch (prop) {
    case Prop::Caption:
      if (ShowsCaption(control_.Kind())) SetWindowTextA(hwnd_, control_.Caption().c_str());
      break;
    case Prop::Value:
    case Prop::Range:
    case Prop::Picture:
      SyncState();
      break;
    case Prop::Geometry: {
      RECT bounds = Bounds();
      SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Prop::Visible:
      if (control_.Visible()) {
        ShowWindow(hwnd_, SW_SHOWNA);
      } else {
        HideOrDisable(true);
      }
      break;
    case Prop::Enabled:
      if (control_.Enabled()) {
        EnableWindow(hwnd_, TRUE);
      } else {
        HideOrDisable(false);
      }
      break;
    case Prop::Font:
      SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.Fonts().For(control_)),
                   TRUE);
      break;
    case Prop::Color:
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case Prop::ToolTip:
      if (FormWindow* form = OwningForm()) form->SetToolTip(hwnd_, control_.ToolTipText());
      break;
    default:
      break;
  }
}

void ControlPeer::HideOrDisable(bool hide) {
  // Windows hands the focus of a window being hidden to its parent and drops that of a window
  // being disabled; either way the keys would go nowhere useful. Find out first, change the
  // window, then move the focus to the next control as Tab would.
  HWND focus = GetFocus();
  bool had = focus != nullptr && (focus == hwnd_ || IsChild(hwnd_, focus));
  if (hide) {
    ShowWindow(hwnd_, SW_HIDE);
  } else {
    EnableWindow(hwnd_, FALSE);
  }
  if (!had) return;
  if (FormWindow* form = OwningForm()) MoveFocusOn(*form, hwnd_);
}

RECT ControlPeer::Bounds() const {
  const Scale& scale = GetScale();
  int left = scale.PixelsX(control_.Left());
  int top = scale.PixelsY(control_.Top());
  return RECT{left, top, left + scale.PixelsX(control_.Width()),
              top + scale.PixelsY(control_.Height())};
}

HWND ControlPeer::CreateChild(DWORD exStyle, const char* className, const std::string& text,
                              DWORD style, HWND parent, const RECT& bounds) {
  // WS_CLIPSIBLINGS: siblings overlap (page frames over a tab strip) and each must paint only
  // where it is on top.
  return CreateWindowExA(exStyle, className, text.c_str(), style | WS_CHILD | WS_CLIPSIBLINGS,
                         bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(context_.NextControlId())),
                         context_.Instance(), OwnClass() ? this : nullptr);
}

LRESULT ControlPeer::CallDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (OwnClass()) return DefWindowProcA(hwnd, message, wParam, lParam);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

FormWindow* ControlPeer::OwningForm() const {
  if (hwnd_ == nullptr) return nullptr;
  return context_.FindForm(GetAncestor(hwnd_, GA_ROOT));
}

HBRUSH ControlPeer::OwnBackground() {
  std::uint32_t color = control_.BackColor();
  if (color == kDefaultColor) return nullptr;
  if (!background_ || backgroundColor_ != color) {
    background_.Reset(CreateSolidBrush(ToColorRef(color)));
    backgroundColor_ = color;
  }
  return background_.Get();
}

HBRUSH ControlPeer::ParentBackground() const {
  Container* parent = control_.Parent();
  if (parent == nullptr || parent->peer == nullptr) return nullptr;
  return static_cast<ControlPeer*>(parent->peer)->OwnBackground();
}

bool ControlPeer::OnCtlColor(UINT message, HDC dc, LRESULT* result) {
  std::uint32_t fore = control_.ForeColor();
  HBRUSH brush = OwnBackground();
  // Text on a coloured container shows the container's colour, as labels do on a VB form;
  // edit fields and lists keep the window colour unless they have their own.
  if (brush == nullptr && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORLISTBOX) {
    brush = ParentBackground();
  }
  if (brush == nullptr && fore == kDefaultColor) return false;
  if (brush == nullptr) {
    *result = DefWindowProcA(GetParent(hwnd_), message, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(hwnd_));
  } else {
    LOGBRUSH info{};
    GetObjectA(brush, sizeof info, &info);
    SetBkColor(dc, info.lbColor);
    *result = reinterpret_cast<LRESULT>(brush);
  }
  if (fore != kDefaultColor) SetTextColor(dc, ToColorRef(fore));
  return true;
}

void ControlPeer::RaiseMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  MouseArgs args;
  // The tray icon reports its events as WM_MOUSEMOVE with the event code in the low word of
  // lParam; it arrives here unchanged, as x = code pixels.
  args.x = GetScale().TwipsX(static_cast<short>(LOWORD(lParam)));
  args.y = GetScale().TwipsY(static_cast<short>(HIWORD(lParam)));
  args.shift = ShiftState();
  switch (message) {
    case WM_MOUSEMOVE:
      args.button = ButtonsHeld(wParam);
      Guarded([&] { control_.MouseMove(args); });
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      args.button = kMouseLeft;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      args.button = kMouseRight;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      args.button = kMouseMiddle;
      break;
    case WM_LBUTTONUP:
      args.button = kMouseLeft;
      break;
    case WM_RBUTTONUP:
      args.button = kMouseRight;
      break;
    case WM_MBUTTONUP:
      args.button = kMouseMiddle;
      break;
    default:
      return;
  }
  bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  if (!up) {
    Guarded([&] { control_.MouseDown(args); });
    return;
  }
  Guarded([&] { control_.MouseUp(args); });
  if (message == WM_LBUTTONUP && ClickOnButtonUp() && Live()) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (PtInRect(&client, point)) Guarded([&] { control_.Click(); });
  }
}

LRESULT ControlPeer::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    // Remove the subclass here, as comctl32 asks, before the window is gone for good.
    if (!OwnClass()) RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    LRESULT result = CallDefault(hwnd, message, wParam, lParam);
    WindowGone();
    return result;
  }
  if (Live()) {
    if (message == WM_SETCURSOR) {
      if (HCURSOR cursor = context_.PointerCursor()) {
        SetCursor(cursor);
        return TRUE;
      }
    }
    if (IsMouseMessage(message)) {
      RaiseMouse(message, wParam, lParam);
      // The program's handler may have unloaded the form and with it this window.
      if (!IsWindow(hwnd)) return 0;
    }
    if (Live()) {
      LRESULT result = 0;
      if (HandleMessage(message, wParam, lParam, &result)) return result;
      if (!IsWindow(hwnd)) return 0;
    }
  }
  return CallDefault(hwnd, message, wParam, lParam);
}

void ControlPeer::WindowGone() {
  if (hwnd_ != nullptr) context_.Unregister(hwnd_);
  hwnd_ = nullptr;
  live_ = false;
}

LRESULT CALLBACK ControlPeer::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* peer = reinterpret_cast<ControlPeer*>(data);
  Context::Busy busy(peer->context_);
  try {
    return peer->Route(hwnd, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK PeerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* peer = static_cast<ControlPeer*>(create->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
    if (peer != nullptr) peer->hwnd_ = hwnd;
  }
  auto* peer = reinterpret_cast<ControlPeer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (peer == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  Context::Busy busy(peer->context_);
  try {
    LRESULT result = peer->Route(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return result;
  } catch (...) {
    return 0;
  }
}

bool ReflectToChild(Context& context, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND: {
      if (lParam == 0) return false;
      ControlPeer* peer = context.Find(reinterpret_cast<HWND>(lParam));
      if (peer == nullptr || !peer->Live()) return false;
      *result = 0;
      return peer->OnCommand(HIWORD(wParam));
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header == nullptr) return false;
      ControlPeer* peer = context.Find(header->hwndFrom);
      if (peer == nullptr || !peer->Live()) return false;
      return peer->OnNotify(*header, result);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      ControlPeer* peer = context.FindNearest(reinterpret_cast<HWND>(lParam));
      if (peer == nullptr || !peer->Live()) return false;
      return peer->OnCtlColor(message, reinterpret_cast<HDC>(wParam), result);
    }
    case WM_NOTIFYFORMAT:
      // The controls are made with the ANSI classes and the model's text is ANSI.
      if (lParam == NF_QUERY) {
        *result = NFR_ANSI;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace ui::win32
