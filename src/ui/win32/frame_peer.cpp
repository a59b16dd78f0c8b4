#include "ui/win32/frame_peer.h"

#include <string>

namespace ui::win32 {

HWND FramePeer::MakeWindow(HWND parent, const RECT& bounds) {
  // WS_EX_CONTROLPARENT lets the dialog manager look into the frame for mnemonics and arrows.
  return MakePaintedWindow(parent, bounds, WS_EX_CONTROLPARENT, control_.Caption(),
                           WS_CLIPCHILDREN);
}

bool FramePeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (ReflectToChild(context_, message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) InvalidateRect(hwnd_, nullptr, TRUE);
      *result = 0;
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(font_);
      return true;
    case WM_SETTEXT:
      *result = CallDefault(hwnd_, message, wParam, lParam);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return true;
    case WM_ENABLE:
      InvalidateRect(hwnd_, nullptr, TRUE);
      return false;
    default:
      return PaintedPeer::HandleMessage(message, wParam, lParam, result);
  }
}

void FramePeer::EraseBackground(HDC dc) {
  FillBackground(dc, OwnBackground());
}

void FramePeer::Draw(HDC dc) {
  if (!frame_.border) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  SelectInScope font(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT box = client;
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  const std::string& caption = control_.Caption();
  if (caption.empty()) return;
  // The caption sits on the top edge, on the frame's background, with a small gap either side.
  SIZE extent{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  const int inset = metrics.tmAveCharWidth;
  RECT label{inset, 0, inset + extent.cx + 4, metrics.tmHeight};
  if (label.right > client.right - 2) label.right = client.right - 2;
  FillBackground(dc, OwnBackground(), &label);
  SetBkMode(dc, TRANSPARENT);
  std::uint32_t fore = control_.ForeColor();
  SetTextColor(dc, !IsWindowEnabled(hwnd_) ? GetSysColor(COLOR_GRAYTEXT)
                   : fore != kDefaultColor ? ToColorRef(fore)
                                           : GetSysColor(COLOR_WINDOWTEXT));
  RECT text = label;
  text.left += 2;
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace ui::win32
