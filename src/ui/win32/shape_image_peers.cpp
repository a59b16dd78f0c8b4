#include "ui/win32/shape_image_peers.h"

#include <algorithm>

namespace ui::win32 {

namespace {

// The largest centred square inside a rectangle.
RECT CentredSquare(const RECT& rect) {
  int side = std::min(rect.right - rect.left, rect.bottom - rect.top);
  int left = rect.left + (rect.right - rect.left - side) / 2;
  int top = rect.top + (rect.bottom - rect.top - side) / 2;
  return RECT{left, top, left + side, top + side};
}

}  // namespace

bool ShapePeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_NCHITTEST) {
    *result = HTTRANSPARENT;
    return true;
  }
  return PaintedPeer::HandleMessage(message, wParam, lParam, result);
}

void ShapePeer::Draw(HDC dc) {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  FillBackground(dc, ParentBackground(), &rect);
  std::uint32_t fore = control_.ForeColor();
  PenHandle pen(CreatePen(PS_SOLID, 1, fore == kDefaultColor ? RGB(0, 0, 0) : ToColorRef(fore)));
  // The fill colour, else an opaque back colour, else hollow.
  std::uint32_t fill = shape_.fillColor != kDefaultColor ? shape_.fillColor : control_.BackColor();
  BrushHandle brush(fill != kDefaultColor ? CreateSolidBrush(ToColorRef(fill)) : nullptr);
  SelectInScope usePen(dc, pen.Get());
  SelectInScope useBrush(dc,
                         brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
  ShapeKind kind = shape_.GetShape();
  if (kind == ShapeKind::Square || kind == ShapeKind::Circle || kind == ShapeKind::RoundedSquare) {
    rect = CentredSquare(rect);
  }
  int corner = std::min(rect.right - rect.left, rect.bottom - rect.top) / 6;
  switch (kind) {
    case ShapeKind::Rectangle:
    case ShapeKind::Square:
      Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
      break;
    case ShapeKind::Oval:
    case ShapeKind::Circle:
      Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
      break;
    case ShapeKind::RoundedRectangle:
    case ShapeKind::RoundedSquare:
      RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
      break;
  }
}

void ImagePeer::SyncState() {
  Load();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ImagePeer::Load() {
  icon_.Reset();
  bitmap_.Reset();
  const std::string& name = image_.Resource();
  if (name.empty()) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  int width = client.right > 0 ? client.right : 0;
  int height = client.bottom > 0 ? client.bottom : 0;
  // Not shared: an icon of a size other than the system's must be freed by its owner.
  icon_.Reset(static_cast<HICON>(LoadImageA(context_.Resources(), name.c_str(), IMAGE_ICON,
                                            std::min(width, height), std::min(width, height),
                                            width > 0 && height > 0 ? 0 : LR_DEFAULTSIZE)));
  if (!icon_) {
    bitmap_.Reset(static_cast<HBITMAP>(
        LoadImageA(context_.Resources(), name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
  }
}

void ImagePeer::Draw(HDC dc) {
  FillBackground(dc, ParentBackground());
  if (icon_) {
    DrawIconEx(dc, 0, 0, icon_.Get(), 0, 0, 0, nullptr, DI_NORMAL);
  } else if (bitmap_) {
    BITMAP info{};
    GetObjectA(bitmap_.Get(), sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    {
      SelectInScope select(memory, bitmap_.Get());
      BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
  }
}

}  // namespace ui::win32
