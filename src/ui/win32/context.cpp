#include "ui/win32/context.h"

#include <algorithm>

#include "ui/win32/control_peer.h"

namespace ui::win32 {

Context::Context(HINSTANCE instance)
    : instance_(instance),
      resources_(instance),
      scale_(Scale::FromScreen()),
      fonts_(scale_.DpiY()) {}

Context::~Context() = default;

void Context::Register(HWND hwnd, ControlPeer* peer) {
  if (hwnd != nullptr) peers_[hwnd] = peer;
}

void Context::Unregister(HWND hwnd) {
  peers_.erase(hwnd);
}

ControlPeer* Context::Find(HWND hwnd) const {
  auto it = peers_.find(hwnd);
  return it == peers_.end() ? nullptr : it->second;
}

ControlPeer* Context::FindNearest(HWND hwnd) const {
  for (int depth = 0; hwnd != nullptr && depth < 4; ++depth) {
    if (ControlPeer* peer = Find(hwnd)) return peer;
    if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) == 0) break;
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

FormWindow* Context::FindForm(HWND topLevel) const {
  ControlPeer* peer = Find(topLevel);
  return peer != nullptr ? peer->AsForm() : nullptr;
}

void Context::Retire(std::unique_ptr<ControlPeer> peer) {
  if (!peer) return;
  if (depth_ == 0) return;  // nothing of ours is running: the peer goes now
  retired_.push_back(std::move(peer));
}

void Context::Defer(ControlPeer* peer) {
  if (std::find(deferred_.begin(), deferred_.end(), peer) == deferred_.end()) {
    deferred_.push_back(peer);
  }
}

void Context::Undefer(ControlPeer* peer) {
  deferred_.erase(std::remove(deferred_.begin(), deferred_.end(), peer), deferred_.end());
}

void Context::Leave() {
  // Still inside: a peer retired while its change is shown stays alive until below.
  if (depth_ == 1 && !deferred_.empty() && !showingDeferred_) {
    showingDeferred_ = true;
    const std::vector<ControlPeer*> peers = std::move(deferred_);
    deferred_.clear();
    for (ControlPeer* peer : peers) peer->ShowDeferred();
    showingDeferred_ = false;
  }
  if (--depth_ > 0 || retired_.empty()) return;
  // Deleting a peer runs no window procedure of ours (its window is already destroyed), but
  // keep the list consistent even if one did.
  auto retired = std::move(retired_);
  retired_.clear();
  ++depth_;
  retired.clear();
  --depth_;
}

HCURSOR Context::PointerCursor() const {
  LPCSTR id = nullptr;
  switch (pointer_) {
    case 1:
      id = IDC_ARROW;
      break;
    case 2:
      id = IDC_CROSS;
      break;
    case 3:
      id = IDC_IBEAM;
      break;
    case 5:
      id = IDC_SIZEALL;
      break;
    case 6:
      id = IDC_SIZENESW;
      break;
    case 7:
      id = IDC_SIZENS;
      break;
    case 8:
      id = IDC_SIZENWSE;
      break;
    case 9:
      id = IDC_SIZEWE;
      break;
    case 10:
      id = IDC_UPARROW;
      break;
    case 11:
      id = IDC_WAIT;
      break;
    case 12:
      id = IDC_NO;
      break;
    case 13:
      id = IDC_APPSTARTING;
      break;
    case 14:
      id = IDC_HELP;
      break;
    case 15:
      id = IDC_SIZEALL;
      break;
    case 0:
      return nullptr;
    default:
      id = IDC_ARROW;
      break;
  }
  return LoadCursorA(nullptr, id);
}

bool Context::EnsureClass(const std::string& name, WNDPROC proc, UINT style, HBRUSH background) {
  if (classes_.count(name) != 0) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name.c_str();
  // A class stays registered for the life of the process, so a second host (tests make one
  // each) finds it already there.
  if (RegisterClassExA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  classes_.insert(name);
  return true;
}

}  // namespace ui::win32
