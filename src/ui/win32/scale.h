#pragma once

#include <windows.h>

namespace ui::win32 {

inline constexpr int kTwipsPerInch = 1440;

// Converts between the model's twips and the screen's pixels. The screen's resolution is read
// once: the program is not DPI-aware per monitor, so Windows keeps LOGPIXELSX/Y fixed for the
// whole run.
class Scale {
 public:
  Scale(int dpiX, int dpiY) : dpiX_(dpiX > 0 ? dpiX : 96), dpiY_(dpiY > 0 ? dpiY : 96) {}
  static Scale FromScreen() {
    HDC screen = GetDC(nullptr);
    Scale scale(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return scale;
  }

  int DpiX() const { return dpiX_; }
  int DpiY() const { return dpiY_; }
  int PixelsX(int twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
  int PixelsY(int twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }
  int TwipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
  int TwipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }

 private:
  int dpiX_;
  int dpiY_;
};

}  // namespace ui::win32
