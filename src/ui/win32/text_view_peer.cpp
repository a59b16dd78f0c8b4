#include "ui/win32/text_view_peer.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace ui::win32 {

namespace {

constexpr int kMargin = 3;
// A line longer than this is drawn up to here only: drawing costs what the line holds.
constexpr std::size_t kMaxDrawn = 4096;
constexpr int kWheelLines = 3;

}  // namespace

HWND TextViewPeer::MakeWindow(HWND parent, const RECT& bounds) {
  return MakePaintedWindow(parent, bounds, WS_EX_CLIENTEDGE, {},
                           WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL);
}

void TextViewPeer::SyncState() {
  const std::string& text = box_.Text();
  starts_.clear();
  lengths_.clear();
  longest_ = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t lf = text.find('\n', from);
    std::size_t end = lf == std::string::npos ? text.size() : lf;
    if (end > from && text[end - 1] == '\r') --end;
    starts_.push_back(from);
    lengths_.push_back(end - from);
    longest_ = std::max(longest_, end - from);
    if (lf == std::string::npos) break;
    from = lf + 1;
  }
  Measure();
  top_ = 0;
  left_ = 0;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TextViewPeer::Apply(Prop prop) {
  PaintedPeer::Apply(prop);
  if (prop != Prop::Font) return;
  Measure();
  ScrollTo(top_, left_);
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TextViewPeer::Measure() {
  HDC dc = GetDC(hwnd_);
  if (dc == nullptr) return;
  HGDIOBJ old = SelectObject(dc, context_.Fonts().For(control_));
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(dc, &metrics)) {
    lineHeight_ = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
    charWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
}

long long TextViewPeer::VisibleLines() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return std::max<long long>(1, (client.bottom - client.top) / lineHeight_);
}

void TextViewPeer::UpdateScrollBars() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  SCROLLINFO vertical{};
  vertical.cbSize = sizeof vertical;
  vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  vertical.nMax = static_cast<int>(std::max<std::size_t>(starts_.size(), 1) - 1);
  vertical.nPage = static_cast<UINT>(VisibleLines());
  vertical.nPos = static_cast<int>(top_);
  SetScrollInfo(hwnd_, SB_VERT, &vertical, TRUE);
  SCROLLINFO horizontal{};
  horizontal.cbSize = sizeof horizontal;
  horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  horizontal.nMax = static_cast<int>(std::min(longest_, kMaxDrawn) * charWidth_ + 2 * kMargin);
  horizontal.nPage = static_cast<UINT>(std::max<LONG>(1, client.right - client.left));
  horizontal.nPos = static_cast<int>(left_);
  SetScrollInfo(hwnd_, SB_HORZ, &horizontal, TRUE);
}

void TextViewPeer::ScrollTo(long long top, long long left) {
  const long long lastTop =
      std::max<long long>(0, static_cast<long long>(starts_.size()) - VisibleLines());
  top = std::clamp<long long>(top, 0, lastTop);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const long long widest = static_cast<long long>(std::min(longest_, kMaxDrawn)) * charWidth_ +
                           2 * kMargin - (client.right - client.left);
  left = std::clamp<long long>(left, 0, std::max<long long>(0, widest));
  if (top == top_ && left == left_) return;
  top_ = top;
  left_ = left;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

long long TextViewPeer::ScrollRequest(int bar, WORD request, long long position, long long line,
                                      long long page) const {
  switch (request) {
    case SB_LINEUP:
      return position - line;
    case SB_LINEDOWN:
      return position + line;
    case SB_PAGEUP:
      return position - page;
    case SB_PAGEDOWN:
      return position + page;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return static_cast<long long>(1) << 40;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries 16 bits of the position; the bar holds all 32.
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd_, bar, &info);
      return info.nTrackPos;
    }
    default:
      return position;
  }
}

bool TextViewPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  RECT client{};
  switch (message) {
    case WM_GETTEXTLENGTH:
      *result = static_cast<LRESULT>(box_.Text().size());
      return true;
    case WM_GETTEXT: {
      if (wParam == 0 || lParam == 0) {
        *result = 0;
        return true;
      }
      const std::size_t count = std::min<std::size_t>(wParam - 1, box_.Text().size());
      auto* buffer = reinterpret_cast<char*>(lParam);
      std::memcpy(buffer, box_.Text().data(), count);
      buffer[count] = '\0';
      *result = static_cast<LRESULT>(count);
      return true;
    }
    case WM_GETDLGCODE:
      *result = DLGC_WANTARROWS;
      return true;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      return false;
    case WM_SIZE:
      ScrollTo(top_, left_);
      UpdateScrollBars();
      return false;
    case WM_VSCROLL:
      ScrollTo(ScrollRequest(SB_VERT, LOWORD(wParam), top_, 1, VisibleLines() - 1), left_);
      *result = 0;
      return true;
    case WM_HSCROLL:
      GetClientRect(hwnd_, &client);
      ScrollTo(top_, ScrollRequest(SB_HORZ, LOWORD(wParam), left_, charWidth_ * 4,
                                   client.right - client.left));
      *result = 0;
      return true;
    case WM_MOUSEWHEEL:
      ScrollTo(top_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelLines, left_);
      *result = 0;
      return true;
    case WM_KEYDOWN: {
      const long long page = VisibleLines() - 1;
      switch (wParam) {
        case VK_UP:
          ScrollTo(top_ - 1, left_);
          break;
        case VK_DOWN:
          ScrollTo(top_ + 1, left_);
          break;
        case VK_PRIOR:
          ScrollTo(top_ - page, left_);
          break;
        case VK_NEXT:
          ScrollTo(top_ + page, left_);
          break;
        case VK_HOME:
          ScrollTo(0, 0);
          break;
        case VK_END:
          ScrollTo(static_cast<long long>(starts_.size()), 0);
          break;
        case VK_LEFT:
          ScrollTo(top_, left_ - charWidth_ * 4);
          break;
        case VK_RIGHT:
          ScrollTo(top_, left_ + charWidth_ * 4);
          break;
        default:
          return false;
      }
      *result = 0;
      return true;
    }
    default:
      return PaintedPeer::HandleMessage(message, wParam, lParam, result);
  }
}

void TextViewPeer::Draw(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ old = SelectObject(dc, context_.Fonts().For(control_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const std::string& text = box_.Text();
  const long long last =
      std::min<long long>(static_cast<long long>(starts_.size()), top_ + VisibleLines() + 1);
  for (long long line = top_; line < last; ++line) {
    const std::size_t length = std::min(lengths_[line], kMaxDrawn);
    if (length == 0) continue;
    const int y = kMargin / 2 + static_cast<int>(line - top_) * lineHeight_;
    TabbedTextOutA(dc, kMargin - static_cast<int>(left_), y, text.data() + starts_[line],
                   static_cast<int>(length), 0, nullptr, kMargin - static_cast<int>(left_));
  }
  SelectObject(dc, old);
}

}  // namespace ui::win32
