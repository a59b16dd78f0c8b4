#pragma once

#include "ui/basic_controls.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/gdi.h"

namespace ui::win32 {

// A shape: drawn on the container's background with the fore colour as its border and its fill
// colour inside (hollow by default). Like the original lightweight shape it takes no mouse
// input: clicks fall through to what lies below.
class ShapePeer : public ControlPeer {
 public:
  ShapePeer(Context& context, Shape& shape) : ControlPeer(context, shape), shape_(shape) {}

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OwnClass() const override { return true; }

 private:
  void Paint(HDC dc);

  Shape& shape_;
};

// A picture from the program's resources: an icon (drawn at the size closest to the control's)
// or else a bitmap (drawn at its own size).
class ImagePeer : public ControlPeer {
 public:
  ImagePeer(Context& context, Image& image) : ControlPeer(context, image), image_(image) {}
  // Whether a picture was found for the current resource name.

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  void Apply(Prop prop) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OwnClass() const override { return true; }
  bool ClickOnButtonUp() const override { return true; }

 private:
  void Load();
  void Paint(HDC dc);

  Image& image_;
  IconHandle icon_;
  BitmapHandle bitmap_;
};

}  // namespace ui::win32
