#pragma once

#include <string>

#include "ui/win32/control_peer.h"

namespace ui::win32 {

// A control in a window of the renderer's own class that paints itself (frames, shapes,
// images): it registers the class, makes the window and draws it on WM_PAINT.
class PaintedPeer : public ControlPeer {
 protected:
  PaintedPeer(Context& context, Control& control, const char* className)
      : ControlPeer(context, control), className_(className) {}

  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OwnClass() const override { return true; }

  // A window without text or styles of its own, or with the given ones.
  HWND MakePaintedWindow(HWND parent, const RECT& bounds, DWORD exStyle = 0,
                         const std::string& text = {}, DWORD style = 0);
  // Paints the window's client area.
  virtual void Draw(HDC dc) = 0;
  // What WM_ERASEBKGND does; by default nothing: Draw paints the background with the rest.
  virtual void EraseBackground(HDC dc) {}
  // Fills rect (by default the client area) with brush, or with the system's face colour when
  // brush is nullptr.
  void FillBackground(HDC dc, HBRUSH brush, const RECT* rect = nullptr) const;

 private:
  const char* className_;
};

}  // namespace ui::win32
