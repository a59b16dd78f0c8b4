#pragma once

#include "ui/basic_controls.h"
#include "ui/win32/painted_peer.h"

namespace ui::win32 {

// A frame: a window of our own class that holds its controls as child windows (so hiding or
// disabling it does the same to them), paints an etched group border with its caption, or
// nothing but its background when it has no border, and passes its children's notifications
// on to their peers.
class FramePeer : public PaintedPeer {
 public:
  FramePeer(Context& context, Frame& frame)
      : PaintedPeer(context, frame, "UiFrame"), frame_(frame) {}

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void EraseBackground(HDC dc) override;
  void Draw(HDC dc) override;
  bool ClickOnButtonUp() const override { return true; }

 private:
  Frame& frame_;
  HFONT font_ = nullptr;  // owned by the font cache
};

}  // namespace ui::win32
