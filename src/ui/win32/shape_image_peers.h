#pragma once

#include "ui/basic_controls.h"
#include "ui/win32/gdi.h"
#include "ui/win32/painted_peer.h"

namespace ui::win32 {

// A shape: drawn on the container's background with the fore colour as its border and its fill
// colour inside (hollow by default). Like the original lightweight shape it takes no mouse
// input: clicks fall through to what lies below.
class ShapePeer : public PaintedPeer {
 public:
  ShapePeer(Context& context, Shape& shape)
      : PaintedPeer(context, shape, "UiShape"), shape_(shape) {}

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void Draw(HDC dc) override;

 private:
  Shape& shape_;
};

// A picture from the program's resources: an icon (drawn at the size closest to the control's)
// or else a bitmap (drawn at its own size).
class ImagePeer : public PaintedPeer {
 public:
  ImagePeer(Context& context, Image& image)
      : PaintedPeer(context, image, "UiImage"), image_(image) {}

 protected:
  // Loads the picture named by the model and repaints.
  void SyncState() override;
  void Draw(HDC dc) override;
  bool ClickOnButtonUp() const override { return true; }

 private:
  void Load();

  Image& image_;
  IconHandle icon_;
  BitmapHandle bitmap_;
};

}  // namespace ui::win32
