#include "ui/win32/form_window.h"

#include <string>

#include "ui/basic_controls.h"
#include "ui/menu.h"
#include "ui/win32/keyboard.h"
#include "ui/win32/peer_factory.h"

namespace ui::win32 {

namespace {

constexpr const char* kDefaultIcon = "AAA";

HICON LoadFormIcon(HMODULE module, const std::string& name, int sizeMetric) {
  int size = GetSystemMetrics(sizeMetric);
  // Shared icons of the system sizes: the system frees them with the module.
  auto load = [&](const char* resource) {
    return static_cast<HICON>(LoadImageA(module, resource, IMAGE_ICON, size, size, LR_SHARED));
  };
  HICON icon = name.empty() ? nullptr : load(name.c_str());
  if (icon == nullptr) icon = load(kDefaultIcon);
  return icon;
}

}  // namespace

FormWindow::FormWindow(Context& context, Form& form) : ControlPeer(context, form) {}

FormWindow::~FormWindow() {
  // Destroy the window while the child peers still exist: their windows go with it.
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void FormWindow::Styles(const Form& form, DWORD* style, DWORD* exStyle) {
  const FormArgs& design = form.Design();
  DWORD windowStyle = WS_CLIPCHILDREN;
  DWORD extended = WS_EX_CONTROLPARENT;
  bool titleBar = true;
  bool minMax = true;
  switch (design.border) {
    case BorderStyle::None:
      windowStyle |= WS_POPUP;
      titleBar = false;
      break;
    case BorderStyle::FixedSingle:
      windowStyle |= WS_OVERLAPPED | WS_CAPTION;
      break;
    case BorderStyle::Sizable:
      windowStyle |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
      break;
    case BorderStyle::FixedDialog:
      windowStyle |= WS_OVERLAPPED | WS_CAPTION;
      extended |= WS_EX_DLGMODALFRAME;
      minMax = false;
      break;
    case BorderStyle::FixedToolWindow:
      windowStyle |= WS_OVERLAPPED | WS_CAPTION;
      extended |= WS_EX_TOOLWINDOW;
      minMax = false;
      break;
  }
  if (titleBar && design.controlBox) {
    windowStyle |= WS_SYSMENU;
    if (minMax && design.minButton) windowStyle |= WS_MINIMIZEBOX;
    if (minMax && design.maxButton) windowStyle |= WS_MAXIMIZEBOX;
  }
  if (design.topMost) extended |= WS_EX_TOPMOST;
  // Every form is owned by the host's hidden window, which keeps it off the task bar; the
  // shell lists an owned window only when it has WS_EX_APPWINDOW.
  if (form.ShowInTaskbar()) extended |= WS_EX_APPWINDOW;
  *style = windowStyle;
  *exStyle = extended;
}

HWND FormWindow::MakeWindow(HWND owner, const RECT& bounds) {
  Form& form = GetForm();
  std::string className = "UiForm_" + form.Name();
  if (!context_.EnsureClass(className, PeerWindowProc, CS_DBLCLKS,
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
    return nullptr;
  }
  DWORD style = 0;
  DWORD exStyle = 0;
  Styles(form, &style, &exStyle);
  // The bar goes in with the window, so the client area is the designed one from the start.
  HMENU bar = BuildMenuBar(form, commands_);
  HWND hwnd = CreateWindowExA(exStyle, className.c_str(), form.Caption().c_str(), style,
                              bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, owner, bar, context_.Instance(), this);
  if (hwnd == nullptr && bar != nullptr) DestroyMenu(bar);
  return hwnd;
}

bool FormWindow::Create(HWND owner) {
  HWND hwnd = MakeWindow(owner, Bounds());
  if (hwnd == nullptr) return false;
  hwnd_ = hwnd;
  context_.Register(hwnd_, this);
  Form& form = GetForm();
  SetIcons();
  if (!form.Enabled()) EnableWindow(hwnd_, FALSE);
  form.peer = this;
  form.SetObserver(this);
  for (Menu* menu : form.Menus()) {
    menu->SetObserver(this);
    menus_.push_back(menu);
  }
  CreateChildren(form, hwnd_);
  live_ = true;
  return true;
}

void FormWindow::CreateChildren(Container& container, HWND parent) {
  for (Control* child : container.Children()) {
    std::unique_ptr<ControlPeer> peer = MakePeer(context_, *child);
    if (!peer || !peer->Create(parent)) continue;
    HWND hwnd = peer->Hwnd();
    SetToolTip(hwnd, child->ToolTipText());
    peers_.push_back(std::move(peer));
    if (auto* inner = dynamic_cast<Container*>(child)) CreateChildren(*inner, hwnd);
  }
}

void FormWindow::Detach() {
  for (auto& peer : peers_) peer->Detach();
  for (Menu* menu : menus_) {
    if (menu->Observer() == this) menu->SetObserver(nullptr);
  }
  menus_.clear();
  ControlPeer::Detach();
}

void FormWindow::Destroy() {
  Detach();
  // The window's menu bar is destroyed with it.
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

HWND FormWindow::DefaultButton() const {
  for (const auto& peer : peers_) {
    if (!peer->Live() || peer->Model().Kind() != ControlKind::CommandButton) continue;
    if (!static_cast<CommandButton&>(peer->Model()).isDefault) continue;
    HWND hwnd = peer->Hwnd();
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) return hwnd;
  }
  return nullptr;
}

void FormWindow::OnChanged(Control& control, Prop prop) {
  if (!Live()) return;
  Context::Busy busy(context_);
  try {
    if (&control != &control_) {
      RebuildMenuBar();
      return;
    }
    switch (prop) {
      case Prop::Caption:
        SetWindowTextA(hwnd_, control_.Caption().c_str());
        break;
      case Prop::Enabled:
        EnableWindow(hwnd_, control_.Enabled());
        break;
      case Prop::Picture:
        SetIcons();
        break;
      case Prop::Style:
        ApplyTaskbar();
        break;
      case Prop::Color:
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
      // Geometry and visibility of a form come through the host (ApplyGeometry, ShowForm).
      default:
        break;
    }
  } catch (...) {
  }
}

void FormWindow::OnItemsChanged(Control& control, ItemChange, int) {
  if (!Live() || &control == &control_) return;
  Context::Busy busy(context_);
  try {
    RebuildMenuBar();
  } catch (...) {
  }
}

void FormWindow::RebuildMenuBar() {
  HMENU bar = BuildMenuBar(GetForm(), commands_);
  HMENU old = GetMenu(hwnd_);
  if (!SetMenu(hwnd_, bar)) {
    if (bar != nullptr) DestroyMenu(bar);
    return;
  }
  if (old != nullptr) DestroyMenu(old);
  DrawMenuBar(hwnd_);
}

void FormWindow::SetIcons() {
  const std::string& name = GetForm().Icon();
  HICON big = LoadFormIcon(context_.Resources(), name, SM_CXICON);
  HICON small = LoadFormIcon(context_.Resources(), name, SM_CXSMICON);
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void FormWindow::ApplyTaskbar() {
  LONG_PTR exStyle = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  LONG_PTR wanted =
      GetForm().ShowInTaskbar() ? (exStyle | WS_EX_APPWINDOW) : (exStyle & ~WS_EX_APPWINDOW);
  if (wanted == exStyle) return;
  // The shell reads the style when a window is shown, so a visible window is hidden, restyled
  // and shown again (minimized stays minimized).
  bool visible = IsWindowVisible(hwnd_) != FALSE;
  bool active = GetActiveWindow() == hwnd_;
  if (visible) ShowWindow(hwnd_, SW_HIDE);
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, wanted);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (visible) ShowWindow(hwnd_, active ? SW_SHOW : SW_SHOWNA);
}

void FormWindow::PlaceForFirstShow() {
  StartPosition start = GetForm().Design().startPosition;
  // A window its own code placed before it was first shown stays where it was put (a notice
  // that slides up from the task bar, a window restoring its last place).
  if (start == StartPosition::Manual || placedBeforeShow_) return;
  RECT area{};
  HWND active = GetActiveWindow();
  if (start == StartPosition::CenterOwner && active != nullptr && active != hwnd_ &&
      context_.FindForm(active) != nullptr && IsWindowVisible(active) && !IsIconic(active)) {
    GetWindowRect(active, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT window{};
  GetWindowRect(hwnd_, &window);
  int width = window.right - window.left;
  int height = window.bottom - window.top;
  int left = area.left + (area.right - area.left - width) / 2;
  int top = area.top + (area.bottom - area.top - height) / 2;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Guarded([&] { GetForm().WindowMoved(GetScale().TwipsX(left), GetScale().TwipsY(top)); });
}

void FormWindow::Show() {
  if (hwnd_ == nullptr) return;
  bool first = !shown_;
  if (first) PlaceForFirstShow();
  shown_ = true;
  int before = resizes_;
  int command = SW_SHOW;
  switch (GetForm().GetWindowState()) {
    case WindowState::Minimized:
      command = SW_SHOWMINIMIZED;
      break;
    case WindowState::Maximized:
      command = SW_SHOWMAXIMIZED;
      break;
    case WindowState::Normal:
      command = (IsIconic(hwnd_) || IsZoomed(hwnd_)) ? SW_RESTORE : SW_SHOW;
      break;
  }
  ShowWindow(hwnd_, command);
  if (first && resizes_ == before && Live()) Guarded([&] { GetForm().Resized(); });
}

void FormWindow::Hide() {
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

void FormWindow::ApplyGeometry() {
  if (hwnd_ == nullptr) return;
  int before = resizes_;
  // A minimized or maximized window keeps its place; the model's values apply once restored.
  if (!IsIconic(hwnd_) && !IsZoomed(hwnd_)) {
    RECT bounds = Bounds();
    if (!shown_) {
      RECT now{};
      GetWindowRect(hwnd_, &now);
      if (now.left != bounds.left || now.top != bounds.top) placedBeforeShow_ = true;
    }
    SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (resizes_ == before && Live()) Guarded([&] { GetForm().Resized(); });
}

void FormWindow::ApplyWindowState() {
  if (hwnd_ == nullptr) return;
  int before = resizes_;
  // A hidden window takes its state when it is next shown.
  if (IsWindowVisible(hwnd_)) {
    switch (GetForm().GetWindowState()) {
      case WindowState::Minimized:
        ShowWindow(hwnd_, SW_MINIMIZE);
        break;
      case WindowState::Maximized:
        ShowWindow(hwnd_, SW_MAXIMIZE);
        break;
      case WindowState::Normal:
        ShowWindow(hwnd_, SW_RESTORE);
        break;
    }
  }
  if (resizes_ == before && Live()) Guarded([&] { GetForm().Resized(); });
}

void FormWindow::OnSize(WPARAM kind) {
  if (!shown_) return;
  WindowState state = WindowState::Normal;
  switch (kind) {
    case SIZE_MINIMIZED:
      state = WindowState::Minimized;
      break;
    case SIZE_MAXIMIZED:
      state = WindowState::Maximized;
      break;
    case SIZE_RESTORED:
      state = WindowState::Normal;
      break;
    default:
      return;
  }
  RECT outer{};
  if (state == WindowState::Minimized) {
    // A minimized window's rectangle is its icon; the model keeps the size it will restore to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd_, &placement);
    outer = placement.rcNormalPosition;
  } else {
    GetWindowRect(hwnd_, &outer);
  }
  ++resizes_;
  const Scale& scale = GetScale();
  Guarded([&] {
    GetForm().WindowResized(scale.TwipsX(outer.right - outer.left),
                            scale.TwipsY(outer.bottom - outer.top), state);
  });
}

void FormWindow::OnMove() {
  if (!shown_ || IsIconic(hwnd_)) return;
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  Guarded(
      [&] { GetForm().WindowMoved(GetScale().TwipsX(outer.left), GetScale().TwipsY(outer.top)); });
}

void FormWindow::OnActivate(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) savedFocus_ = focus;
    return;
  }
  if (HIWORD(state) != 0) return;  // activated while minimized: no control shows
  // Give the focus back to where it was, unless that control can no longer take it (or is an
  // option button that focusing would select); else to the first control.
  HWND target = nullptr;
  if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsChild(hwnd_, savedFocus_) &&
      IsTabStop(*this, savedFocus_)) {
    target = savedFocus_;
  }
  if (target == nullptr) target = NextTabStop(*this, nullptr, false);
  SetFocus(target != nullptr ? target : hwnd_);
}

bool FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (ReflectToChild(context_, message, wParam, lParam, result)) return true;
  // The shell sends this registered message to every top-level window when it has made the
  // task bar again; tray icons must then be added anew.
  static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  if (taskbarCreated != 0 && message == taskbarCreated) {
    Guarded([&] {
      if (GetForm().OnTaskbarCreated) GetForm().OnTaskbarCreated();
    });
    *result = 0;
    return true;
  }
  switch (message) {
    case WM_COMMAND: {
      // Menu commands come with no window and notification code 0.
      Menu* menu = nullptr;
      int index = 0;
      if (lParam != 0 || HIWORD(wParam) != 0) return false;
      if (!commands_.Find(LOWORD(wParam), &menu, &index)) return false;
      Guarded([&] { menu->ClickItem(index); });
      *result = 0;
      return true;
    }
    case WM_CLOSE:
      // The close box asks the model, which may cancel; the model's unload destroys the window.
      Guarded([&] { GetForm().Unload(UnloadMode::FormControlMenu); });
      *result = 0;
      return true;
    case WM_SIZE:
      OnSize(wParam);
      return false;
    case WM_MOVE:
      OnMove();
      return false;
    case WM_ACTIVATE:
      OnActivate(wParam);
      *result = 0;
      return true;
    case WM_ERASEBKGND:
      if (HBRUSH brush = OwnBackground()) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        *result = 1;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace ui::win32
