#include "ui/win32/win32_host.h"

#include <commctrl.h>

#include "ui/form.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/win32/context.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/file_dialog.h"
#include "ui/win32/form_menu.h"
#include "ui/win32/form_window.h"
#include "ui/win32/gdi.h"

namespace ui::win32 {

namespace {

constexpr const char* kOwnerClass = "UiHostOwner";
constexpr UINT kFirstPopupId = 0x100;

}  // namespace

Win32Host::Win32Host(HINSTANCE instance) : context_(std::make_unique<Context>(instance)) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                   ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  if (context_->EnsureClass(kOwnerClass, OwnerProc, 0, nullptr)) {
    // A real (never shown) top-level window, not a message-only one: only a top-level window
    // can own the forms.
    owner_ = CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, instance, this);
  }
}

Win32Host::~Win32Host() {
  context_->BeginShutdown();
  for (auto& [id, timer] : timers_) KillTimer(owner_, id);
  timers_.clear();
  if (locked_ != nullptr) LockWindowUpdate(nullptr);
  forms_.clear();
  if (owner_ != nullptr) DestroyWindow(owner_);
}

HWND Win32Host::WindowOf(const Control& control) const {
  auto* peer = static_cast<ControlPeer*>(control.peer);
  return peer != nullptr ? peer->Hwnd() : nullptr;
}

void Win32Host::SetResourceModule(HMODULE module) {
  context_->SetResources(module);
}

const Scale& Win32Host::GetScale() const {
  return context_->GetScale();
}

FormWindow* Win32Host::Find(const Form& form) const {
  auto it = forms_.find(&form);
  return it == forms_.end() ? nullptr : it->second.get();
}

void Win32Host::CreateForm(Form& form) {
  if (Find(form) != nullptr) DestroyForm(form);
  Context::Busy busy(*context_);
  auto window = std::make_unique<FormWindow>(*context_, form);
  // Without a display Windows refuses the window; the form then runs without one and every
  // call on it does nothing.
  window->Create(owner_);
  forms_[&form] = std::move(window);
}

void Win32Host::DestroyForm(Form& form) {
  for (Timer* timer : form.Timers()) StopTimer(*timer);
  auto it = forms_.find(&form);
  if (it == forms_.end()) return;
  Context::Busy busy(*context_);
  ReleaseModal(form);
  if (locked_ == &form) {
    LockWindowUpdate(nullptr);
    locked_ = nullptr;
  }
  std::unique_ptr<FormWindow> window = std::move(it->second);
  forms_.erase(it);
  window->Destroy();
  context_->Retire(std::move(window));
}

void Win32Host::ShowForm(Form& form) {
  if (FormWindow* window = Find(form)) {
    Context::Busy busy(*context_);
    window->Show();
  }
}

void Win32Host::HideForm(Form& form) {
  if (FormWindow* window = Find(form)) {
    Context::Busy busy(*context_);
    ReleaseModal(form);
    window->Hide();
  }
}

void Win32Host::ApplyWindowState(Form& form) {
  if (FormWindow* window = Find(form)) {
    Context::Busy busy(*context_);
    window->ApplyWindowState();
  }
}

void Win32Host::ApplyGeometry(Form& form) {
  if (FormWindow* window = Find(form)) {
    Context::Busy busy(*context_);
    window->ApplyGeometry();
  }
}

void Win32Host::NonClientExtent(const Form& form, int* width, int* height) {
  DWORD style = 0;
  DWORD exStyle = 0;
  FormWindow::Styles(form, &style, &exStyle);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, HasMenuBar(form) ? TRUE : FALSE, exStyle);
  *width = GetScale().TwipsX(frame.right - frame.left);
  *height = GetScale().TwipsY(frame.bottom - frame.top);
}

void Win32Host::LockUpdates(Form* form) {
  HWND hwnd = form != nullptr ? WindowOf(*form) : nullptr;
  LockWindowUpdate(hwnd);
  locked_ = hwnd != nullptr ? form : nullptr;
}

void Win32Host::SetMousePointer(int pointer) {
  context_->SetPointer(pointer);
  // Show the new pointer now rather than at the next mouse move, when it is over our windows.
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);
  if (under == nullptr || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) return;
  LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
  SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
               MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

int Win32Host::MousePointer() const {
  return context_->Pointer();
}

bool Win32Host::ShowOpenDialog(FileDialog& dialog) {
  return ShowOpenFileDialog(WindowOf(dialog.GetForm()), dialog);
}

void Win32Host::PopupMenu(Form& form, Menu& menu) {
  HWND hwnd = WindowOf(form);
  if (hwnd == nullptr) hwnd = owner_;
  MenuCommands commands(kFirstPopupId);
  MenuHandle popup(BuildPopupMenu(menu, commands));
  if (!popup) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  // A menu popped up for a window that is not in the foreground (a tray icon's) would not go
  // away on a click elsewhere; the WM_NULL afterwards makes the menu loop end properly.
  SetForegroundWindow(hwnd);
  UINT chosen = static_cast<UINT>(
      TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                     cursor.x, cursor.y, 0, hwnd, nullptr));
  PostMessageA(hwnd, WM_NULL, 0, 0);
  Menu* target = nullptr;
  int index = 0;
  if (chosen != 0 && commands.Find(chosen, &target, &index)) {
    target->ClickItem(index);
  }
}

std::uintptr_t Win32Host::WindowHandle(const Form& form) const {
  return reinterpret_cast<std::uintptr_t>(WindowOf(form));
}

void Win32Host::Quit(int exitCode) {
  PostQuitMessage(exitCode);
}

}  // namespace ui::win32
