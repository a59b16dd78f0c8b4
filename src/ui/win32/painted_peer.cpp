#include "ui/win32/painted_peer.h"

namespace ui::win32 {

HWND PaintedPeer::MakeWindow(HWND parent, const RECT& bounds) {
  return MakePaintedWindow(parent, bounds);
}

HWND PaintedPeer::MakePaintedWindow(HWND parent, const RECT& bounds, DWORD exStyle,
                                    const std::string& text, DWORD style) {
  if (!context_.EnsureClass(className_, PeerWindowProc, 0, nullptr)) return nullptr;
  return CreateChild(exStyle, className_, text, style, parent, bounds);
}

bool PaintedPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      *result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(hwnd_, &paint);
      Draw(dc);
      EndPaint(hwnd_, &paint);
      *result = 0;
      return true;
    }
    default:
      return false;
  }
}

void PaintedPeer::FillBackground(HDC dc, HBRUSH brush, const RECT* rect) const {
  RECT client{};
  if (rect == nullptr) {
    GetClientRect(hwnd_, &client);
    rect = &client;
  }
  FillRect(dc, rect, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace ui::win32
